// Nanoseconds per RK4 step: the run's own step beside Boost.Odeint's classical
// runge_kutta4 on std::array<double, 6>, stepping the same equations with the same flags.

#include "model/Rk4Step.h"
#include "model/TrajectoryRun.h"

#include <benchmark/benchmark.h>
#include <boost/numeric/odeint/stepper/runge_kutta4.hpp>

#include <array>
#include <cmath>
#include <string>

namespace {

using larmor::FieldConfig;
using State6 = std::array<double, 6>;

larmor::SimulationState stateFor(FieldConfig config) {
  larmor::SimulationState s;
  s.fieldConfig = config;
  if (config >= 4) {
    const bool trap = config == 4 || config == 7;
    s.params.x0 = trap ? 1 : 0.3;
    s.params.z0 = trap ? -4 : -2;
  }
  s.computeQuantities();
  return s;
}

double stepOf(const larmor::SimulationState& s) {
  return s.quantities.period / larmor::stepsPerPeriod(s.fieldConfig);
}

// Cylindrical start values of a start point off the axis with x0 > 0.
larmor::CylindricalPoint cylindricalStart(const larmor::SimulationState& s) {
  const double beta = s.params.betaRad, vPerp = s.quantities.vPerp;
  const double rho = std::hypot(s.params.x0, s.params.y0);
  const double phi = std::atan(s.params.y0 / s.params.x0);
  return {rho,
          phi,
          s.params.z0,
          std::cos(phi - beta) * vPerp,
          static_cast<float>(std::sin(beta - phi) * vPerp / rho),
          static_cast<float>(s.quantities.vPar)};
}

void checkFinite(benchmark::State& bench, double value) {
  if (!std::isfinite(value)) bench.SkipWithError("the integrated state is not finite");
  bench.counters["last"] = value;  // keeps the result live and visible
}

void BM_Larmor(benchmark::State& bench) {
  const auto config = static_cast<FieldConfig>(bench.range(0));
  const larmor::SimulationState s = stateFor(config);
  const double dt = stepOf(s);
  if (larmor::isCylindrical(config)) {
    larmor::CylindricalPoint u = cylindricalStart(s);
    for (auto _ : bench) {
      u = larmor::rk4StepCylindrical(u, dt, config, s);
      benchmark::ClobberMemory();
    }
    checkFinite(bench, u.rho + u.z);
  } else {
    larmor::CartesianPoint u{s.params.x0,      s.params.y0,      s.params.z0,
                             s.quantities.vx0, s.quantities.vy0, static_cast<float>(s.quantities.vPar)};
    for (auto _ : bench) {
      u = larmor::rk4StepCartesian(u, dt, config, s);
      benchmark::ClobberMemory();
    }
    checkFinite(bench, u.x + u.z);
  }
}

// The same derivatives for odeint, in double precision throughout.
struct CartesianSystem {
  const larmor::SimulationState* s;
  FieldConfig config;
  void operator()(const State6& u, State6& du, double) const {
    const double omega = s->quantities.omega;
    const double f = larmor::field::bzXY(config, s->params, u[0], u[1]);
    du[0] = u[3];
    du[1] = u[4];
    du[2] = u[5];
    du[3] = omega * f * u[4];
    du[4] = -omega * f * u[3];
    du[5] = 0;
  }
};

struct CylindricalSystem {
  const larmor::SimulationState* s;
  FieldConfig config;
  // u = (rho, phi, z, vRho, phiDot, vz)
  void operator()(const State6& u, State6& du, double) const {
    const double omega = s->quantities.omega;
    du[0] = u[3];
    du[1] = u[4];
    du[2] = u[5];
    if (config == 5) {
      du[3] = u[0] * (u[4] * u[4]) - omega * u[5];
      du[4] = -2 * u[3] * u[4] / u[0];
      du[5] = omega * u[3];
    } else {
      const double bz = larmor::field::bzRZ(config, s->params, u[0], u[2]);
      const double bRho = larmor::field::bRhoRZ(config, s->params, u[0], u[2]);
      du[3] = u[0] * (u[4] * u[4]) + omega * bz * u[0] * u[4];
      du[4] = (omega * (bRho * u[5] - bz * u[3]) - 2 * u[3] * u[4]) / u[0];
      du[5] = -omega * bRho * u[0] * u[4];
    }
  }
};

template <typename System>
void odeintLoop(benchmark::State& bench, const System& system, State6 u, double dt) {
  boost::numeric::odeint::runge_kutta4<State6> stepper;
  double t = 0;
  for (auto _ : bench) {
    stepper.do_step(system, u, t, dt);
    t += dt;
    benchmark::ClobberMemory();
  }
  checkFinite(bench, u[0] + u[2]);
}

void BM_Odeint(benchmark::State& bench) {
  const auto config = static_cast<FieldConfig>(bench.range(0));
  const larmor::SimulationState s = stateFor(config);
  const double dt = stepOf(s);
  if (larmor::isCylindrical(config)) {
    const larmor::CylindricalPoint c = cylindricalStart(s);
    odeintLoop(bench, CylindricalSystem{&s, config}, {c.rho, c.phi, c.z, c.vRho, c.phiDot, c.vz}, dt);
  } else {
    odeintLoop(bench, CartesianSystem{&s, config},
               {s.params.x0, s.params.y0, s.params.z0, s.quantities.vx0, s.quantities.vy0,
                s.quantities.vPar},
               dt);
  }
}

// The whole step of the run as the window drives it: the RK4 step, the speed error and
// the accuracy text.
void BM_RunStep(benchmark::State& bench) {
  larmor::SimulationState s = stateFor(static_cast<FieldConfig>(bench.range(0)));
  larmor::TrajectoryRun run(s);
  run.prepare();
  for (auto _ : bench) benchmark::DoNotOptimize(run.step());
  checkFinite(bench, s.x);
}

BENCHMARK(BM_Larmor)->ArgName("config")->Arg(1)->Arg(2)->Arg(4)->Arg(5);
BENCHMARK(BM_Odeint)->ArgName("config")->Arg(1)->Arg(2)->Arg(4)->Arg(5);
BENCHMARK(BM_RunStep)->ArgName("config")->Arg(1)->Arg(4);

}  // namespace

BENCHMARK_MAIN();
