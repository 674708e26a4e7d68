#pragma once
// Why a file could not be read or written, in the window's words (Russian, or English when
// that is chosen). Qt reports the system's
// reason in the words of the C library, which are English in most settings ("Read-only
// file system"); the window names the reason in its own language instead.
#include <QString>

class QFileDevice;

namespace larmor {

// The reason a file device gives, in the window's language: a system error the C library names is
// described in our words; a text already in Russian (Qt's own, translated) or one that is
// no system error is kept.
QString russianReason(const QString& reason);
QString fileErrorReason(const QFileDevice& file);

}  // namespace larmor
