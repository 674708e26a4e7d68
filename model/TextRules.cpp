#include "model/TextRules.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace larmor {

namespace {

struct NumberPattern {
  bool leadingBlank = false;
  int decimals = 0;
  bool scientific = false;
  int exponentDigits = 0;  // minimum width of the exponent
};

// " 0.000e+00" → blank, 3 decimals, scientific with two exponent digits.
NumberPattern parsePattern(std::string_view pattern) {
  NumberPattern p;
  std::size_t i = 0;
  if (i < pattern.size() && pattern[i] == ' ') {
    p.leadingBlank = true;
    ++i;
  }
  while (i < pattern.size() && pattern[i] == '0') ++i;  // the integer digit
  if (i < pattern.size() && pattern[i] == '.') {
    ++i;
    while (i < pattern.size() && pattern[i] == '0') {
      ++p.decimals;
      ++i;
    }
  }
  if (i < pattern.size() && (pattern[i] == 'e' || pattern[i] == 'E')) {
    p.scientific = true;
    ++i;
    if (i < pattern.size() && (pattern[i] == '+' || pattern[i] == '-')) ++i;
    while (i < pattern.size() && pattern[i] == '0') {
      ++p.exponentDigits;
      ++i;
    }
  }
  return p;
}

// The 15 significant decimal digits of a finite, non-negative x and the decimal exponent
// of the first one: x ≈ d0.d1…d14 × 10^exponent.
struct Digits15 {
  char digits[15];
  int exponent;
};

Digits15 fifteenDigits(double ax) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.14e", ax);
  Digits15 r{};
  int n = 0;
  const char* s = buf;
  for (; *s != 'e'; ++s)
    if (*s >= '0' && *s <= '9') r.digits[n++] = *s;
  r.exponent = std::atoi(s + 1);
  return r;
}

// Adds one unit in the last place of a digit string; true when it carries out of the front.
bool incrementDigits(std::string& digits) {
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return false;
    }
    digits[i] = '0';
  }
  return true;
}

// The first `keep` digits of the 15, rounded half away from zero at the next one
// (the 15-digit form decides, so a double just below a written half still rounds up).
// Returns true when the rounding carried into a new leading digit.
bool roundedDigits(const Digits15& d, int keep, std::string& out) {
  out.clear();
  if (keep < 0) return false;  // the value lies below half a unit of the last place
  for (int i = 0; i < keep; ++i) out.push_back(i < 15 ? d.digits[i] : '0');
  if (keep < 15 && d.digits[keep] >= '5') {
    if (incrementDigits(out)) {
      out.insert(out.begin(), '1');
      return true;
    }
  }
  return false;
}

std::string fixedBody(double ax, const NumberPattern& p, char separator) {
  const Digits15 d = fifteenDigits(ax);
  std::string digits;  // the value × 10^decimals, rounded, as an integer
  roundedDigits(d, d.exponent + 1 + p.decimals, digits);
  const std::size_t width = static_cast<std::size_t>(p.decimals) + 1;
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  std::string out = digits.substr(0, digits.size() - p.decimals);
  if (p.decimals > 0) {
    out.push_back(separator);
    out.append(digits, digits.size() - p.decimals, std::string::npos);
  }
  return out;
}

std::string scientificBody(double ax, const NumberPattern& p, char separator) {
  const Digits15 d = fifteenDigits(ax);
  int exponent = d.exponent;
  std::string digits;
  if (roundedDigits(d, 1 + p.decimals, digits)) {
    digits.pop_back();  // 9.9996 → 10.000 → 1.000 with the next exponent
    ++exponent;
  }
  if (ax == 0) exponent = 0;
  std::string out(1, digits[0]);
  if (p.decimals > 0) {
    out.push_back(separator);
    out.append(digits, 1, std::string::npos);
  }
  out.push_back('e');
  out.push_back(exponent < 0 ? '-' : '+');
  std::string e = std::to_string(exponent < 0 ? -exponent : exponent);
  if (static_cast<int>(e.size()) < p.exponentDigits) e.insert(0, p.exponentDigits - e.size(), '0');
  out += e;
  return out;
}

bool isSkippedBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string formatNumber(double x, std::string_view pattern, char decimalSeparator) {
  const NumberPattern p = parsePattern(pattern);
  std::string body;
  // The sign of a negative value is written even when the digits round to zero
  // ("- 0.0000": the computed speed did fall). A zero itself has no sign to show, so
  // −0.0 is written as 0; NaN has none either.
  const bool negative = x < 0;
  if (std::isnan(x)) {
    body = "nan";
  } else if (std::isinf(x)) {
    body = "inf";
  } else if (p.scientific) {
    body = scientificBody(std::fabs(x), p, decimalSeparator);
  } else {
    body = fixedBody(std::fabs(x), p, decimalSeparator);
  }
  std::string out;
  out.reserve(body.size() + 2);
  if (negative) out.push_back('-');
  if (p.leadingBlank) out.push_back(' ');
  out += body;
  return out;
}

std::string valueText(double x, std::string_view pattern) { return formatNumber(x, pattern, '.'); }

std::string signedText(long long n) {
  return n < 0 ? std::to_string(n) : " " + std::to_string(n);
}

double readNumber(std::string_view text) {
  // Enough significant digits for a correctly rounded double; beyond them only whether a
  // nonzero digit follows matters. Keeps a 100,000-digit text linear.
  constexpr std::size_t maxDigits = 800;
  constexpr long long exponentLimit = 1'000'000'000;

  const std::size_t n = text.size();
  std::size_t i = 0;
  auto skipBlanks = [&](std::size_t& k) {
    while (k < n && isSkippedBlank(text[k])) ++k;
  };

  skipBlanks(i);
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }

  std::string significant;
  long long scale = 0;  // value = significant × 10^scale
  bool anyDigit = false, point = false, droppedNonzero = false;
  for (;; ++i) {
    skipBlanks(i);
    if (i >= n) break;
    const char c = text[i];
    if (isDigit(c)) {
      anyDigit = true;
      if (significant.empty() && c == '0') {
        if (point) --scale;
      } else if (significant.size() < maxDigits) {
        significant.push_back(c);
        if (point) --scale;
      } else {
        if (c != '0') droppedNonzero = true;
        if (!point && scale < exponentLimit) ++scale;
      }
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!anyDigit) return 0;

  // An exponent counts only with at least one digit; otherwise reading stopped before it.
  if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t k = i + 1;
    skipBlanks(k);
    bool exponentNegative = false;
    if (k < n && (text[k] == '+' || text[k] == '-')) {
      exponentNegative = text[k] == '-';
      ++k;
    }
    long long exponent = 0;
    bool exponentDigit = false;
    for (;; ++k) {
      skipBlanks(k);
      if (k >= n || !isDigit(text[k])) break;
      exponentDigit = true;
      if (exponent < exponentLimit) exponent = exponent * 10 + (text[k] - '0');
    }
    if (exponentDigit) scale += exponentNegative ? -exponent : exponent;
  }

  if (significant.empty()) return negative ? -0.0 : 0.0;
  if (droppedNonzero) {
    significant.push_back('1');
    --scale;
  }
  const double largest = negative ? -DBL_MAX : DBL_MAX;
  const long long magnitude = scale + static_cast<long long>(significant.size());
  // A typed number never becomes infinite: too large gives the largest finite double.
  if (magnitude > 400) return largest;
  if (magnitude < -400) return negative ? -0.0 : 0.0;

  significant.push_back('e');
  significant += std::to_string(scale);
  double value = std::strtod(significant.c_str(), nullptr);
  if (std::isinf(value)) return largest;
  return negative ? -value : value;
}

double roundToTwoDecimals(double x) {
  if (!std::isfinite(x)) return x;
  const std::string text = formatNumber(x, "0.00");
  // Not strtod: the locale may use a comma. Near DBL_MAX the 15-digit rounding lies
  // beyond the double range: readNumber then gives the largest finite double. A small
  // negative value reads back from "-0.00" as −0.0; the stored length is plain 0, whose
  // text "0.00" reads back to the same bits.
  return readNumber(text) + 0.0;
}

std::string trimmed(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return std::string(text.substr(begin, end - begin));
}

}  // namespace larmor
