#include "assets/tool/GifWriter.h"

#include <gif_lib.h>

#include <limits>
#include <vector>

namespace larmor {

namespace {

constexpr int channel(std::uint32_t rgb, int shift) { return static_cast<int>((rgb >> shift) & 0xFF); }

// The colours the pictures use exactly: they must not shift to a neighbour of the cube.
constexpr std::uint32_t exactColours[] = {0x80FF80, 0x0C0000, 0xFFFFC0, 0xC0FFFF};

}  // namespace

FixedPalette::FixedPalette() {
  std::size_t n = 0;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        m_colours[n++] = static_cast<std::uint32_t>((r * 51) << 16 | (g * 51) << 8 | (b * 51));
  for (std::uint32_t c : exactColours) m_colours[n++] = c;
  // Greys between the cube's six: antialiased black text on white lands on these.
  const std::size_t greys = size - n;
  for (std::size_t i = 0; n < size; ++i) {
    const auto level = static_cast<std::uint32_t>((i + 1) * 255 / (greys + 1));
    m_colours[n++] = level << 16 | level << 8 | level;
  }
}

std::uint8_t FixedPalette::indexOf(std::uint32_t rgb) {
  rgb &= 0xFFFFFF;
  if (auto it = m_cache.find(rgb); it != m_cache.end()) return it->second;
  int best = 0;
  int bestDistance = std::numeric_limits<int>::max();
  for (int i = 0; i < size; ++i) {
    const std::uint32_t c = m_colours[static_cast<std::size_t>(i)];
    const int dr = channel(rgb, 16) - channel(c, 16);
    const int dg = channel(rgb, 8) - channel(c, 8);
    const int db = channel(rgb, 0) - channel(c, 0);
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  const auto index = static_cast<std::uint8_t>(best);
  m_cache.emplace(rgb, index);
  return index;
}

bool writeGif(const std::string& path, int width, int height, const std::uint32_t* pixels,
              std::string* error) {
  auto fail = [error](const char* what, int code) {
    if (error) *error = std::string(what) + ": " + GifErrorString(code);
    return false;
  };
  if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF) {
    if (error) *error = "image size out of the GIF range";
    return false;
  }

  FixedPalette palette;
  std::vector<GifColorType> entries(FixedPalette::size);
  for (int i = 0; i < FixedPalette::size; ++i) {
    const std::uint32_t c = palette.colour(i);
    entries[static_cast<std::size_t>(i)] = {static_cast<GifByteType>(channel(c, 16)),
                                            static_cast<GifByteType>(channel(c, 8)),
                                            static_cast<GifByteType>(channel(c, 0))};
  }
  ColorMapObject* map = GifMakeMapObject(FixedPalette::size, entries.data());
  if (!map) {
    if (error) *error = "out of memory";
    return false;
  }

  int code = 0;
  GifFileType* gif = EGifOpenFileName(path.c_str(), false, &code);
  if (!gif) {
    GifFreeMapObject(map);
    return fail("cannot open", code);
  }
  bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_OK &&
            EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
  std::vector<GifPixelType> row(static_cast<std::size_t>(width));
  for (int y = 0; ok && y < height; ++y) {
    const std::uint32_t* source = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    for (int x = 0; x < width; ++x) row[static_cast<std::size_t>(x)] = palette.indexOf(source[x]);
    ok = EGifPutLine(gif, row.data(), width) == GIF_OK;
  }
  const int writeError = gif->Error;
  GifFreeMapObject(map);
  if (EGifCloseFile(gif, &code) != GIF_OK) return fail("cannot finish", code);
  if (!ok) return fail("cannot write", writeError);
  return true;
}

}  // namespace larmor
