#pragma once

#include <cstdint>

namespace larmor {

// A colour as 0xRRGGBB.
using Colour = std::uint32_t;

namespace colours {
constexpr Colour grid = 0x80FF80;   // light green
constexpr Colour axis = 0x0C0000;   // the near-black colour value 12
constexpr Colour field = 0xFF00FF;  // magenta
constexpr Colour positive = 0xFF0000;
constexpr Colour negative = 0x0000FF;
constexpr Colour neutral = 0x000000;
}  // namespace colours

}  // namespace larmor
