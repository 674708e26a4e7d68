// The example lessons: each opens, round-trips, runs to its end time within the step
// limit, and shows what its description promises, measured on its own trajectory.
#include "panel/ScenarioActions.h"
#include "panel/ScenarioJson.h"
#include "panel/RunDriver.h"
#include "panel/ControlPanel.h"

#include "model/FieldVector.h"
#include "model/Diagnostics.h"
#include "model/Theory.h"
#include "model/TheoryPrediction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

namespace larmor {
namespace {

struct Point {
  Vec3 r, v;
};

struct Lesson {
  Scenario scenario;
  ControlPanel panel{'.'};  // as the lesson opened
  std::vector<Point> steps;  // the start, then every step
  bool complete = false;
};

std::string contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

Lesson runLesson(const std::filesystem::path& path) {
  Lesson lesson;
  const std::string file = contents(path);
  const ScenarioRead read = readScenario(file);
  EXPECT_TRUE(read.ok()) << (read.ok() ? "" : problemText(*read.problem, Language::English));
  // Written as the program writes it, so the file and a saved copy compare byte for byte.
  EXPECT_EQ(scenarioJson(read.scenario), file);
  lesson.scenario = read.scenario;
  ControlPanel& panel = lesson.panel;
  startUpAsTheWindow(panel);
  applyScenario(panel, read.scenario);
  Scenario made = scenarioOf(panel, read.scenario.title, read.scenario.description);
  made.titleEnglish = read.scenario.titleEnglish, made.descriptionEnglish = read.scenario.descriptionEnglish;
  EXPECT_TRUE(made == read.scenario);
  // Both languages: the English texts are there and hold no Cyrillic letter (UTF-8 0xD0–0xD3 lead bytes).
  for (const std::string* english : {&read.scenario.titleEnglish, &read.scenario.descriptionEnglish})
    EXPECT_TRUE(!english->empty() && english->find_first_of("\xD0\xD1\xD2\xD3") == std::string::npos) << *english;

  // The start button's run, on a copy, through the driver every run of the program takes.
  struct Keep : RunObserver {
    Lesson& lesson;
    explicit Keep(Lesson& l) : lesson(l) {}
    void prepared(const Run&, const SimulationState& s) override {
      lesson.steps.push_back({{s.params.x0, s.params.y0, s.params.z0}, {s.quantities.vx0, s.quantities.vy0, s.quantities.vPar}});
    }
    bool stepped(const Run& run, const SimulationState& s, const TrailSegment&) override {
      lesson.steps.push_back({{s.x, s.y, s.z}, {run.vxCartesian(), run.vyCartesian(), run.vzCartesian()}});
      return true;
    }
  } keep(lesson);
  ControlPanel running = panel;
  lesson.complete = RunDriver(running).observe(keep).drive().whole();
  return lesson;
}

// The guiding centre: the particle's place less its gyration, r + m·(v × B)/(q·B²).
Vec3 guidingCentre(const Lesson& lesson, const Point& p) {
  const SimulationState& s = lesson.panel.state();
  const Vec3 B = fieldAt(s.fieldConfig, s.params, p.r);
  return p.r + (s.params.m / (s.params.q * dot(B, B))) * cross(p.v, B);
}

Vec3 drift(const Lesson& lesson) {
  const Vec3 from = guidingCentre(lesson, lesson.steps.front()), to = guidingCentre(lesson, lesson.steps.back());
  return {to.x - from.x, to.y - from.y, to.z - from.z};
}

// The gradient drift: more than a metre along y, to -y (sign -1) or +y, and little along x.
std::function<void(const Lesson&)> driftAlongY(int sign) {
  return [sign](const Lesson& l) {
    const Vec3 d = drift(l);
    EXPECT_GT(sign * d.y, 1.0);
    EXPECT_LT(std::fabs(d.x), 0.1 * std::fabs(d.y));
  };
}

// The turning of the velocity in the X0Y plane, summed [rad]: negative clockwise seen from +Z.
double turned(const Lesson& lesson) {
  double angle = 0;
  for (std::size_t k = 1; k < lesson.steps.size(); ++k) {
    const Vec3 &a = lesson.steps[k - 1].v, &b = lesson.steps[k].v;
    angle += std::atan2(a.x * b.y - a.y * b.x, a.x * b.x + a.y * b.y);
  }
  return angle;
}

// Sign changes of the velocity along the field, and the largest |z| reached.
std::pair<int, double> reflections(const Lesson& lesson) {
  const SimulationState& s = lesson.panel.state();
  int changes = 0;
  double farthest = 0, previous = 0;
  for (const Point& p : lesson.steps) {
    const double vPar = diagnose(s.fieldConfig, s.params, p.r, p.v).vPar;
    changes += previous * vPar < 0;
    previous = vPar;
    farthest = std::max(farthest, std::fabs(p.r.z));
  }
  return {changes, farthest};
}

TEST(Examples, EachLessonOpensRunsToItsEndAndShowsItsEffect) {
  std::map<std::string, Lesson> lessons;
  for (const auto& entry : std::filesystem::directory_iterator(LARMOR_EXAMPLES_DIR)) {
    if (entry.path().extension() != ".larmor") continue;
    SCOPED_TRACE(entry.path().filename().string());
    Lesson lesson = runLesson(entry.path());
    EXPECT_TRUE(lesson.complete) << "ends at its end time, within the step limit";
    // A Russian title and a description of a few sentences.
    const std::string& title = lesson.scenario.title;
    EXPECT_TRUE(title.find('\xD0') != std::string::npos || title.find('\xD1') != std::string::npos) << title;
    EXPECT_GT(lesson.scenario.description.size(), 100u);
    lessons.emplace(entry.path().stem().string(), std::move(lesson));
  }
  ASSERT_GE(lessons.size(), 8u);

  const std::map<std::string, std::function<void(const Lesson&)>> effects = {
      {"01-cyclotron-circle",
       [](const Lesson& l) {  // a circle of the shown radius, closed after every period
         double lowX = 1e9, highX = -1e9, lowY = 1e9, highY = -1e9, lowZ = 1e9, highZ = -1e9;
         for (const Point& p : l.steps) {
           lowX = std::min(lowX, p.r.x), highX = std::max(highX, p.r.x);
           lowY = std::min(lowY, p.r.y), highY = std::max(highY, p.r.y);
           lowZ = std::min(lowZ, p.r.z), highZ = std::max(highZ, p.r.z);
         }
         const double R = l.panel.state().quantities.radius;
         EXPECT_NEAR(highX - lowX, 2 * R, 0.005 * R);
         EXPECT_NEAR(highY - lowY, 2 * R, 0.005 * R);
         EXPECT_LT(highZ - lowZ, 1e-6);
         for (std::size_t period = 100; period < l.steps.size(); period += 100)
           EXPECT_LT(norm(l.steps[period].r + (-1.0) * l.steps[0].r), 0.01 * R) << period;
       }},
      {"04-gradient-drift-positive", driftAlongY(-1)},
      {"05-gradient-drift-negative", driftAlongY(1)},
      {"06-axial-drift",
       [](const Lesson& l) {  // the guiding centre goes once round OZ, at about the same distance
         double swept = 0;
         Vec3 previous = guidingCentre(l, l.steps.front());
         const double rho0 = std::hypot(previous.x, previous.y);
         for (const Point& p : l.steps) {
           const Vec3 c = guidingCentre(l, p);
           swept += std::atan2(previous.x * c.y - previous.y * c.x, previous.x * c.x + previous.y * c.y);
           EXPECT_NEAR(std::hypot(c.x, c.y), rho0, 0.2 * rho0);
           previous = c;
         }
         EXPECT_LT(swept, -2 * 3.14159265358979);
       }},
      {"07-trap-trapped",
       [](const Lesson& l) {
         const auto [changes, farthest] = reflections(l);
         EXPECT_GE(changes, 3);
         EXPECT_LT(farthest, 2.5);
       }},
      {"08-trap-loss-cone",
       [](const Lesson& l) {
         const auto [changes, farthest] = reflections(l);
         EXPECT_EQ(changes, 0);
         EXPECT_GT(l.steps.back().r.z, 3.0 + 1.0);
       }},
      {"09-centrifugal-drift", [](const Lesson& l) { EXPECT_GT(drift(l).z, 5.0); }},
      {"10-monopole-cone",
       [](const Lesson& l) {  // r̂·Ĵ is constant: a cone about J with its apex at the monopole
         const SimulationState& s = l.panel.state();
         const Vec3 r0 = l.steps.front().r;
         const double g = norm(fieldAt(s.fieldConfig, s.params, r0)) * dot(r0, r0);  // [T·m²]
         auto J = [&](const Point& p) {
           return s.params.m * cross(p.r, p.v) + (-s.params.q * g / norm(p.r)) * p.r;
         };
         const Vec3 axis = (1 / norm(J(l.steps.front()))) * J(l.steps.front());
         double nearest = 1e9, lowCos = 1, highCos = -1;
         for (const Point& p : l.steps) {
           const double c = dot(p.r, axis) / norm(p.r);
           lowCos = std::min(lowCos, c), highCos = std::max(highCos, c);
           nearest = std::min(nearest, norm(p.r));
         }
         EXPECT_LT(highCos - lowCos, 1e-4);
         EXPECT_GT(nearest, 1.4);  // never nearer than 1.5 m, as said
         EXPECT_GT(norm(l.steps.front().r), nearest + 1);
         EXPECT_GT(norm(l.steps.back().r), nearest + 1);  // it came and went back
         // The vector named as the theory table below the plots names it, in the window's
         // own symbols, so that the student can find every letter on the panel.
         for (const TheoryQuantity& q : theoryTable(predictTheory(s), nullptr, false)) {
           const std::string& explanation = q.explanation.russian;
           const std::size_t from = explanation.find("J = "), to = explanation.find("/|r|", from);
           if (std::string(q.key) != "poincareSpread" || to == std::string::npos) continue;
           const std::string formula = explanation.substr(from, to + 4 - from);
           EXPECT_NE(l.scenario.description.find(formula), std::string::npos) << formula;
         }
       }},
  };
  for (const auto& [name, effect] : effects) {
    SCOPED_TRACE(name);
    ASSERT_EQ(lessons.count(name), 1u);
    effect(lessons.at(name));
  }
  // The ion and the electron in the same field: opposite senses, frequencies in the ratio of the masses.
  const Lesson &ion = lessons.at("02-ion-weak-field"), &electron = lessons.at("03-electron-same-field");
  ASSERT_EQ(ion.panel.state().params.Bo, electron.panel.state().params.Bo);
  EXPECT_LT(turned(ion), -3 * 3.14159265358979);
  EXPECT_GT(turned(electron), 3 * 3.14159265358979);
  const double ionFrequency = std::fabs(turned(ion)) / (ion.steps.size() - 1) / (ion.panel.state().quantities.period / 100);
  const double electronFrequency =
      std::fabs(turned(electron)) / (electron.steps.size() - 1) / (electron.panel.state().quantities.period / 100);
  EXPECT_NEAR(electronFrequency / ionFrequency, atomicMassUnit / electronMass, 0.005 * 1823);
}

}  // namespace
}  // namespace larmor
