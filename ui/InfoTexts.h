#pragma once

#include <QString>

namespace larmor {

// The texts of the information windows, built afresh on every call: lines joined by
// "\r\n", no line break after the last line.

// Thirteen lines: what the program does and its version history with credits.
QString aboutText();

// Eight lines: the registrations of the program (placeholders in this edition).
QString registrationText();

// Six lines for the authors window; lines two to five are exactly 36 characters.
QString authorsText();

}  // namespace larmor
