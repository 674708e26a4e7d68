#pragma once

#include <QString>

namespace larmor {

// A caption stored for the "Symbol" font shown as Unicode: that font draws Latin letters
// as Greek ones (a as α, b as β, q as θ, …), which a Linux font does not. Characters
// outside the Latin letters are kept.
QString symbolFontToUnicode(const QString& caption);

}  // namespace larmor
