#include "docgen/FigureRequest.h"

#include "cli/PanelScript.h"
#include "model/SimParams.h"

#include <QUrl>
#include <QUrlQuery>

#include <cmath>

namespace larmor {

namespace {

bool fail(QString* error, const QString& text) {
  if (error) *error = text;
  return false;
}

bool readInt(const QString& value, int low, int high, int* out) {
  bool ok = false;
  const int v = value.toInt(&ok);
  if (!ok || v < low || v > high) return false;
  *out = v;
  return true;
}

bool readDouble(const QString& value, double low, double high, double* out) {
  bool ok = false;
  const double v = value.toDouble(&ok);
  if (!ok || !std::isfinite(v) || v < low || v > high) return false;
  *out = v;
  return true;
}

// How a setting's value reaches its control.
enum class Reading {
  Position,    // a whole number, the bar's position
  Field,       // [T] the nearest position of the field bar's grid of BoStep
  Coordinate,  // [m] the nearest position of a start-point bar, ties to even as the bars do
  Text,        // a number, given to its box as written
};

struct Setting {
  const char* key;
  TraceControl control;
  Reading reading;
  double low, high;  // the values the control can give
};

constexpr Setting settings[] = {
    {"charge", TraceControl::Charge, Reading::Position, -5, 5},
    {"mass", TraceControl::Mass, Reading::Position, 0, 10},
    {"speed", TraceControl::Speed, Reading::Position, 1, 30000},
    {"alpha", TraceControl::Alpha, Reading::Position, 0, 180},
    {"beta", TraceControl::Beta, Reading::Position, -180, 180},
    {"field", TraceControl::Field, Reading::Field, 0, 30000 * BoStep},
    {"region", TraceControl::Region, Reading::Position, 1, 10},
    {"x0", TraceControl::X0, Reading::Coordinate, -5, 5},
    {"y0", TraceControl::Y0, Reading::Coordinate, -5, 5},
    {"z0", TraceControl::Z0, Reading::Coordinate, -10, 10},
    {"S", TraceControl::S, Reading::Text, -1e6, 1e6},
    {"d", TraceControl::D, Reading::Text, -1e6, 1e6},
    // A figure is drawn at build time: keep its run short enough to stay quick (a
    // speed-error figure's bound is checked with its kind).
    {"periods", TraceControl::Periods, Reading::Text, 0, maxSpeedErrorPeriods},
};

// The control action of one setting; false (with the reason) when the key is unknown or
// the value lies outside what the control can give.
bool actionOf(const QString& key, const QString& value, TraceAction* action, QString* error) {
  for (const Setting& setting : settings) {
    if (key != QLatin1String(setting.key)) continue;
    action->control = setting.control;
    int n = 0;
    double x = 0;
    bool ok = false;
    switch (setting.reading) {
      case Reading::Position:
        ok = readInt(value, static_cast<int>(setting.low), static_cast<int>(setting.high), &n);
        action->position = n;
        break;
      case Reading::Field:
        ok = readDouble(value, setting.low, setting.high, &x);
        action->position = static_cast<int>(std::lround(x / BoStep));
        break;
      case Reading::Coordinate:
        ok = readDouble(value, setting.low, setting.high, &x);
        action->position = positionFromCoordinate(x);
        break;
      case Reading::Text:
        ok = readDouble(value, setting.low, setting.high, &x);
        action->text = value.toStdString();
        break;
    }
    return ok || fail(error, QStringLiteral("bad value '%1' for '%2'").arg(value, key));
  }
  return fail(error, QStringLiteral("unknown setting '%1'").arg(key));
}

// Acts out a figure on the window's controls: the start-up, the list selection (with the
// start point and S it sets), then every setting in the order written.
ControlPanel actOut(const FigureRequest& request) {
  ControlPanel panel('.');
  startUpAsTheWindow(panel);
  selectConfiguration(panel, request.config);
  for (const auto& [key, value] : request.settings) {
    TraceAction action{};
    if (actionOf(key, value, &action, nullptr)) applyTraceAction(panel, action);
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
      int n = 0;
      if (configSeen || !readInt(value, 1, fieldConfigCount, &n)) {
        fail(error, QStringLiteral("bad configuration '%1' in '%2'").arg(value, text));
        return std::nullopt;
      }
      request.config = static_cast<FieldConfig>(n);
      configSeen = true;
    } else {
      request.settings.emplace_back(key, value);
    }
  }

  // Every setting is checked now, so a bad one is reported here.
  for (const auto& [key, value] : request.settings) {
    TraceAction action{};
    QString why;
    if (!actionOf(key, value, &action, &why)) {
      fail(error, why + QStringLiteral(" in '%1'").arg(text));
      return std::nullopt;
    }
    if (key == QLatin1String("periods") && request.kind != FigureRequest::Kind::SpeedError &&
        value.toDouble() > maxFigurePeriods) {
      fail(error, QStringLiteral("bad value '%1' for 'periods' in '%2'").arg(value, text));
      return std::nullopt;
    }
  }
  return request;
}

ControlPanel figurePanel(const FigureRequest& request) { return actOut(request); }

SimulationState figureState(const FigureRequest& request) { return actOut(request).state(); }

int figureChargePosition(const FigureRequest& request) { return actOut(request).position(Bar::VScroll1); }

}  // namespace larmor
