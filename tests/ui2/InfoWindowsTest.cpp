// The information texts, the authors window and the message boxes.
#include "ui/Form2.h"
#include "ui/InfoTexts.h"
#include "ui/MessageDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace larmor {
namespace {

TEST(InfoTexts, LinesJoinedByCrLfWithoutTrailingBreak) {
  const struct { const char* name; QString text; int lineCount; std::map<int, const char*> lines; } rows[] = {
      {"about", aboutText(), 13,
       {{1, "Программа моделирует движение заряженной частицы в магнитных полях различных конфигураций."},
        {2, "История версий:"},
        {3, "Версия 1.0. MS DOS. 1996, декабрь. Однородное поле, плоский градиентный дрейф."},
        {5, "Версия 1.1. MS DOS, WINDOWS 95,98,ХР. 2003. Небольшие исправления."},
        {6, "Версия 2.0, MS DOS, WINDOWS 95,98,ХР. 2007. Добавлен осевой дрейф."},
        {8, "Версия 3.0. WINDOWS ХР. 2009. Добавлены магнитная ловушка, центробежный дрейф."},
        {10, "версия 4.0. WINDOWS ХР, 7. 08.07.2013. Добавлены магнитный монополь, магнитная ловушка-2."},
        {12, "версия 4.1. WINDOWS ХР, 7, 8, 10. 2016, апрель. Небольшие исправления."},
        {13, "версия 4.2. WINDOWS ХР, 7, 8, 10. 2024, май. Переработан интерфейс. Исправлены ошибки."}}},
      {"registration", registrationText(), 8, {{8, "Версия 4.2 пока не зарегистрирована."}}},
      {"authors", authorsText(), 6, {}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_FALSE(r.text.endsWith(u'\n') || r.text.endsWith(u'\r'));
    const QStringList lines = r.text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), r.lineCount);
    for (const QString& line : lines)  // no empty line, no lone CR or LF
      EXPECT_TRUE(!line.isEmpty() && !line.contains(u'\r') && !line.contains(u'\n')) << line.toStdString();
    for (const auto& [n, expected] : r.lines) EXPECT_EQ(lines[n - 1], QString::fromUtf8(expected)) << n;
  }
  // Addresses only under example.org: the bulletin and the authors' e-mail.
  const QStringList registration = registrationText().split(QStringLiteral("\r\n"));
  EXPECT_TRUE(registration[6].contains(QRegularExpression("^https://[\\w.-]*example\\.org/"))) << registration[6].toStdString();
  const QStringList authors = authorsText().split(QStringLiteral("\r\n"));
  EXPECT_TRUE(authors[5].contains(QRegularExpression("^[\\w.+-]+@example\\.org$"))) << authors[5].toStdString();
  // The authors' column: lines two to five 36 characters, padded where the lines say so.
  for (int n = 2; n <= 5; ++n) EXPECT_EQ(authors[n - 1].size(), 36) << n;
  for (int n : {1, 3, 4, 5}) EXPECT_TRUE(authors[n - 1].endsWith(QLatin1String("  "))) << n;
  for (int n : {2, 6}) EXPECT_FALSE(authors[n - 1].endsWith(u' ')) << n;
}

TEST(Form2, CentredOverMainWindowEveryTimeItIsShown) {
  QWidget main;
  main.show();
  Form2 authors(&main);
  auto* text = authors.findChild<QLabel*>(QStringLiteral("Label1"));
  ASSERT_NE(text, nullptr);
  for (const QRect& placement : {QRect(40, 30, 720, 480), QRect(300, 200, 1000, 700), QRect(500, 400, 150, 120)}) {
    SCOPED_TRACE(placement.width());
    main.setGeometry(placement);
    text->setText(QStringLiteral("stale"));  // what the open window may hold meanwhile
    authors.move(0, 0);
    authors.showAuthors(&main);
    EXPECT_TRUE(authors.isVisible() && !authors.isModal());
    const QRect m = main.frameGeometry(), a = authors.frameGeometry();
    EXPECT_EQ(a.topLeft(), QPoint(m.left() + (m.width() - a.width()) / 2, m.top() + (m.height() - a.height()) / 2));
    EXPECT_EQ(text->text(), authorsText());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&authors, 2000));
  }
  EXPECT_TRUE(main.isEnabled()) << "the main window stays usable";
}

TEST(MessageDialogs, BoxesShowTheirTextsAndButtons) {
  using Box = QMessageBox;
  const auto confirm = [](MessageDialogs& d, QWidget* w) { return d.confirmExit(w); };
  const struct {
    std::function<bool(MessageDialogs&, QWidget*)> call;  // returns the dialog's answer
    Box::StandardButton answer;
    bool result;
    const char *title, *text;
    Box::Icon icon;
    QStringList buttons;  // texts of Yes, No, Ok where present, then the default's
  } rows[] = {
      {confirm, Box::Yes, true, "На Выход", "Вы абсолютно уверены?", Box::NoIcon, {"Да", "Нет", "Нет"}},
      {confirm, Box::No, false, "На Выход", "Вы абсолютно уверены?", Box::NoIcon, {"Да", "Нет", "Нет"}},
      {[](MessageDialogs& d, QWidget* w) { return d.information(w, "О ПРОГРАММЕ", "1\r\n<b>2</b>"), true; },
       Box::Ok, true, "О ПРОГРАММЕ", "1\r\n<b>2</b>", Box::NoIcon, {"OK", "OK"}},
      {[](MessageDialogs& d, QWidget* w) { return d.warning(w, "Инструкция", "Не найден редактор"), true; },
       Box::Ok, true, "Инструкция", "Не найден редактор", Box::Warning, {"OK", "OK"}},
  };
  QWidget parent;
  parent.show();
  MessageDialogs dialogs;
  for (const auto& r : rows) {
    SCOPED_TRACE(r.title + std::to_string(r.answer));
    QStringList seen;  // title, text, buttons, default
    Box::Icon icon = Box::Critical;
    QTimer poll;  // once the box is up: record it and press the answer
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<Box*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      poll.stop();
      seen << box->windowTitle() << box->text();
      for (auto b : {Box::Yes, Box::No, Box::Ok})
        if (box->button(b)) seen << box->button(b)->text();
      EXPECT_EQ(box->buttons().size(), seen.size() - 2);
      seen << (box->defaultButton() ? box->defaultButton()->text() : QString());
      icon = box->icon();
      EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
      box->button(r.answer)->click();
    });
    poll.start(5);
    EXPECT_EQ(r.call(dialogs, &parent), r.result);
    EXPECT_EQ(seen, QStringList({QString::fromUtf8(r.title), QString::fromUtf8(r.text)}) + r.buttons);
    EXPECT_EQ(icon, r.icon);
  }
}

}  // namespace
}  // namespace larmor
