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

using Box = QMessageBox;

TEST(MessageDialogs, BoxesShowTheirTextsAndButtons) {
  const auto confirm = [](MessageDialogs& d, QWidget* w) { return d.confirmExit(w); };
  const struct {
    const char* name;
    std::function<bool(MessageDialogs&, QWidget*)> call;  // returns the dialog's answer
    Box::StandardButton answer;
    bool result;
    const char *title, *text;
    Box::Icon icon;
    QStringList buttons;  // texts of Yes, No, Ok where present
    const char* defaultButton;
  } rows[] = {
      {"exit confirmed", confirm, Box::Yes, true, "На Выход", "Вы абсолютно уверены?", Box::NoIcon, {"Да", "Нет"}, "Нет"},
      {"exit refused", confirm, Box::No, false, "На Выход", "Вы абсолютно уверены?", Box::NoIcon, {"Да", "Нет"}, "Нет"},
      {"information",
       [](MessageDialogs& d, QWidget* w) { return d.information(w, "О ПРОГРАММЕ", "строка 1\r\nстрока <b>2</b>"), true; },
       Box::Ok, true, "О ПРОГРАММЕ", "строка 1\r\nстрока <b>2</b>", Box::NoIcon, {"OK"}, "OK"},
      {"warning",
       [](MessageDialogs& d, QWidget* w) { return d.warning(w, "Инструкция", "Не найден редактор"), true; },
       Box::Ok, true, "Инструкция", "Не найден редактор", Box::Warning, {"OK"}, "OK"},
  };
  QWidget parent;
  parent.show();
  MessageDialogs dialogs;
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    QStringList buttons;
    QString title, text, defaultButton;
    Box::Icon icon = Box::Critical;
    bool appModal = false;
    QTimer poll;  // once the box is up: record it and press the answer
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<Box*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      poll.stop();
      title = box->windowTitle(), text = box->text(), icon = box->icon();
      appModal = box->windowModality() == Qt::ApplicationModal;
      for (auto b : {Box::Yes, Box::No, Box::Ok})
        if (box->button(b)) buttons << box->button(b)->text();
      if (box->defaultButton()) defaultButton = box->defaultButton()->text();
      EXPECT_EQ(box->buttons().size(), buttons.size());
      box->button(r.answer)->click();
    });
    poll.start(5);
    EXPECT_EQ(r.call(dialogs, &parent), r.result);
    EXPECT_EQ(title, QString::fromUtf8(r.title));
    EXPECT_EQ(text, QString::fromUtf8(r.text));
    EXPECT_EQ(icon, r.icon);
    EXPECT_EQ(buttons, r.buttons);
    EXPECT_EQ(defaultButton, QString::fromUtf8(r.defaultButton));
    EXPECT_TRUE(appModal);
  }
}

}  // namespace
}  // namespace larmor
