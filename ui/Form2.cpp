#include "ui/Form2.h"

#include "ui/InfoTexts.h"

#include <QFontMetrics>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QPixmap>

namespace larmor {

namespace {
constexpr int clientWidth = 222;   // [px]
constexpr int clientHeight = 297;  // [px]
constexpr int portraitWidth = 150;
constexpr int portraitHeight = 180;
constexpr qreal smallestPointSize = 6;

// The text's box was laid out for a smaller default font than most desktops give: the
// window's own font, made smaller half a point at a time until the text stands whole in
// the box.
QFont fittingFont(QFont font, const QString& text, QSize box) {
  const qreal start = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
  for (qreal size = start; size >= smallestPointSize; size -= 0.5) {
    font.setPointSizeF(size);
    const QRect needed = QFontMetrics(font).boundingRect(QRect(QPoint(), box),
                                                         Qt::AlignLeft | Qt::AlignTop, text);
    if (needed.width() <= box.width() && needed.height() <= box.height()) break;
  }
  return font;
}
}  // namespace

Form2::Form2(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(tr("Авторы"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/window.svg")));
  // The children stand at fixed positions, so the window keeps its size.
  setFixedSize(clientWidth, clientHeight);

  m_image = new QLabel(this);
  m_image->setObjectName(QStringLiteral("Image1"));
  m_image->setGeometry(32, 8, portraitWidth, portraitHeight);
  m_image->setPixmap(QIcon(QStringLiteral(":/icons/portrait.svg"))
                         .pixmap(QSize(portraitWidth, portraitHeight)));

  m_label = new QLabel(this);
  m_label->setObjectName(QStringLiteral("Label1"));
  m_label->setGeometry(8, 200, 209, 81);
  m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Form2::showText() {
  const QString text = authorsText();
  m_label->setFont(fittingFont(font(), text, m_label->contentsRect().size()));
  m_label->setText(text);
}

void Form2::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) {
    setWindowTitle(tr("Авторы"));
    if (!m_label->text().isEmpty()) showText();
  }
  QWidget::changeEvent(event);
}

void Form2::showAuthors(QWidget* mainWindow) {
  showText();

  if (mainWindow != nullptr) {
    const QRect main = mainWindow->frameGeometry();
    QSize outer = frameGeometry().size();
    if (!isVisible() && outer == size()) {
      // Not decorated yet: the window manager gives it the same frame as the main window.
      const QRect inner = mainWindow->geometry();
      outer += QSize(main.width() - inner.width(), main.height() - inner.height());
    }
    // move() places the outer frame of a top-level window.
    move(main.left() + (main.width() - outer.width()) / 2,
         main.top() + (main.height() - outer.height()) / 2);
  }

  show();
  raise();
  activateWindow();
}

}  // namespace larmor
