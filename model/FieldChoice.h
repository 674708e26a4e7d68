#pragma once

#include "model/FieldConfig.h"

#include <array>
#include <optional>

namespace larmor {

// What choosing a field structure in the configuration list sets up: which inputs it
// needs, the start values suited to it and its illustration. The window, the headless
// companion and the help documents' figures all read this one table.
struct FieldChoice {
  bool showS;                // the characteristic-length input (Label27, Text1)
  bool showD;                // the trap half-width input (Label28, Text3)
  std::optional<double> S;   // [m] set for the structures whose field uses S
  double x0;                 // [m]
  float z0;                  // [m] single precision, as the parameter
  const char* picture;       // looked up by bare name in the working directory
};

// The other two illustrations: the start-up's, and the start direction's, shown once an
// angle of the start velocity is moved, until the next selection.
inline constexpr const char* startUpPictureName = "mudr.gif";
inline constexpr const char* velocityPictureName = "velocity.gif";

// Indexed by configuration − 1.
inline constexpr std::array<FieldChoice, fieldConfigCount> fieldChoices = {{
    {false, false, std::nullopt, 1, -4.0f, "1.gif"},
    {true, false, 3.3, 1, -4.0f, "2.gif"},
    {true, false, 3.3, 1, -4.0f, "3.gif"},
    {true, true, 0.3, 1, -4.0f, "4.gif"},
    {false, false, std::nullopt, 1, -4.0f, "5.gif"},
    {true, false, 5.0, 1, -2.0f, "6.gif"},
    {true, true, 5.0, 0.3, -4.0f, "7.gif"},
}};

// The row of a configuration 1..fieldConfigCount.
constexpr const FieldChoice& fieldChoice(FieldConfig config) {
  return fieldChoices[static_cast<std::size_t>(config - 1)];
}

}  // namespace larmor
