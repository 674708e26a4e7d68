// The maths probe preloaded into a whole process (LD_PRELOAD): the upper state is put in use
// before main(), as a toolkit's start-up leaves it, and the counts are written to standard
// error at the exit as "math calls: N, dirty: M".
#include "tests/probe/MathProbe.h"

#include <cstdio>

namespace {

__attribute__((constructor)) void dirtyAtStart() { larmor::probe::dirtyUpperState(); }

__attribute__((destructor)) void reportAtExit() {
  const larmor::probe::MathCalls calls = larmor::probe::mathCalls();
  std::fprintf(stderr, "math calls: %lld, dirty: %lld\n", static_cast<long long>(calls.all),
               static_cast<long long>(calls.dirty));
}

}  // namespace
