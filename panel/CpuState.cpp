#include "panel/CpuState.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace larmor {

#if defined(__x86_64__) || defined(__i386__)

namespace {

// AVX usable: the CPU has it and the system saves the YMM state (OSXSAVE, XCR0 bits 1-2).
bool avxUsable() {
  unsigned a = 0, b = 0, c = 0, d = 0;
  if (!__get_cpuid(1, &a, &b, &c, &d)) return false;
  const bool osxsave = (c & bit_OSXSAVE) != 0, avx = (c & bit_AVX) != 0;
  if (!osxsave || !avx) return false;
  unsigned xcr0Low = 0, xcr0High = 0;
  __asm__ volatile("xgetbv" : "=a"(xcr0Low), "=d"(xcr0High) : "c"(0));
  return (xcr0Low & 0x6u) == 0x6u;
}

// XGETBV with ECX = 1 reports which state components are in use (CPUID leaf 0xD, sub-leaf 1,
// EAX bit 2).
bool inUseReadable() {
  if (!avxUsable()) return false;
  unsigned a = 0, b = 0, c = 0, d = 0;
  if (__get_cpuid_max(0, nullptr) < 0xD) return false;
  __cpuid_count(0xD, 1, a, b, c, d);
  return (a & (1u << 2)) != 0;
}

const bool readable = inUseReadable();

}  // namespace

const bool cpuHasAvx = avxUsable();

bool upperRegisterStateReadable() { return readable; }

bool upperRegisterStateInUse() {
  if (!readable) return false;
  unsigned low = 0, high = 0;
  __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1));
  return (low & 0x4u) != 0;
}

#else

const bool cpuHasAvx = false;
bool upperRegisterStateReadable() { return false; }
bool upperRegisterStateInUse() { return false; }

#endif

}  // namespace larmor
