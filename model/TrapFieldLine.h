#pragma once

#include "model/FieldConfig.h"

#include <optional>

namespace larmor {

struct SimParams;

// The field line of a trap (structures 4 and 7) through a point of its meridian plane,
// followed up (+z) and down (−z) as far as it goes: in both traps the line keeps closing on
// the axis beyond the coils, so |B| keeps rising towards an asymptote (or to the constant
// core field inside rho < 0.05), and the largest |B| a particle can meet lies out there, not
// between the coils.
struct TrapFieldLine {
  enum Side { up, down };
  double peak[2] = {0, 0};  // [T] the largest |B| on each side (the asymptote where it rises to the end)
  // [m z] where |B| first reaches the turning field on each side; none where it never does.
  std::optional<double> turningZ[2];
  // [m z] past which |B| rises by less than escapeRise more: a particle that gets there without
  // turning back can no longer be turned back on that side.
  double escapeZ[2] = {0, 0};
  // The largest rL/L on the part of the line the particle reaches (up to the turning points,
  // or the whole followed line on a side it escapes from), with rL from mu conserved and L
  // the shorter of rho (|B| ∝ 1/rho across the line) and |B|/|d|B|/ds| along it.
  double worstRatio = 0;
  // [s] the bounce period 2·∫ ds/v∥ between the two turning points, v∥ = v·sqrt(1 − |B|/B_turn);
  // none unless the line has both.
  std::optional<double> bouncePeriod;
};

// The fraction by which |B| may still rise past escapeZ.
constexpr double escapeRise = 0.01;

// The line through (rho, z) of the configuration's trap, with the particle's turning field
// [T] (infinite for a start along the line) and speed [m/s] for the turning points, the ratio
// and the bounce period.
TrapFieldLine followTrapFieldLine(FieldConfig config, const SimParams& params, double rho, double z,
                                  double turningField, double speed);

}  // namespace larmor
