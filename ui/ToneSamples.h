#pragma once

#include <cstdint>
#include <vector>

namespace larmor {

// A sine tone as signed 16-bit mono samples: frequencyHz for durationMs at sampleRate
// [samples/s], with a short linear fade in and out so the start and end do not click.
// The count is durationMs * sampleRate / 1000 (rounded down); empty when any argument
// is not positive.
std::vector<std::int16_t> toneSamples(int frequencyHz, int durationMs, int sampleRate);

// Length of the fade at each end [ms].
constexpr int toneFadeMs = 5;

}  // namespace larmor
