#include "ui/MessageDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace larmor {
namespace {

struct Seen {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::Information;
  QList<QMessageBox::StandardButton> buttons;
  QStringList buttonTexts;  // in the order of buttons
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
  bool applicationModal = false;
};

// Runs show() and, once its box is up, records it and presses answer.
Seen answerBox(const std::function<void()>& show, QMessageBox::StandardButton answer) {
  Seen seen;
  QTimer poll;
  poll.setInterval(5);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    poll.stop();
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    for (QAbstractButton* b : box->buttons()) seen.buttons << box->standardButton(b);
    std::sort(seen.buttons.begin(), seen.buttons.end());
    for (auto b : seen.buttons) seen.buttonTexts << box->button(b)->text();
    if (box->defaultButton() != nullptr) seen.defaultButton = box->standardButton(box->defaultButton());
    seen.applicationModal = box->windowModality() == Qt::ApplicationModal;
    box->button(answer)->click();
  });
  poll.start();
  show();
  return seen;
}

TEST(MessageDialogs, BoxesShowTheirTextsAndButtons) {
  struct Case {
    const char* name;
    std::function<bool(MessageDialogs&, QWidget*)> call;  // returns the dialog's answer
    QMessageBox::StandardButton answer;
    bool expectedResult;
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QList<QMessageBox::StandardButton> buttons;
    QStringList buttonTexts;
    QMessageBox::StandardButton defaultButton;
  };
  const auto confirm = [](MessageDialogs& d, QWidget* w) { return d.confirmExit(w); };
  const Case cases[] = {
      {"exit confirmed", confirm, QMessageBox::Yes, true, "На Выход", "Вы абсолютно уверены?",
       QMessageBox::NoIcon, {QMessageBox::Yes, QMessageBox::No}, {"Да", "Нет"}, QMessageBox::No},
      {"exit refused", confirm, QMessageBox::No, false, "На Выход", "Вы абсолютно уверены?",
       QMessageBox::NoIcon, {QMessageBox::Yes, QMessageBox::No}, {"Да", "Нет"}, QMessageBox::No},
      {"information",
       [](MessageDialogs& d, QWidget* w) {
         d.information(w, "О ПРОГРАММЕ", "строка 1\r\nстрока <b>2</b>");
         return true;
       },
       QMessageBox::Ok, true, "О ПРОГРАММЕ", "строка 1\r\nстрока <b>2</b>", QMessageBox::NoIcon,
       {QMessageBox::Ok}, {"OK"}, QMessageBox::Ok},
      {"warning",
       [](MessageDialogs& d, QWidget* w) {
         d.warning(w, "Инструкция", "Не найден текстовый редактор");
         return true;
       },
       QMessageBox::Ok, true, "Инструкция", "Не найден текстовый редактор", QMessageBox::Warning,
       {QMessageBox::Ok}, {"OK"}, QMessageBox::Ok},
  };
  QWidget parent;
  parent.show();
  MessageDialogs dialogs;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool result = !c.expectedResult;
    const Seen seen = answerBox([&] { result = c.call(dialogs, &parent); }, c.answer);
    EXPECT_EQ(result, c.expectedResult);
    EXPECT_EQ(seen.title, c.title);
    EXPECT_EQ(seen.text, c.text);
    EXPECT_EQ(seen.icon, c.icon);
    EXPECT_EQ(seen.buttons, c.buttons);
    EXPECT_EQ(seen.buttonTexts, c.buttonTexts);
    EXPECT_EQ(seen.defaultButton, c.defaultButton);
    EXPECT_TRUE(seen.applicationModal);
  }
}

}  // namespace
}  // namespace larmor
