#pragma once

#include "model/FieldVector.h"

namespace larmor {

// What the diagnostics show of a particle state, against the local field of the
// configuration (the field functions times Bo).
struct ParticleDiagnostics {
  double B = 0;         // [T] |B| at the particle
  double pitchDeg = 0;  // [deg] 0..180, the angle between v and B
  double vPar = 0;      // [m/s] the velocity along B, signed
  double vPerp = 0;     // [m/s] the speed across B
  double mu = 0;        // [J/T] magnetic moment m·vPerp²/(2|B|)
  double rho = 0, z = 0;  // [m] distance from the OZ axis, height
};

// The field at one point, worked out once for everything a step of a watched run measures
// there (the diagnostics sample and the theory meter): the field evaluation is the dearest
// part of both in the traps.
struct LocalField {
  Vec3 factor;  // fieldFactorAt
  Vec3 B;       // [T] Bo·factor, as fieldAt gives it
  double b = 0;  // [T] |B|
  double inverseB = 0;  // [1/T] 1/|B|; 0 where B is 0
  Vec3 bHat;    // B/|B|; the zero vector where B is 0
};

LocalField localField(FieldConfig config, const SimParams& params, const Vec3& position);

// Where Bo = 0 the field's direction is still the structure's (the direction of the
// factor), so the pitch, vPar and vPerp stay defined there, as they are in the limit of a
// weak field; mu is NaN, since no field means no gyration to give it a value. Where the
// structure itself has no direction (the azimuthal field on its axis, the monopole's
// origin, a factor of 0) the pitch, vPar, vPerp and mu are all NaN: a plot leaves a gap
// and a read-out shows a dash rather than an invented number. The pitch is converted with
// the program's degree factor, so that a start velocity set at alpha reads back as alpha;
// a velocity of 0 has the pitch 0.
ParticleDiagnostics diagnose(FieldConfig config, const SimParams& params, const Vec3& position,
                             const Vec3& velocity);
// The same against a field already worked out at the position (localField).
ParticleDiagnostics diagnose(const SimParams& params, const Vec3& position, const Vec3& velocity,
                             const LocalField& field);

}  // namespace larmor
