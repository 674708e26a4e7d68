#include "ui/QtTonePlayer.h"
#include "ui/ToneSamples.h"

#include <QSemaphore>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <thread>

namespace larmor {
namespace {

struct ToneCase {
  const char* name;
  int frequencyHz;
  int durationMs;
  int sampleRate;
};

const ToneCase toneCases[] = {
    {"end of run, 48 kHz", 880, 120, 48000},
    {"end of run, 44.1 kHz", 880, 120, 44100},
    {"long low tone", 440, 1000, 8000},
    {"odd rate", 880, 37, 22050},
};

// Sign changes from one sample to the next, zeros skipped.
int zeroCrossings(const std::vector<std::int16_t>& s) {
  int crossings = 0;
  int lastSign = 0;
  for (std::int16_t v : s) {
    const int sign = (v > 0) - (v < 0);
    if (sign == 0) continue;
    if (lastSign != 0 && sign != lastSign) ++crossings;
    lastSign = sign;
  }
  return crossings;
}

TEST(ToneSamples, FrequencyDurationAndFades) {
  for (const ToneCase& c : toneCases) {
    SCOPED_TRACE(c.name);
    const auto s = toneSamples(c.frequencyHz, c.durationMs, c.sampleRate);
    ASSERT_EQ(s.size(),
              static_cast<std::size_t>(static_cast<long long>(c.durationMs) * c.sampleRate / 1000));

    // Two crossings per period; allow one crossing of slack at either end.
    const double seconds = static_cast<double>(s.size()) / c.sampleRate;
    const double measuredHz = zeroCrossings(s) / (2.0 * seconds);
    EXPECT_NEAR(measuredHz, c.frequencyHz, 1.0 / seconds);

    const std::size_t fade = static_cast<std::size_t>(toneFadeMs) * c.sampleRate / 1000;
    int peak = 0;
    for (auto v : s) peak = std::max(peak, std::abs(static_cast<int>(v)));
    EXPECT_GT(peak, 8000) << "audible";
    // The ends start and finish near silence and rise within the fade.
    EXPECT_LE(std::abs(s.front()), peak / 50);
    EXPECT_LE(std::abs(s.back()), peak / 50);
    int headPeak = 0;
    int tailPeak = 0;
    for (std::size_t i = 0; i < fade / 4; ++i) {
      headPeak = std::max(headPeak, std::abs(static_cast<int>(s[i])));
      tailPeak = std::max(tailPeak, std::abs(static_cast<int>(s[s.size() - 1 - i])));
    }
    EXPECT_LT(headPeak, peak / 3);
    EXPECT_LT(tailPeak, peak / 3);
    int middlePeak = 0;
    for (std::size_t i = fade; i < s.size() - fade; ++i)
      middlePeak = std::max(middlePeak, std::abs(static_cast<int>(s[i])));
    EXPECT_EQ(middlePeak, peak) << "full level between the fades";
  }
}

TEST(ToneSamples, NothingForNonPositiveArguments) {
  EXPECT_TRUE(toneSamples(0, 120, 48000).empty());
  EXPECT_TRUE(toneSamples(880, 0, 48000).empty());
  EXPECT_TRUE(toneSamples(880, -5, 48000).empty());
  EXPECT_TRUE(toneSamples(880, 120, 0).empty());
}

// A sound server that hangs on the device query must not hold up the caller of play().
TEST(QtTonePlayer, StuckDeviceQueryDoesNotBlockTheCaller) {
  QSemaphore entered;
  QSemaphore release;
  std::atomic<bool> releasedInTime{false};
  std::thread::id probeThread;
  {
    QtTonePlayer player([&] {
      probeThread = std::this_thread::get_id();
      entered.release();
      // Were play() waiting for this, the test would release nothing and this times out.
      releasedInTime = release.tryAcquire(1, 20000);
      return QAudioDevice();
    });
    player.play(880, 120);
    player.play(880, 120);
    ASSERT_TRUE(entered.tryAcquire(1, 20000));
    release.release();
  }  // the destructor joins the audio thread
  EXPECT_TRUE(releasedInTime);
  EXPECT_NE(probeThread, std::this_thread::get_id());
}

TEST(QtTonePlayer, SilentWithoutDeviceAndProbesOnce) {
  std::atomic<int> probes{0};
  {
    QtTonePlayer player([&] {
      ++probes;
      return QAudioDevice();
    });
    EXPECT_EQ(probes.load(), 0) << "nothing is probed before the first tone";
    player.play(880, 120);
    EXPECT_TRUE(QTest::qWaitFor([&] { return probes.load() == 1; }, 10000));
    for (int i = 0; i < 5; ++i) player.play(880, 120);
  }
  EXPECT_EQ(probes.load(), 1);
}

}  // namespace
}  // namespace larmor
