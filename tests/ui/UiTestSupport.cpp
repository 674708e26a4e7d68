#include "UiTestSupport.h"

#include "ui/VerticalBar.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>

namespace larmor::test {

QByteArray onePixelGif(QColor colour) {
  QByteArray gif("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13);
  gif.append(char(colour.red())).append(char(colour.green())).append(char(colour.blue()));
  gif.append(QByteArray("\x00\x00\x00", 3));                                    // second entry
  gif.append(QByteArray("\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00", 10));       // image block
  gif.append(QByteArray("\x02\x02\x44\x01\x00\x3b", 6));                        // pixel 0, end
  return gif;
}

QColor pictureColour(int k) { return QColor(QColor::fromHsv((k * 37) % 360, 200, 60 + 20 * k).rgb()); }

void WindowTest::SetUp() {
  m_previousDir = QDir::currentPath();
  m_dir = std::make_unique<QTemporaryDir>();
  ASSERT_TRUE(m_dir->isValid());
  ASSERT_TRUE(QDir::setCurrent(m_dir->path()));
}

void WindowTest::TearDown() {
  m_window.reset();
  QDir::setCurrent(m_previousDir);
  m_dir.reset();
}

void WindowTest::writePicture(const QString& name, QColor colour) {
  QFile file(name);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(onePixelGif(colour));
}

void WindowTest::writeAllPictures() {
  for (int k = 1; k <= 7; ++k) writePicture(QStringLiteral("%1.gif").arg(k), pictureColour(k));
  writePicture(QStringLiteral("velocity.gif"), pictureColour(8));
  writePicture(QStringLiteral("mudr.gif"), pictureColour(9));
}

QColor WindowTest::image1Colour() const {
  const auto* image = m_window->findChild<QLabel*>(QStringLiteral("Image1"));
  return image->pixmap().toImage().pixelColor(0, 0);
}

Form1& WindowTest::window() {
  if (!m_window) m_window = std::make_unique<Form1>(fakes.services());
  return *m_window;
}

void WindowTest::showWindow() {
  window().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
}

QString WindowTest::caption(const char* label) { return control<QLabel>(label)->text(); }

QString WindowTest::tooltip(const char* name) { return control<QWidget>(name)->toolTip(); }

void WindowTest::select(const QString& listText) {
  auto* list = control<QListWidget>("List1");
  const QList<QListWidgetItem*> items = list->findItems(listText, Qt::MatchExactly);
  ASSERT_EQ(items.size(), 1) << listText.toStdString();
  list->scrollToItem(items.front());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(items.front()).center());
  ASSERT_EQ(list->currentItem(), items.front());
}

void WindowTest::moveBar(const char* name, int value) {
  QWidget* bar = control<QWidget>(name);
  if (auto* vertical = qobject_cast<VerticalBar*>(bar)) {
    vertical->setValue(value);
  } else if (auto* horizontal = qobject_cast<QScrollBar*>(bar)) {
    horizontal->setValue(value);
  } else {
    ADD_FAILURE() << name << " is not a bar";
  }
}

}  // namespace larmor::test
