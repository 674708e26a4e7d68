#include "assets/tool/GifWriter.h"

#include <gif_lib.h>

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <vector>

namespace larmor {
namespace {

std::vector<std::uint32_t> decode(const std::string& path, int& width, int& height) {
  int error = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
  EXPECT_NE(gif, nullptr);
  if (!gif) return {};
  EXPECT_EQ(DGifSlurp(gif), GIF_OK);
  width = gif->SWidth;
  height = gif->SHeight;
  std::vector<std::uint32_t> pixels;
  const ColorMapObject* map = gif->SColorMap;
  const SavedImage& image = gif->SavedImages[0];
  for (int i = 0; i < width * height; ++i) {
    const GifColorType c = map->Colors[image.RasterBits[i]];
    pixels.push_back(static_cast<std::uint32_t>(c.Red) << 16 | static_cast<std::uint32_t>(c.Green) << 8 | c.Blue);
  }
  DGifCloseFile(gif, &error);
  return pixels;
}

TEST(GifWriter, RoundTripKeepsTheViewsColoursExactly) {
  // The colours the pictures draw with, in a 7 × 3 image of irregular order.
  const std::uint32_t colours[] = {0xFFFFFF, 0x000000, 0xFF00FF, 0x80FF80, 0x0C0000, 0xFF0000, 0x0000FF};
  constexpr int width = 7, height = 3;
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(0xFF000000u | colours[(x * 3 + y) % 7]);

  QTemporaryDir dir;
  const std::string path = dir.filePath(QStringLiteral("round.gif")).toStdString();
  std::string error;
  ASSERT_TRUE(writeGif(path, width, height, pixels.data(), &error)) << error;
  int w = 0, h = 0;
  const std::vector<std::uint32_t> back = decode(path, w, h);
  ASSERT_EQ(w, width);
  ASSERT_EQ(h, height);
  for (int i = 0; i < width * height; ++i) EXPECT_EQ(back[static_cast<std::size_t>(i)], pixels[static_cast<std::size_t>(i)] & 0xFFFFFF) << i;
}

TEST(GifWriter, OtherColoursGoToTheirNearestEntry) {
  FixedPalette palette;
  struct Row {
    std::uint32_t colour;
    int maxChannelError;  // the palette's worst case for this kind of colour
  };
  // Antialiased greys find a grey within a few levels; any colour lies within half a cube step.
  for (const Row row : {Row{0x7F7F7F, 4}, Row{0x3A3A3A, 4}, Row{0xE9E9E9, 4}, Row{0x123456, 26}, Row{0xFE01FD, 2}}) {
    const std::uint32_t found = palette.colour(palette.indexOf(row.colour));
    for (const int shift : {16, 8, 0}) {
      const int a = static_cast<int>((row.colour >> shift) & 0xFF), b = static_cast<int>((found >> shift) & 0xFF);
      EXPECT_LE(std::abs(a - b), row.maxChannelError) << std::hex << row.colour << " -> " << found;
    }
  }
}

TEST(GifWriter, ReportsAFileItCannotWrite) {
  const std::uint32_t pixel = 0xFFFFFFFF;
  std::string error;
  EXPECT_FALSE(writeGif("/nonexistent-folder/x.gif", 1, 1, &pixel, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(writeGif("/tmp/never-written.gif", 0, 1, &pixel, &error));
}

}  // namespace
}  // namespace larmor
