#include "model/FieldConfig.h"

#include "model/FieldFormulas.h"

namespace larmor {

const std::array<std::string_view, fieldConfigCount> fieldConfigTexts = {
    "Однородное поле",    "Плоский дрейф",      "Осевой дрейф", "Магнитная ловушка",
    "Центробежный дрейф", "Магнитный монополь", "Ловушка-2",
};

const std::array<std::string_view, fieldConfigCount> fieldConfigEnglishTexts = {
    "Uniform field",      "Plane drift",        "Axial drift",  "Magnetic trap",
    "Centrifugal drift",  "Magnetic monopole",  "Trap-2",
};

FieldConfig fieldConfigFromText(std::string_view text) {
  for (FieldConfig i = 0; i < fieldConfigCount; ++i)
    if (fieldConfigTexts[i] == text) return static_cast<FieldConfig>(i + 1);
  return 0;
}

int stepsPerPeriod(FieldConfig config) {
  switch (config) {
    case 4:
      return 300;
    case 7:
      return 400;
    default:
      return 100;
  }
}

float bzXY(FieldConfig config, const SimParams& params, double x, double y) {
  return field::bzXY(config, params, x, y);
}

float bzRZ(FieldConfig config, const SimParams& params, double rho, double z) {
  return field::bzRZ(config, params, rho, z);
}

float bRhoRZ(FieldConfig config, const SimParams& params, double rho, double z) {
  return field::bRhoRZ(config, params, rho, z);
}

}  // namespace larmor
