#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>

namespace larmor {

// A fixed 256-colour palette for the line-art pictures: the 6×6×6 colour cube, a ramp of
// greys for antialiased text and the exact colours the views draw with (the grid's light
// green, the axes' near-black). Every colour maps to its nearest entry.
class FixedPalette {
public:
  static constexpr int size = 256;

  FixedPalette();

  std::uint32_t colour(int index) const { return m_colours[static_cast<std::size_t>(index)]; }
  // Index of the nearest entry (squared RGB distance; the lowest index on a tie).
  std::uint8_t indexOf(std::uint32_t rgb);

private:
  std::array<std::uint32_t, size> m_colours{};  // 0xRRGGBB
  std::unordered_map<std::uint32_t, std::uint8_t> m_cache;
};

// Writes a GIF of width × height pixels given as 0xAARRGGBB rows (alpha ignored), with the
// fixed palette. Returns false and fills error when the file cannot be written.
bool writeGif(const std::string& path, int width, int height, const std::uint32_t* pixels,
              std::string* error = nullptr);

}  // namespace larmor
