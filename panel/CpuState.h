#pragma once

namespace larmor {

// The upper halves of the x86 vector registers (the YMM state). Code of the toolkit or of
// the C library that uses 256-bit instructions can leave them in use; from then on every
// call into the maths library (pow, exp, sincos, atan2), whose code is SSE-encoded, pays
// a transition penalty on Intel cores: about ten times the cost of the call itself. The
// run driver clears the state before every step and before every observer, so each step's
// mathematics run with it clean whatever ran in between.

// Read from the CPU before main(): vzeroupper exists only on a CPU with AVX, so whether it
// may be used is never assumed from the compiler's flags. False on other architectures.
extern const bool cpuHasAvx;

// Inline, because it runs several times a step: a predicted branch and one instruction.
inline void clearUpperRegisterState() {
#if defined(__x86_64__) || defined(__i386__)
  // Code compiled for SSE carries values only in the lower halves, which vzeroupper keeps.
  if (cpuHasAvx) __asm__ volatile("vzeroupper");
#endif
}

// Whether upperRegisterStateInUse() can tell anything here: the CPU reports the state in
// use through XGETBV with ECX = 1.
bool upperRegisterStateReadable();

// True while the upper halves of YMM0–15 hold values (XGETBV(1), bit 2); false where the
// state cannot be read.
bool upperRegisterStateInUse();

}  // namespace larmor
