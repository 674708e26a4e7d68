#include "assets/tool/GifWriter.h"

#include <gif_lib.h>

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace larmor {
namespace {

TEST(GifWriter, RoundTripKeepsTheViewsColoursExactly) {
  const std::uint32_t colours[] = {0xFFFFFF, 0x000000, 0xFF00FF, 0x80FF80, 0x0C0000, 0xFF0000, 0x0000FF};
  constexpr int width = 7, height = 3;  // irregular order of the colours
  std::vector<std::uint32_t> pixels;
  for (int i = 0; i < width * height; ++i) pixels.push_back(0xFF000000u | colours[(i % width * 3 + i / width) % 7]);
  QTemporaryDir dir;
  const std::string path = dir.filePath(QStringLiteral("round.gif")).toStdString();
  std::string error;
  ASSERT_TRUE(writeGif(path, width, height, pixels.data(), &error)) << error;

  int status = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &status);
  ASSERT_NE(gif, nullptr);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK);
  EXPECT_EQ(gif->SWidth, width);
  EXPECT_EQ(gif->SHeight, height);
  for (int i = 0; i < width * height; ++i) {
    const GifColorType c = gif->SColorMap->Colors[gif->SavedImages[0].RasterBits[i]];
    EXPECT_EQ(std::uint32_t(c.Red) << 16 | std::uint32_t(c.Green) << 8 | c.Blue, pixels[std::size_t(i)] & 0xFFFFFF) << i;
  }
  DGifCloseFile(gif, &status);
  EXPECT_FALSE(writeGif(dir.filePath(QStringLiteral("no/x.gif")).toStdString(), 1, 1, pixels.data(), &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(writeGif(path, 0, 1, pixels.data(), &error));
}

}  // namespace
}  // namespace larmor
