#pragma once

#include "model/Language.h"

#include "Constants.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace larmor {

// The one set of simulation inputs, SI units, with the start values of a fresh program.
// The widths are the program's: they shape the rounding of the shown numbers.
struct SimParams {
  double q = elementaryCharge;         // [C]
  double m = atomicMassUnit;           // [kg]
  std::int16_t v = 22000;              // [m/s] 1..30000
  std::int16_t alpha = 83;             // [deg] angle between velocity and OZ, 0..180
  double alphaRad = 83 * degToRad;     // [rad] written together with alpha
  std::int16_t beta = 60;              // [deg] angle between transverse velocity and OX
  float betaRad = static_cast<float>(60 * degToRad);  // [rad] single precision
  double Bo = 10000 * BoStep;          // [T] reference induction
  std::int16_t regionSize = 5;         // [m] side of the square the X0Y view shows, 1..10
  double x0 = 1.0;                     // [m]
  double y0 = 0.5;                     // [m]
  float z0 = -4.0f;                    // [m] single precision
  double S = 3.3;                      // [m] characteristic length, two decimals
  double d = 5;                        // [m] trap half-width, two decimals
  float periods = 25;                  // run length in cyclotron periods
  std::int16_t slowdown = 3;           // pause per run step in units of 10 ms, 0..10
};

// Start positions of the bars.
namespace startPosition {
constexpr int charge = 1, mass = 1, speed = 22000, alpha = 83, beta = 60, field = 10000,
              region = 5, x0 = 10, y0 = 5, z0 = -40, slowdown = 3;
}

// Value from a control position or a typed text.
double chargeFromPosition(int p);            // p × elementaryCharge, p in -5..5
double massFromPosition(int p);              // electronMass at 0, else p × atomicMassUnit
double angleRadFromDegrees(int degrees);     // alphaRad
float betaRadFromDegrees(int degrees);       // betaRad, single precision
double fieldFromPosition(int p);             // p × BoStep
double coordinateFromPosition(int p);        // x0, y0: p × 0.1 (3 gives 0.30000000000000004)
float z0FromPosition(int p);                 // p × 0.1 in double, then single precision
double lengthFromText(std::string_view t);   // S and d: readNumber, two decimals
float periodsFromText(std::string_view t);   // readNumber in single precision
// Bar position of a start coordinate: 10 × value, nearest integer, ties to even.
int positionFromCoordinate(double value);

// Value texts shown beside the controls (always a decimal point).
std::string chargeText(double q);                    // " 1.602176634e-19"
std::string massText(double m, int massPosition);    // ten decimals for the electron
std::string fieldText(double Bo);                    // "5.000e-04"
std::string twoDecimalsText(double value);           // region, x0, y0, z0, S, d: "0.00"
std::string integerText(int value);                  // "22000", "-180"

// Tooltips that follow the charge and the mass bars, in the window's language.
std::string chargeValueTooltip(int p, Language language = Language::Russian);     // Label4: "заряд частицы = " + signedText(p) + "|e|"
std::string chargeCaptionTooltip(int p, Language language = Language::Russian);   // Label1
std::string massValueTooltip(int p, Language language = Language::Russian);       // Label5
std::string massCaptionTooltip(int p, Language language = Language::Russian);     // Label2

}  // namespace larmor
