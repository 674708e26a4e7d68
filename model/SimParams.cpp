#include "model/SimParams.h"

#include "model/Precision.h"
#include "model/TextRules.h"

#include <cmath>

namespace larmor {

double chargeFromPosition(int p) { return p * elementaryCharge; }

double massFromPosition(int p) { return p == 0 ? electronMass : p * atomicMassUnit; }

double angleRadFromDegrees(int degrees) { return degrees * degToRad; }

float betaRadFromDegrees(int degrees) { return static_cast<float>(degrees * degToRad); }

double fieldFromPosition(int p) { return p * BoStep; }

double coordinateFromPosition(int p) { return p * 0.1; }

float z0FromPosition(int p) { return static_cast<float>(p * 0.1); }

double lengthFromText(std::string_view t) { return roundToTwoDecimals(readNumber(t)); }

// readNumber never gives an infinity; a typed run length beyond the float range is held
// as the largest float, and the run's step limit ends it.
float periodsFromText(std::string_view t) { return toSingleClamped(readNumber(t)); }

int positionFromCoordinate(double value) {
  const double p = std::nearbyint(10 * value);  // default rounding mode: ties to even
  if (!(std::fabs(p) < 1e9)) return 0;          // outside every bar: no position to show
  return static_cast<int>(p);
}

std::string chargeText(double q) { return valueText(q, " 0.000000000e+00"); }

// As many decimals as the constant shown: ten for the electron, eleven for the mass unit.
std::string massText(double m, int massPosition) {
  return valueText(m, massPosition == 0 ? "0.0000000000e+00" : "0.00000000000e+00");
}

std::string fieldText(double Bo) { return valueText(Bo, "0.000e+00"); }

std::string twoDecimalsText(double value) { return valueText(value, "0.00"); }

std::string integerText(int value) { return std::to_string(value); }

std::string chargeValueTooltip(int p, Language language) {
  return (language == Language::Russian ? "заряд частицы = " : "particle charge = ") + signedText(p) + "|e|";
}

std::string chargeCaptionTooltip(int p, Language language) {
  // A Cyrillic е between the bars here, a Latin e in the value tooltip.
  if (language == Language::English)
    return p == 1 ? "Elementary charge |e|, exact in SI since 2022" : "particle charge";
  return p == 1 ? "Элементарный заряд |е| точно. СИ с 2022 года" : "заряд частицы";
}

std::string massValueTooltip(int p, Language language) {
  if (language == Language::English) return p == 0 ? "electron mass" : "particle mass = " + signedText(p) + " u";
  return p == 0 ? "масса электрона" : "масса частицы = " + signedText(p) + " аем";
}

std::string massCaptionTooltip(int p, Language language) {
  if (language == Language::English) return p == 1 ? "Atomic mass unit, since 2022" : "particle mass";
  return p == 1 ? "Атомная единица массы. С 2022 года" : "масса частицы";
}

}  // namespace larmor
