#pragma once
// Counts the calls of the program's own code into the maths library (pow, exp) and how many
// of them found the upper halves of the vector registers in use, the state that makes each
// call pay a transition penalty on Intel cores. Calls from shared libraries (the toolkit's
// own) are not counted: only the program's mathematics must run clean.
#include <cstdint>

namespace larmor::probe {

struct MathCalls {
  std::int64_t all = 0;
  std::int64_t dirty = 0;  // made with the upper state in use
};

MathCalls mathCalls();
void resetMathCalls();

// Puts values into the upper halves of YMM registers, as 256-bit code of a library does.
// Does nothing on a CPU without AVX.
void dirtyUpperState();

}  // namespace larmor::probe
