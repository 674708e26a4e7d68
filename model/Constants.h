#pragma once

namespace larmor {

// The program's π is this ten-decimal literal everywhere, never the full double:
// the displayed numbers are reproduced with it.
constexpr double piLiteral = 3.1415926535;
constexpr double threePiLiteral = 9.4247779605;
constexpr double twoPiLiteral = 6.283185307;  // ten significant digits, not 2·piLiteral
// The double nearest π, for what is added beside those numbers (the theory's angles, the
// documents' figures, the pictures and the tone): never in a number the run shows.
constexpr double pi = 3.14159265358979323846;

constexpr double elementaryCharge = 1.602176634e-19;  // [C] charge per step of the charge bar
constexpr double atomicMassUnit = 1.66053906892e-27;  // [kg] mass per step of the mass bar
constexpr double electronMass = 9.1093837139e-31;     // [kg] mass bar at 0
constexpr double BoStep = 5e-08;                      // [T] induction per step of the field bar
constexpr double degToRad = piLiteral / 180;          // 0.017453292519444445, not the exact π/180

}  // namespace larmor
