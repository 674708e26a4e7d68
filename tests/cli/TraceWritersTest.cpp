#include "cli/TraceWriters.h"

#include "assets/tool/GifWriter.h"

#include "model/Quantities.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <charconv>
#include <limits>

namespace larmor {
namespace {

TEST(TraceWriters, NumbersAreShortestAndReadBackExactly) {
  for (const double value : {0.1, 1.0 / 3, -4.733222060693322, 1e-300, 5e-324, std::numeric_limits<double>::max(),
                             double(float(0.1))}) {
    const std::string text = numberText(value);
    double back = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), back);
    EXPECT_TRUE(error == std::errc() && end == text.data() + text.size() && back == value) << text;
  }
  EXPECT_EQ(numberText(0.1) + ' ' + numberText(22000) + ' ' + numberText(-0.0), "0.1 22000 -0");
}

TEST(TraceWriters, JsonEscapesStringsAndWritesNullForBrokenCoordinates) {
  EXPECT_EQ(jsonString("w=4\"8\\") + jsonString("a\nb\t\x01") + jsonString("бесконечен"),
            R"("w=4\"8\\""a\nb\t\u0001""бесконечен")");
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(summaryJson({"w=1", "T=2", "R=3", "H=4"}, 7, RunStop::NonFinite, nan, inf, -4, "dV"),
            R"({"captions": ["w=1", "T=2", "R=3", "H=4"], "steps": 7, "complete": false, "stopped": "non-finite state", "x": null, "y": null, "z": -4, "dV": "dV", "integrator": "rk4"})"
            "\n");
}

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
  ASSERT_TRUE(gif && DGifSlurp(gif) == GIF_OK);
  EXPECT_EQ(std::pair(gif->SWidth, gif->SHeight), std::pair(width, height));
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
