#include "ui/SymbolFont.h"

namespace larmor {

QString symbolFontToUnicode(const QString& caption) {
  // The Symbol font's letters, in the order of the Latin alphabet.
  static const QString lower = QStringLiteral("αβχδεφγηιϕκλμνοπθρστυϖωξψζ");
  static const QString upper = QStringLiteral("ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ");
  QString shown;
  shown.reserve(caption.size());
  for (const QChar c : caption) {
    const char16_t u = c.unicode();
    if (u >= u'a' && u <= u'z') {
      shown += lower.at(u - u'a');
    } else if (u >= u'A' && u <= u'Z') {
      shown += upper.at(u - u'A');
    } else {
      shown += c;
    }
  }
  return shown;
}

}  // namespace larmor
