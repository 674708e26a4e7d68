#pragma once

#include "ui/Services.h"

namespace larmor {

// The window's message boxes, modal to the program.
class MessageDialogs : public Dialogs {
public:
  // No is the default button: a stray Enter must not end a lesson in progress.
  bool confirmExit(QWidget* parent) override;
  void information(QWidget* parent, const QString& title, const QString& text) override;
  void warning(QWidget* parent, const QString& title, const QString& text) override;
};

}  // namespace larmor
