// formatNumber and valueText on arbitrary doubles with every pattern the program shows:
// the text has the pattern's shape, reads back within half a unit of its last digit, and
// the S box's two-decimal value survives its own text.
#include "model/SimParams.h"
#include "model/TextRules.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view patterns[] = {" 0.000000000e+00", "0.00000000000e+00", "0.0000000000e+00",
                                         "0.000e+00",        "0.00",              " 0.000e+00",
                                         " 0.0000"};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Counts the digits from position i on.
std::size_t digitsFrom(const std::string& s, std::size_t& i) {
  const std::size_t start = i;
  while (i < s.size() && isDigit(s[i])) ++i;
  return i - start;
}

// "-", the pattern's blank, then "nan"/"inf" or the digits the pattern asks for.
bool hasShape(const std::string& text, std::string_view pattern, char separator, double x) {
  const bool blank = pattern[0] == ' ';
  const std::size_t point = pattern.find('.');
  const std::size_t e = pattern.find('e');
  const std::size_t decimals = (e == std::string_view::npos ? pattern.size() : e) - point - 1;
  std::size_t i = 0;
  if (i < text.size() && text[i] == '-') ++i;
  if (blank && (i >= text.size() || text[i++] != ' ')) return false;
  const std::string body = text.substr(i);
  if (std::isnan(x)) return body == "nan" && i == (blank ? 1u : 0u);
  if (std::isinf(x)) return body == "inf";
  const std::size_t whole = digitsFrom(text, i);
  if (whole == 0 || (e != std::string_view::npos && whole != 1)) return false;
  if (i >= text.size() || text[i++] != separator || digitsFrom(text, i) != decimals) return false;
  if (e == std::string_view::npos) return i == text.size();
  if (i + 1 >= text.size() || text[i] != 'e' || (text[i + 1] != '+' && text[i + 1] != '-')) return false;
  i += 2;
  return digitsFrom(text, i) >= pattern.size() - e - 2 && i == text.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace larmor;
  FuzzedDataProvider in(data, size);
  const std::string_view pattern = in.PickValueInArray(patterns);
  const char separator = in.ConsumeBool() ? ',' : '.';
  double x = 0;
  const auto bytes = in.ConsumeBytes<std::uint8_t>(sizeof x);
  if (!bytes.empty()) std::memcpy(&x, bytes.data(), bytes.size());

  const std::string text = formatNumber(x, pattern, separator);
  if (!hasShape(text, pattern, separator, x)) __builtin_trap();
  const std::string shown = valueText(x, pattern);
  if (!hasShape(shown, pattern, '.', x)) __builtin_trap();
  if (!std::isfinite(x)) return 0;

  // Read back: within half a unit of the last digit, after the 15-digit rounding. The minus
  // sign stands exactly on a negative value, also one whose digits round to zero ("- 0.0000"
  // reads back as −0.0); −0.0 itself is written without it.
  const double back = readNumber(shown);
  const bool scientific = pattern.find('e') != std::string_view::npos;
  const double decimals = static_cast<double>(pattern.size() - pattern.find('.') - 1 - (scientific ? 4 : 0));
  const double halfUnit = 0.5 * std::pow(10.0, -decimals);
  const double tolerance = (scientific ? halfUnit * std::fabs(x) : halfUnit) + 1e-14 * std::fabs(x) + 1e-300;
  if (!(std::fabs(back - x) <= tolerance)) __builtin_trap();
  if ((shown[0] == '-') != (x < 0) || std::signbit(back) != (x < 0)) __builtin_trap();

  // What the S box keeps is its own two-decimal text read back, bit for bit (so never −0.0,
  // whose text has no sign), for every finite value (readNumber never gives a non-finite
  // one, so the box never holds one).
  const double kept = roundToTwoDecimals(x);
  const double again = readNumber(twoDecimalsText(kept));
  if (std::memcmp(&kept, &again, sizeof kept) != 0) __builtin_trap();
  if (roundToTwoDecimals(kept) != kept) __builtin_trap();
  return 0;
}
