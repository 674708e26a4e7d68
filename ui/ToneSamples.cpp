#include "ui/ToneSamples.h"

#include "model/Constants.h"

#include <algorithm>
#include <cmath>

namespace larmor {

std::vector<std::int16_t> toneSamples(int frequencyHz, int durationMs, int sampleRate) {
  if (frequencyHz <= 0 || durationMs <= 0 || sampleRate <= 0) return {};
  const std::size_t count =
      static_cast<std::size_t>(static_cast<long long>(durationMs) * sampleRate / 1000);
  // The fade never takes more than half the tone, so a very short tone still peaks.
  const std::size_t fade = std::min<std::size_t>(
      static_cast<std::size_t>(static_cast<long long>(toneFadeMs) * sampleRate / 1000),
      count / 2);
  constexpr double amplitude = 0.5 * 32767.0;  // half scale: audible, not harsh
  const double twoPi = 2 * pi;
  const double phaseStep = twoPi * frequencyHz / sampleRate;  // [rad/sample]

  std::vector<std::int16_t> samples(count);
  for (std::size_t i = 0; i < count; ++i) {
    double gain = 1.0;
    if (fade > 0) {
      if (i < fade) gain = static_cast<double>(i) / static_cast<double>(fade);
      const std::size_t fromEnd = count - 1 - i;
      if (fromEnd < fade) gain = std::min(gain, static_cast<double>(fromEnd) / fade);
    }
    const double value = amplitude * gain * std::sin(phaseStep * static_cast<double>(i));
    samples[i] = static_cast<std::int16_t>(std::lround(value));
  }
  return samples;
}

}  // namespace larmor
