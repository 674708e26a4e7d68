#include "docgen/FigureSpec.h"

#include "model/SimParams.h"

#include <QUrl>
#include <QUrlQuery>

#include <cmath>
#include <optional>

namespace larmor {

namespace {

// What choosing a configuration in the list sets: S (when the configuration uses a value
// of its own), x0 and z0 [m]. The values pass through the bar and the box as the window's
// handlers do after start-up, so x0 = 0.3 becomes 3 × 0.1.
struct Selection {
  std::optional<double> S;
  double x0;
  double z0;
};

Selection selectionOf(FieldConfig config) {
  switch (config) {
    case 2:
    case 3: return {3.3, 1, -4};
    case 4: return {0.3, 1, -4};
    case 6: return {5, 1, -2};
    case 7: return {5, 0.3, -4};
    default: return {std::nullopt, 1, -4};
  }
}

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

// Applies one setting as its control would; false (with the reason) when the key is
// unknown or the value lies outside what the control can give.
bool applySetting(SimParams& p, int* chargePosition, const QString& key, const QString& value,
                  QString* error) {
  const QString bad = QStringLiteral("bad value '%1' for '%2'").arg(value, key);
  int n = 0;
  double x = 0;
  if (key == QLatin1String("charge")) {
    if (!readInt(value, -5, 5, &n)) return fail(error, bad);
    p.q = chargeFromPosition(n);
    *chargePosition = n;
  } else if (key == QLatin1String("mass")) {
    if (!readInt(value, 0, 10, &n)) return fail(error, bad);
    p.m = massFromPosition(n);
  } else if (key == QLatin1String("speed")) {
    if (!readInt(value, 1, 30000, &n)) return fail(error, bad);
    p.v = static_cast<std::int16_t>(n);
  } else if (key == QLatin1String("alpha")) {
    if (!readInt(value, 0, 180, &n)) return fail(error, bad);
    p.alpha = static_cast<std::int16_t>(n);
    p.alphaRad = angleRadFromDegrees(n);
  } else if (key == QLatin1String("beta")) {
    if (!readInt(value, -180, 180, &n)) return fail(error, bad);
    p.beta = static_cast<std::int16_t>(n);
    p.betaRad = betaRadFromDegrees(n);
  } else if (key == QLatin1String("field")) {  // [T], on the bar's grid of BoStep
    if (!readDouble(value, 0, 30000 * BoStep, &x)) return fail(error, bad);
    p.Bo = fieldFromPosition(static_cast<int>(std::lround(x / BoStep)));
  } else if (key == QLatin1String("region")) {
    if (!readInt(value, 1, 10, &n)) return fail(error, bad);
    p.regionSize = static_cast<std::int16_t>(n);
  } else if (key == QLatin1String("x0") || key == QLatin1String("y0")) {
    if (!readDouble(value, -5, 5, &x)) return fail(error, bad);
    (key == QLatin1String("x0") ? p.x0 : p.y0) =
        coordinateFromPosition(positionFromCoordinate(x));
  } else if (key == QLatin1String("z0")) {
    if (!readDouble(value, -10, 10, &x)) return fail(error, bad);
    p.z0 = z0FromPosition(positionFromCoordinate(x));
  } else if (key == QLatin1String("S") || key == QLatin1String("d")) {
    if (!readDouble(value, -1e6, 1e6, &x)) return fail(error, bad);
    (key == QLatin1String("S") ? p.S : p.d) = lengthFromText(value.toStdString());
  } else if (key == QLatin1String("periods")) {
    // A figure is drawn at build time: keep its run short enough to stay quick.
    if (!readDouble(value, 0, 1000, &x)) return fail(error, bad);
    p.periods = periodsFromText(value.toStdString());
  } else {
    return fail(error, QStringLiteral("unknown setting '%1'").arg(key));
  }
  return true;
}

SimulationState selectedState(FieldConfig config) {
  SimulationState state;
  state.fieldConfig = config;
  const Selection s = selectionOf(config);
  if (s.S) state.params.S = lengthFromText(twoDecimalsText(*s.S));
  state.params.x0 = coordinateFromPosition(positionFromCoordinate(s.x0));
  state.params.z0 = z0FromPosition(positionFromCoordinate(s.z0));
  return state;
}

}  // namespace

std::optional<FigureSpec> parseFigureUrl(const QString& text, QString* error) {
  const QUrl url(text);
  if (url.scheme() != QLatin1String("larmor")) {
    fail(error, QStringLiteral("not a figure address: '%1'").arg(text));
    return std::nullopt;
  }
  FigureSpec spec;
  if (url.path() == QLatin1String("field")) {
    spec.kind = FigureSpec::Kind::Field;
  } else if (url.path() == QLatin1String("run")) {
    spec.kind = FigureSpec::Kind::Run;
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
      spec.config = static_cast<FieldConfig>(n);
      configSeen = true;
    } else {
      spec.settings.emplace_back(key, value);
    }
  }

  // Every setting is tried on a scratch state now, so a bad one is reported here.
  SimulationState scratch = selectedState(spec.config);
  int chargePosition = 1;
  for (const auto& [key, value] : spec.settings) {
    QString why;
    if (!applySetting(scratch.params, &chargePosition, key, value, &why)) {
      fail(error, why + QStringLiteral(" in '%1'").arg(text));
      return std::nullopt;
    }
  }
  return spec;
}

SimulationState figureState(const FigureSpec& spec) {
  SimulationState state = selectedState(spec.config);
  // Computed once before the settings too, as the window does at start-up: a zero omega
  // then keeps the period of the start parameters instead of a period of 0.
  state.computeQuantities();
  int chargePosition = 1;
  for (const auto& [key, value] : spec.settings)
    applySetting(state.params, &chargePosition, key, value, nullptr);
  state.computeQuantities();
  return state;
}

int figureChargePosition(const FigureSpec& spec) {
  SimParams scratch;
  int chargePosition = 1;
  for (const auto& [key, value] : spec.settings)
    applySetting(scratch, &chargePosition, key, value, nullptr);
  return chargePosition;
}

}  // namespace larmor
