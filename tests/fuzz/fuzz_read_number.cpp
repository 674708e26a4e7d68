// readNumber on arbitrary bytes: it never fails, never gives an infinity or a NaN, a comma
// ends the number, a minus sign negates it, and a plain decimal text reads as strtod reads it.
#include "model/TextRules.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool isPlainDecimalChar(char c) {
  return (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using larmor::readNumber;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const double value = readNumber(text);
  if (!std::isfinite(value)) __builtin_trap();

  // Whatever follows a comma is never read.
  if (!sameBits(readNumber(text + ",9e9"), value)) __builtin_trap();

  // A minus sign in front negates whatever the text reads as (nothing readable stays 0).
  const std::size_t first = text.find_first_not_of(" \t\n\r");
  if (first == std::string::npos || (text[first] != '+' && text[first] != '-')) {
    if (readNumber("-" + text) != -value) __builtin_trap();
  }

  // A text strtod takes whole, made of digits, point, exponent and signs only, reads the
  // same to the last bit; beyond the double range a typed number is the largest double.
  bool plain = size > 0;
  for (char c : text) plain = plain && isPlainDecimalChar(c);
  if (plain) {
    char* end = nullptr;
    const double expected = std::strtod(text.c_str(), &end);
    if (end == text.c_str() + size) {
      const double clamped = std::isinf(expected) ? std::copysign(DBL_MAX, expected) : expected;
      if (!sameBits(value, clamped)) __builtin_trap();
    }
  }
  return 0;
}
