#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace larmor {

struct SimParams;

// The field structure, 1 to 7, in the order of the configuration list.
using FieldConfig = std::int16_t;

constexpr FieldConfig fieldConfigCount = 7;

// The list texts, index 0 for configuration 1.
extern const std::array<std::string_view, fieldConfigCount> fieldConfigTexts;

// The list texts of the English window, in the same order. The panel knows a structure by
// its Russian text; these are only shown.
extern const std::array<std::string_view, fieldConfigCount> fieldConfigEnglishTexts;

// Configuration of a list text, 0 when the text names none (the match is exact).
FieldConfig fieldConfigFromText(std::string_view text);

// Integration steps per cyclotron period: 300 for the trap, 400 for the second trap, else 100.
int stepsPerPeriod(FieldConfig config);

// True for the configurations the run integrates in the cylindrical frame (4 to 7).
// Inline: the run asks at every step.
inline bool isCylindrical(FieldConfig config) { return config >= 4 && config <= 7; }

// The field divided by Bo. Each reads S and d from the live parameter set, computes in
// double precision and returns single precision; 0 for a configuration it does not handle.
float bzXY(FieldConfig config, const SimParams& params, double x, double y);
float bzRZ(FieldConfig config, const SimParams& params, double rho, double z);
float bRhoRZ(FieldConfig config, const SimParams& params, double rho, double z);

}  // namespace larmor
