#pragma once

#include <QWidget>

class QLabel;

namespace larmor {

// The authors window: a portrait and six lines of text. Modeless; created on first use
// and reused (re-centred and raised) every time it is chosen again.
class Form2 : public QWidget {
  Q_OBJECT

public:
  explicit Form2(QWidget* parent = nullptr);

  // Sets Label1 to the authors text, centres this window over mainWindow using the
  // outer (frame) sizes of both, shows it modeless, raises and activates it.
  void showAuthors(QWidget* mainWindow);

protected:
  // Another language chosen: the title and the text in it.
  void changeEvent(QEvent* event) override;

private:
  void showText();

  QLabel* m_image = nullptr;  // Image1: the portrait [150x180 px]
  QLabel* m_label = nullptr;  // Label1: the authors text
};

}  // namespace larmor
