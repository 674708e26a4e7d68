#include "ui/DiagnosticsNumbers.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace larmor {

namespace {

// Fixed point for exponents from -3 to 4, powers of ten beyond.
bool fixedForm(int exponent) { return exponent >= -3 && exponent < 5; }

int exponentOf(double value) { return static_cast<int>(std::floor(std::log10(std::fabs(value)))); }

QString superscript(int n) {
  static const char16_t digits[] = u"⁰¹²³⁴⁵⁶⁷⁸⁹";
  QString text = n < 0 ? QStringLiteral("⁻") : QString();
  for (const QChar c : QString::number(std::abs(n))) text += QChar(digits[c.digitValue()]);
  return text;
}

QString fixed(double value, int decimals) {
  QString text = QString::number(value, 'f', std::clamp(decimals, 0, 17));
  const char separator = resultDecimalSeparator();
  if (separator != '.') text.replace(QLatin1Char('.'), QLatin1Char(separator));
  return text;
}

QString scaled(double value, int exponent, int decimals) {
  return fixed(value / std::pow(10.0, exponent), decimals) + QStringLiteral("·10") + superscript(exponent);
}

// The fewest decimals that write x (a tick step) exactly.
int decimalsOf(double x) {
  for (int decimals = 0; decimals < 15; ++decimals) {
    const double shifted = std::fabs(x) * std::pow(10.0, decimals);
    if (std::fabs(shifted - std::round(shifted)) <= 1e-6 * std::max(1.0, shifted)) return decimals;
  }
  return 15;
}

}  // namespace

char resultDecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  if (point.size() == 1 && point.at(0).unicode() < 0x80) return point.at(0).toLatin1();
  return '.';
}

QString diagnosticNumber(double value, int digits) {
  if (!std::isfinite(value)) return QStringLiteral("—");
  if (value == 0) return QStringLiteral("0");
  digits = std::max(1, digits);
  int exponent = exponentOf(value);
  // Rounding may carry into a new digit: 9,9996 to four digits is 10,00.
  const double unit = std::pow(10.0, exponent - digits + 1);
  if (std::fabs(std::round(value / unit) * unit) >= std::pow(10.0, exponent + 1)) ++exponent;
  if (fixedForm(exponent)) return fixed(value, digits - 1 - exponent);
  return scaled(value, exponent, digits - 1);
}

QVector<QString> tickLabels(const QVector<double>& ticks) {
  QVector<QString> labels;
  if (ticks.isEmpty()) return labels;
  double largest = 0;
  for (const double tick : ticks) largest = std::max(largest, std::fabs(tick));
  const double step = ticks.size() > 1 ? std::fabs(ticks[1] - ticks[0]) : largest;
  // A tick this close to 0 is 0 computed with rounding.
  const double zero = 1e-9 * (step > 0 ? step : largest);
  const bool fixedTicks = !(largest > 0) || fixedForm(exponentOf(largest));
  int decimals = 0;
  if (fixedTicks) {
    decimals = step > 0 ? decimalsOf(step) : 0;
  } else {
    for (const double tick : ticks)
      if (std::fabs(tick) > zero) decimals = std::max(decimals, decimalsOf(step / std::pow(10.0, exponentOf(tick))));
  }
  for (const double tick : ticks) {
    if (std::fabs(tick) <= zero) labels << QStringLiteral("0");
    else labels << (fixedTicks ? fixed(tick, decimals) : scaled(tick, exponentOf(tick * (1 + 1e-12)), decimals));
  }
  return labels;
}

}  // namespace larmor
