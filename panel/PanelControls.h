#pragma once

#include "model/Language.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace larmor {

// The controls of the panel that hold a position: the ten vertical bars and the
// slow-down bar. Their names are the window's control names.
enum class Bar {
  VScroll1,   // charge, in elementary charges
  VScroll2,   // mass: 0 the electron, else atomic mass units
  VScroll3,   // region size
  VScroll4,   // speed
  VScroll5,   // induction, in steps of BoStep
  VScroll6,   // alpha
  VScroll7,   // x0, in tenths of a metre
  VScroll8,   // y0
  VScroll9,   // z0
  VScroll10,  // beta
  HScroll1,   // slow-down
};
inline constexpr std::size_t barCount = 11;

// The controls that hold a typed text.
enum class TextBox { Text1, Text2, Text3 };  // S, run length in periods, d
inline constexpr std::size_t textBoxCount = 3;

// How the next run integrates: the classical Runge–Kutta run (the program's own) or the
// Boris pusher, offered beside it because it keeps the speed.
enum class Integrator { Rk4, Boris };
struct IntegratorName {
  Integrator integrator;
  const char* key;      // in scenario files, the companion's option and its summary
  const char* caption;  // where a picture or a plot says which method drew it (UTF-8)
  const char* englishCaption;
};
inline constexpr IntegratorName integratorNames[] = {
    {Integrator::Rk4, "rk4", "метод Рунге–Кутты", "Runge–Kutta method"},
    {Integrator::Boris, "boris", "метод Бориса", "Boris method"},
};
inline const char* integratorKey(Integrator integrator) {
  return integratorNames[static_cast<std::size_t>(integrator)].key;
}
inline const char* methodCaption(Integrator integrator, Language language = Language::Russian) {
  const IntegratorName& name = integratorNames[static_cast<std::size_t>(integrator)];
  return language == Language::Russian ? name.caption : name.englishCaption;
}
// Nothing for a key no integrator has.
inline std::optional<Integrator> integratorFromKey(std::string_view key) {
  for (const IntegratorName& name : integratorNames)
    if (key == name.key) return name.integrator;
  return std::nullopt;
}

// What a bar allows. A vertical bar has its largest value at the top.
struct BarRange {
  int lowest;
  int highest;
  int smallChange;
  int largeChange;
  int designPosition;  // where the bar stands before start-up moves it
};

inline constexpr std::array<BarRange, barCount> barRanges = {{
    {-5, 5, 1, 2, 5},              // VScroll1
    {0, 10, 1, 2, 0},              // VScroll2
    {1, 10, 1, 1, 4},              // VScroll3
    {1, 30000, 100, 1000, 100},    // VScroll4
    {0, 30000, 10, 100, 1},        // VScroll5
    {0, 180, 1, 10, 0},            // VScroll6
    {-50, 50, 1, 1, 1},            // VScroll7
    {-50, 50, 1, 1, 5},            // VScroll8
    {-100, 100, 1, 1, 1},          // VScroll9
    {-180, 180, 1, 10, 0},         // VScroll10
    {0, 10, 1, 1, 10},             // HScroll1
}};

constexpr const BarRange& barRange(Bar bar) { return barRanges[static_cast<std::size_t>(bar)]; }

constexpr int clampToBar(Bar bar, int position) {
  const BarRange& range = barRange(bar);
  return position < range.lowest ? range.lowest : position > range.highest ? range.highest : position;
}

}  // namespace larmor
