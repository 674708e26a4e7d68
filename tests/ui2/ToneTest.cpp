#include "ui/QtTonePlayer.h"
#include "ui/ToneSamples.h"

#include <QSemaphore>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <thread>

namespace larmor {
namespace {

// Largest magnitude of s[from, to).
int peakOf(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to) {
  int peak = 0;
  for (std::size_t i = from; i < to; ++i) peak = std::max(peak, std::abs(int(s[i])));
  return peak;
}

TEST(ToneSamples, FrequencyDurationAndFades) {
  const struct { int hz, ms, rate; } rows[] = {
      {880, 120, 48000}, {880, 120, 44100}, {440, 1000, 8000}, {880, 37, 22050}};
  for (const auto& r : rows) {
    SCOPED_TRACE(::testing::Message() << r.hz << " Hz " << r.ms << " ms at " << r.rate);
    const auto s = toneSamples(r.hz, r.ms, r.rate);
    ASSERT_EQ(s.size(), std::size_t(r.ms) * r.rate / 1000);
    int crossings = 0, lastSign = 0;  // two per period, zeros skipped
    for (auto v : s) {
      const int sign = (v > 0) - (v < 0);
      if (sign != 0 && lastSign != 0 && sign != lastSign) ++crossings;
      if (sign != 0) lastSign = sign;
    }
    const double seconds = double(s.size()) / r.rate;
    EXPECT_NEAR(crossings / (2 * seconds), r.hz, 1 / seconds);
    const std::size_t fade = std::size_t(toneFadeMs) * r.rate / 1000;
    const int peak = peakOf(s, 0, s.size());
    EXPECT_GT(peak, 8000) << "audible";
    EXPECT_EQ(peakOf(s, fade, s.size() - fade), peak) << "full level between the fades";
    // Both ends start near silence: no click.
    EXPECT_LE(std::max(std::abs(int(s.front())), std::abs(int(s.back()))), peak / 50);
    EXPECT_LT(peakOf(s, 0, fade / 4), peak / 3);
    EXPECT_LT(peakOf(s, s.size() - fade / 4, s.size()), peak / 3);
  }
  const int nothing[][3] = {{0, 120, 48000}, {880, 0, 48000}, {880, -5, 48000}, {880, 120, 0}};
  for (const auto& a : nothing) EXPECT_TRUE(toneSamples(a[0], a[1], a[2]).empty()) << a[0] << " " << a[1];
}

// A sound server that hangs on the device query must not hold up the caller of play(),
// and the device is looked up once, on the player's own thread, only when first needed.
TEST(QtTonePlayer, ProbesOnceOffTheCallersThreadWithoutBlockingIt) {
  QSemaphore entered, release;
  std::atomic<bool> releasedInTime{false};
  std::atomic<int> probes{0};
  std::thread::id probeThread;
  {
    QtTonePlayer player([&] {
      ++probes;
      probeThread = std::this_thread::get_id();
      entered.release();
      releasedInTime = release.tryAcquire(1, 20000);  // times out if play() waited for us
      return QAudioDevice();
    });
    EXPECT_EQ(probes.load(), 0);
    for (int i = 0; i < 5; ++i) player.play(880, 120);
    ASSERT_TRUE(entered.tryAcquire(1, 20000));
    release.release();
    player.play(880, 120);  // silent for good after finding no device
  }  // the destructor joins the audio thread
  EXPECT_TRUE(releasedInTime);
  EXPECT_NE(probeThread, std::this_thread::get_id());
  EXPECT_EQ(probes.load(), 1);
}

}  // namespace
}  // namespace larmor
