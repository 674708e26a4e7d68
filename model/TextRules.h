#pragma once

#include <string>
#include <string_view>

namespace larmor {

// Writes x after a pattern: an optional leading blank, "0", ".", k zeros and optionally
// "e+00" ("0.00", " 0.000e+00", "0.00000000000e+00"). The number is first taken to 15
// significant decimal digits, then rounded to the pattern's decimals with halves away
// from zero (so 2.675 gives 2.68 although its double lies just below the half).
// A negative number gets "-" in front of everything, the pattern's blank included, also
// when it rounds to zero (-0.004 after " 0.00" gives "- 0.00"); −0.0 is written as 0.
// decimalSeparator is the locale's: the result captions use it.
std::string formatNumber(double x, std::string_view pattern, char decimalSeparator = '.');

// formatNumber with a decimal point whatever the locale: the value texts beside the controls.
std::string valueText(double x, std::string_view pattern);

// " 1", "-2", " 25": a blank in front of a number that is not negative.
std::string signedText(long long n);

// Reads a typed decimal number up to the first character that does not fit; blanks, tabs
// and line feeds anywhere are skipped; "e", "E", "d" or "D" start the exponent; a comma
// ends the number; nothing readable gives 0.
double readNumber(std::string_view text);

// The two-decimal rounding of formatNumber(x, "0.00"): the value that text shows, a zero
// result always +0 (a small negative value is a length of 0, not −0).
double roundToTwoDecimals(double x);

// Leading and trailing blanks removed.
std::string trimmed(std::string_view text);

}  // namespace larmor
