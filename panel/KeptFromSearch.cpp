#include "panel/KeptFromSearch.h"

#include "model/Constants.h"
#include "model/SimParams.h"

#include <cmath>
#include <vector>

namespace larmor {

// For each charge and mass the field that gives the period, then for each alpha the speed
// that gives the radius (or, across no field, the pitch). Only the bars' positions next to
// each guess are tried: the quantities are exact functions of the positions.
std::optional<Scenario::KeptFrom> findKeptFrom(const DerivedQuantities& kept) {
  // The positions next to a guess, within the bar; none for a guess that is no number.
  auto around = [](double guess, Bar bar) {
    std::vector<int> positions;
    if (!(std::fabs(guess) < 1e9)) return positions;
    for (int p = static_cast<int>(std::nearbyint(guess)) - 1, last = p + 2; p <= last; ++p)
      if (p >= 1 && p <= barRange(bar).highest) positions.push_back(p);
    return positions;
  };
  SimParams p;
  DerivedQuantities k;
  const double frequency = twoPiLiteral / kept.period;
  for (int charge = 1; charge <= barRange(Bar::VScroll1).highest; ++charge) {
    for (int mass = barRange(Bar::VScroll2).lowest; mass <= barRange(Bar::VScroll2).highest; ++mass) {
      p.q = chargeFromPosition(charge);
      p.m = massFromPosition(mass);
      for (const int field : around(frequency * p.m / p.q / BoStep, Bar::VScroll5)) {
        p.Bo = fieldFromPosition(field);
        computeQuantities(p, k);
        if (k.period != kept.period) continue;
        const double omega = std::fabs(k.omega);
        for (int alpha = barRange(Bar::VScroll6).lowest; alpha <= barRange(Bar::VScroll6).highest; ++alpha) {
          p.alphaRad = angleRadFromDegrees(alpha);
          for (const double guess : {kept.radius * omega / std::sin(p.alphaRad), kept.pitch / kept.period / std::cos(p.alphaRad)}) {
            for (const int speed : around(guess, Bar::VScroll4)) {
              p.v = static_cast<std::int16_t>(speed);
              computeQuantities(p, k);
              if (k.period == kept.period && k.radius == kept.radius && k.pitch == kept.pitch)
                return Scenario::KeptFrom{charge, mass, field, speed, alpha};
            }
          }
        }
      }
    }
  }
  return std::nullopt;
}

}  // namespace larmor
