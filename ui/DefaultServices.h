#pragma once

#include "ui/Services.h"

namespace larmor {

// The real desktop services: documents through the desktop, a plain-text editor started
// with an argument list, the tone through Qt Multimedia and QMessageBox dialogs. The
// objects are owned by a holder that lives until the program ends; call from the window's
// thread after the QApplication exists.
Services defaultServices();

}  // namespace larmor
