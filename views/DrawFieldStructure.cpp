#include "views/Views.h"

#include "model/Constants.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace larmor {

namespace {

constexpr std::int16_t levelCount = 10;       // n
constexpr double ringStep = 6.283185307 / 16;  // [rad] between the crosses of a ring
constexpr Colour fieldColour = colours::field;

float f32(double value) { return static_cast<float>(value); }

// Two strokes through (u, w), half-size h: falling first, then rising.
void cross(Canvas& canvas, double u, double w, float h) {
  canvas.line(f32(u - h), f32(w + h), f32(u + h), f32(w - h), fieldColour);
  canvas.line(f32(u - h), f32(w - h), f32(u + h), f32(w + h), fieldColour);
}

// Tip at (u, w), pointing towards +u; the wings are 5h long and ±h wide.
void arrowhead(Canvas& canvas, double u, double w, float h) {
  const float fiveH = 5 * h;
  canvas.line(f32(u), f32(w), f32(u - fiveH), f32(w + h), fieldColour);
  canvas.line(f32(u), f32(w), f32(u - fiveH), f32(w - h), fieldColour);
}

// 16 crosses on a circle of radius r; these crosses draw the rising stroke first, and the
// vertical coordinate is in single precision before h is added or subtracted.
void ringOfCrosses(Canvas& canvas, float r, float h) {
  for (int j = 1; j <= 16; ++j) {
    const double u = r * std::cos(j * ringStep);
    const float w = f32(r * std::sin(j * ringStep));
    canvas.line(f32(u - h), f32(w - h), f32(u + h), f32(w + h), fieldColour);
    canvas.line(f32(u - h), f32(w + h), f32(u + h), f32(w - h), fieldColour);
  }
}

// A horizontal field line across the XZ view with its arrowhead at u = L/2.
void fieldLine(Canvas& canvas, double L, double w, float h) {
  canvas.line(f32(-L), f32(w), f32(L), f32(w), fieldColour);
  arrowhead(canvas, L / 2, w, h);
}

// The trap's axial profile: the two coil terms centred at z = -d and z = +d.
double profileAt(double z, double S, double d) {
  return (d + z) / std::pow(S * S + (d + z) * (d + z), 0.5) +
         (d - z) / std::pow(S * S + (d - z) * (d - z), 0.5);
}

}  // namespace

// The running z of a curve to the right (single precision, repeated addition of L/200
// while z <= L) with the profile there. The profile is even and the left-hand run is the
// exact mirror of this one, so all 24 curves of a drawing read the same table, and the
// table serves every drawing until the region, S or d change.
struct TrapProfile {
  static constexpr int capacity = 402;  // 201 values for any finite region, with room
  std::array<float, capacity> z;
  std::array<double, capacity> f;
  int count = 0;
  float keyL;
  double keyS, keyD;

  TrapProfile(float L, double S, double d) : keyL(L), keyS(S), keyD(d) {
    const float step = f32(L / 200.0);
    for (float at = 0.0f; at <= L && count < capacity; at += step) {
      z[size_t(count)] = at;
      f[size_t(count)] = profileAt(at, S, d);
      ++count;
    }
  }

  // Bit for bit: a zero of the other sign or a NaN is another input.
  bool isFor(float L, double S, double d) const {
    return std::memcmp(&keyL, &L, sizeof L) == 0 && std::memcmp(&keyS, &S, sizeof S) == 0 &&
           std::memcmp(&keyD, &d, sizeof d) == 0;
  }
};

namespace {

struct TrapCurve {
  float start;      // w of the start dot [m]
  double scale;     // ±1 for the first trap, ±S for the second
  float offset;     // C or C'
  bool upper;       // continues while X >= 0, else while X <= 0
  float direction;  // +1 to the right, -1 to the left
  bool arrows;      // arrowheads near z = L/10 (second trap, right-hand curves)
};

// One curve of a trap level, from (0, start) outwards while it stays on its side of the
// axis. A point whose value is not finite (S = 0 and d ± z = 0) is skipped; the curve goes
// on from the last point it drew.
void trapCurve(Canvas& canvas, const TrapCurve& curve, const TrapProfile& profile, float L,
               float h) {
  canvas.dot(0.0f, curve.start);
  const float arrowColumn = std::floor((51.0f * L) / 10.0f);
  const float fiveH = 5 * h;
  for (int i = 0; i < profile.count; ++i) {
    const float z = curve.direction > 0 ? profile.z[size_t(i)] : -profile.z[size_t(i)];
    const double X = curve.scale * profile.f[size_t(i)] + curve.offset;
    if (!std::isfinite(X)) continue;
    if (curve.upper ? !(X >= 0) : !(X <= 0)) break;
    canvas.lineTo(z, f32(X), fieldColour);
    if (curve.arrows && std::floor(51.0f * z) == arrowColumn) {
      canvas.line(z, f32(X), z - fiveH, f32(X - h), fieldColour);
      canvas.line(z - fiveH, f32(X + h), z, f32(X), fieldColour);
    }
  }
}

void trapLevel(Canvas& xz, const TrapProfile& profile, float r, float L, float h, double S,
               double d, bool secondForm) {
  const double scale = secondForm ? S : 1.0;
  const double atCentre = (secondForm ? 2 * S * d : 2 * d) / std::pow(S * S + d * d, 0.5);
  const float C = f32(r - atCentre);
  const float Cprime = f32(-r + atCentre);
  trapCurve(xz, {r, scale, C, true, 1.0f, secondForm}, profile, L, h);
  trapCurve(xz, {r, scale, C, true, -1.0f, false}, profile, L, h);
  trapCurve(xz, {-r, -scale, Cprime, false, 1.0f, secondForm}, profile, L, h);
  trapCurve(xz, {-r, -scale, Cprime, false, -1.0f, false}, profile, L, h);
}

}  // namespace

const TrapProfile& Views::trapProfile(float L, double S, double d) {
  if (!m_trapProfile || !m_trapProfile->isFor(L, S, d)) m_trapProfile = std::make_shared<TrapProfile>(L, S, d);
  return *m_trapProfile;
}

void Views::DrawFieldStructure(const SimulationState& state) {
  const FieldConfig config = state.fieldConfig;
  const std::int16_t L = state.params.regionSize;
  const double S = state.params.S;
  const double d = state.params.d;
  const double half = L / 2.0;
  const double lineSpacing = L / 10.0;
  const float h = f32(L / 100.0);

  // Only the traps draw the profile (402 powers to build).
  const bool trap = config == 4 || config == 7;
  const TrapProfile* profile = trap ? &trapProfile(static_cast<float>(L), S, d) : nullptr;

  // Loop counters are this procedure's own: the particle's position is only read.
  for (std::int16_t k = 0; k <= levelCount; ++k) {
    switch (config) {
      case 1: {
        const double w = -half + k * lineSpacing;
        for (int j = 0; j <= levelCount; ++j) cross(m_xy, -half + j * lineSpacing, w, h);
        fieldLine(m_xz, L, w, h);
        break;
      }
      case 2: {
        const double a = std::exp(-half / S);
        const double b = std::exp(half / S);
        const double c = (b - a) / levelCount;
        const float w = f32(-std::log(a + k * c) * S);
        // S = 0 (or a level beyond the logarithm's domain) has no finite height: skipped.
        if (!std::isfinite(w)) break;
        for (int j = 0; j <= levelCount; ++j) cross(m_xy, -half + j * lineSpacing, w, h);
        fieldLine(m_xz, L, w, h);
        break;
      }
      case 3: {
        if (k > levelCount / 2) break;
        const double a = std::exp(-half / S);
        const double c = 2 * (1 - a) / levelCount;
        const float r = f32(-std::log(std::fabs(a + k * c)) * S);
        if (!std::isfinite(r)) break;
        ringOfCrosses(m_xy, r, h);
        fieldLine(m_xz, L, r, h);
        fieldLine(m_xz, L, -r, h);
        break;
      }
      case 4:
      case 7: {
        if (k > levelCount / 2) break;
        const double A = 1 / (L / 10.0);
        const double B = 1 / (L / 2.0);
        const double c = (A - B) / (levelCount / 2.0);
        const float r = f32(1 / (A - k * c));
        if (!std::isfinite(r)) break;
        ringOfCrosses(m_xy, r, h);
        trapLevel(m_xz, *profile, r, static_cast<float>(L), h, S, d, config == 7);
        break;
      }
      case 5:
        // The same circles in every pass leave the same pixels as drawing them once.
        if (k != 0) break;
        for (int j = 0; j <= levelCount / 2; ++j) m_xy.circle(0.0f, 0.0f, f32(j * lineSpacing), fieldColour);
        break;
      case 6: {
        if (k != 0) break;  // as for 5: one pass draws the whole figure
        const float theta = f32((piLiteral / 2) / 6);
        for (int j = 1; j <= levelCount + 1; ++j) {
          const float angle = static_cast<float>(j) * theta;
          const double u = L * std::cos(angle);
          const double w = L * std::sin(angle);
          m_xy.line(f32(u), f32(w), f32(-u), f32(-w), fieldColour);
          m_xz.line(f32(u), f32(w), f32(-u), f32(-w), fieldColour);
        }
        break;
      }
      default:
        break;  // no other configuration has a structure to draw
    }
  }
}

}  // namespace larmor
