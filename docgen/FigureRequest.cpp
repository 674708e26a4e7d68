#include "docgen/FigureRequest.h"

#include "panel/ControlTable.h"

#include <QUrl>
#include <QUrlQuery>

#include <optional>
#include <string>

namespace larmor {

namespace {

bool fail(QString* error, const QString& text) {
  if (error) *error = text;
  return false;
}

// The control a figure setting names: a bar or a text box of the control table. The
// structure is the address's own "config", and the slow-down paces nothing here.
const ControlDescription* settingControl(const QString& key) {
  const ControlDescription* control = findControl(key.toStdString());
  if (!control || control->kind == ControlDescription::Kind::List ||
      (control->kind == ControlDescription::Kind::Bar && control->index == static_cast<int>(Bar::HScroll1)))
    return nullptr;
  return control;
}

// The control action of one setting; false (with the reason) when the key is unknown or
// the value is not one the control can take. A bar takes a value of the control table's
// grid within its range; a box takes a number, given to it as written, since a figure's
// boxes hold numbers and a typing mistake should stop the build rather than read as 0.
bool actionOf(const QString& key, const QString& value, PanelAction* action, QString* error) {
  const ControlDescription* control = settingControl(key);
  if (!control) return fail(error, QStringLiteral("unknown setting '%1'").arg(key));
  const std::string text = value.toStdString();
  const std::optional<double> number = decimalNumber(text);
  if (control->kind == ControlDescription::Kind::TextBox) {
    if (!number) return fail(error, QStringLiteral("bad value '%1' for '%2': it accepts a number").arg(value, key));
    *action = settingAction(*control, text);
    return true;
  }
  int position = 0;
  if (!number || fitToGrid(*control, *number, position) != GridFit::Fits)
    return fail(error, QStringLiteral("bad value '%1' for '%2': it accepts %3")
                           .arg(value, key, QString::fromStdString(acceptsText(*control, Language::English))));
  *action = settingAction(*control, position);
  return true;
}

// Acts out a figure on the window's controls: the start-up, the list selection (with the
// start point and S it sets), then every setting in the order written.
ControlPanel actOut(const FigureRequest& request) {
  ControlPanel panel('.');
  startUpAsTheWindow(panel);
  perform(panel, PanelAction::selectEntry(request.config - 1));
  for (const auto& [key, value] : request.settings) {
    PanelAction action;
    if (actionOf(key, value, &action, nullptr)) perform(panel, action);
  }
  // The run-length box recomputes nothing: once more, as the start button does first.
  panel.RecomputeQuantities();
  return panel;
}

}  // namespace

std::optional<FigureRequest> parseFigureUrl(const QString& text, QString* error) {
  const QUrl url(text);
  if (url.scheme() != QLatin1String("larmor")) {
    fail(error, QStringLiteral("not a figure address: '%1'").arg(text));
    return std::nullopt;
  }
  FigureRequest request;
  if (url.path() == QLatin1String("field")) {
    request.kind = FigureRequest::Kind::Field;
  } else if (url.path() == QLatin1String("run")) {
    request.kind = FigureRequest::Kind::Run;
  } else if (url.path() == QLatin1String("theory")) {
    request.kind = FigureRequest::Kind::Theory;
  } else if (url.path() == QLatin1String("space")) {
    request.kind = FigureRequest::Kind::Space;
  } else if (url.path() == QLatin1String("speed-error")) {
    request.kind = FigureRequest::Kind::SpeedError;
  } else {
    fail(error, QStringLiteral("unknown figure kind '%1' in '%2'").arg(url.path(), text));
    return std::nullopt;
  }

  bool configSeen = false;
  const auto items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
  for (const auto& [key, value] : items) {
    if (key == QLatin1String("config")) {
      const std::optional<double> number = decimalNumber(value.toStdString());
      int n = 0;
      if (configSeen || !number || fitToGrid(*findControl("config"), *number, n) != GridFit::Fits) {
        fail(error, QStringLiteral("bad configuration '%1' in '%2'").arg(value, text));
        return std::nullopt;
      }
      request.config = static_cast<FieldConfig>(n);
      configSeen = true;
    } else {
      request.settings.emplace_back(key, value);
    }
  }

  // Every setting is checked now, so a bad one is reported here. A figure is drawn at
  // build time: its run stays short (a speed-error figure draws no trail, so its may be longer).
  const double maxPeriods = request.kind == FigureRequest::Kind::SpeedError ? maxSpeedErrorPeriods : maxFigurePeriods;
  for (const auto& [key, value] : request.settings) {
    PanelAction action;
    QString why;
    if (!actionOf(key, value, &action, &why)) {
      fail(error, why + QStringLiteral(" in '%1'").arg(text));
      return std::nullopt;
    }
    const double periods = decimalNumber(value.toStdString()).value_or(0);
    if (key == QLatin1String("periods") && !(periods >= 0 && periods <= maxPeriods)) {
      fail(error, QStringLiteral("bad value '%1' for 'periods': at most %2 periods in a figure of this kind in '%3'")
                      .arg(value).arg(maxPeriods).arg(text));
      return std::nullopt;
    }
  }
  return request;
}

ControlPanel figurePanel(const FigureRequest& request) { return actOut(request); }

SimulationState figureState(const FigureRequest& request) { return actOut(request).state(); }

int figureChargePosition(const FigureRequest& request) { return actOut(request).position(Bar::VScroll1); }

}  // namespace larmor
