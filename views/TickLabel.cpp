#include "views/Views.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace larmor {

namespace {

// Plain decimal with up to 15 significant digits, no exponent, no trailing zeros.
std::string plainDecimal(double magnitude) {
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.15g", magnitude);
  std::string text = buffer;
  if (text.find('e') == std::string::npos) return text;
  // Very large or very small: write the same 15 digits out in full.
  const int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
  const int decimals = exponent >= 14 ? 0 : 14 - exponent;
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, magnitude);
  text = buffer;
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

}  // namespace

std::string tickLabel(double value) {
  if (!std::isfinite(value)) return std::isnan(value) ? " nan " : (value < 0 ? "-inf " : " inf ");
  // -0 is written as 0: the sign belongs to values below zero only.
  const bool negative = value < 0;
  return (negative ? "-" : " ") + plainDecimal(std::fabs(value)) + " ";
}

}  // namespace larmor
