// The information texts, the authors window and the message boxes.
#include "ui/Form2.h"
#include "ui/InfoTexts.h"
#include "ui/MessageDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace larmor {
namespace {

TEST(InfoTexts, LinesJoinedByCrLfWithoutTrailingBreak) {
  // The texts themselves are the program's words as written; here, how they are put together.
  const struct { const char* name; QString text; int lineCount; } rows[] = {
      {"about", aboutText(), 13}, {"registration", registrationText(), 8}, {"authors", authorsText(), 6}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const QStringList lines = r.text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), r.lineCount);
    for (const QString& line : lines)  // no empty line, no lone CR or LF, no break after the last
      EXPECT_TRUE(!line.isEmpty() && !line.contains(u'\r') && !line.contains(u'\n')) << line.toStdString();
  }
  // Addresses only under example.org: the bulletin and the authors' e-mail.
  const QStringList registration = registrationText().split(QStringLiteral("\r\n"));
  const QStringList authors = authorsText().split(QStringLiteral("\r\n"));
  EXPECT_TRUE(registration[6].contains(QRegularExpression("^https://[\\w.-]*example\\.org/"))) << registration[6].toStdString();
  EXPECT_TRUE(authors[5].contains(QRegularExpression("^[\\w.+-]+@example\\.org$"))) << authors[5].toStdString();
  // The authors' column: lines two to five 36 characters, padded where the lines say so.
  for (int n = 2; n <= 5; ++n) EXPECT_EQ(authors[n - 1].size(), 36) << n;
  for (int n : {1, 2, 3, 4, 5, 6}) EXPECT_EQ(authors[n - 1].endsWith(QLatin1String("  ")), n != 2 && n != 6) << n;
}

TEST(Form2, CentredOverMainWindowEveryTimeItIsShown) {
  QWidget main;
  main.show();
  Form2 authors(&main);
  auto* text = authors.findChild<QLabel*>(QStringLiteral("Label1"));
  ASSERT_NE(text, nullptr);
  for (const QRect& placement : {QRect(40, 30, 720, 480), QRect(300, 200, 1000, 700), QRect(500, 400, 150, 120)}) {
    main.setGeometry(placement);
    text->setText(QStringLiteral("stale"));  // what the open window may hold meanwhile
    authors.move(0, 0);
    authors.showAuthors(&main);
    EXPECT_TRUE(authors.isVisible() && !authors.isModal() && main.isEnabled()) << "the main window stays usable";
    const QRect m = main.frameGeometry(), a = authors.frameGeometry();
    EXPECT_EQ(a.topLeft(), QPoint(m.left() + (m.width() - a.width()) / 2, m.top() + (m.height() - a.height()) / 2));
    EXPECT_EQ(text->text(), authorsText());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&authors, 2000));
  }
  // Every line whole in the label's 209 × 81 box, in a font still readable.
  EXPECT_EQ(text->geometry(), QRect(8, 200, 209, 81));
  const QFontMetrics metrics(text->font());
  const QStringList lines = authorsText().split(QStringLiteral("\r\n"));
  EXPECT_LE(metrics.lineSpacing() * lines.size(), text->contentsRect().height());
  EXPECT_GE(QFontInfo(text->font()).pixelSize(), 9);
  for (const QString& line : lines) {  // trailing blanks need no room
    EXPECT_LE(metrics.horizontalAdvance(QString(line).remove(QRegularExpression(" +$"))), text->contentsRect().width())
        << line.toStdString();
  }
}

TEST(MessageDialogs, BoxesShowTheirTextsAndButtons) {
  using Box = QMessageBox;
  QWidget parent;
  parent.show();
  MessageDialogs dialogs;
  const auto confirm = [&] { return dialogs.confirmExit(&parent); };
  const QStringList exitBox = {"На Выход", "Вы абсолютно уверены?", "Да", "Нет", "Нет"};
  // The call (its answer), the button pressed, then what the box shows: title, text, the
  // texts of Yes, No and OK where present, the default's text; and its icon.
  const struct { std::function<bool()> call; Box::StandardButton press; bool answer; QStringList shown; Box::Icon icon; } rows[] = {
      {confirm, Box::Yes, true, exitBox, Box::NoIcon},
      {confirm, Box::No, false, exitBox, Box::NoIcon},
      {[&] { return dialogs.information(&parent, "О ПРОГРАММЕ", "1\r\n<b>2</b>"), true; }, Box::Ok, true,
       {"О ПРОГРАММЕ", "1\r\n<b>2</b>", "OK", "OK"}, Box::NoIcon},
      {[&] { return dialogs.warning(&parent, "Инструкция", "Не найден редактор"), true; }, Box::Ok, true,
       {"Инструкция", "Не найден редактор", "OK", "OK"}, Box::Warning}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.shown.join(' ').toStdString() + " " + std::to_string(r.press));
    QStringList seen;
    Box::Icon icon = Box::Critical;
    QTimer poll;  // once the box is up: record it and press the answer
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<Box*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      poll.stop();
      seen << box->windowTitle() << box->text();
      for (auto b : {Box::Yes, Box::No, Box::Ok}) if (box->button(b)) seen << box->button(b)->text();
      EXPECT_EQ(box->buttons().size(), seen.size() - 2);
      seen << (box->defaultButton() ? box->defaultButton()->text() : QString());
      icon = box->icon();
      EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
      box->button(r.press)->click();
    });
    poll.start(5);
    EXPECT_EQ(r.call(), r.answer);
    EXPECT_EQ(seen, r.shown);
    EXPECT_EQ(icon, r.icon);
  }
}

}  // namespace
}  // namespace larmor
