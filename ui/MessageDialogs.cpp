#include "ui/MessageDialogs.h"

#include <QCoreApplication>
#include <QAbstractButton>
#include <QMessageBox>

namespace larmor {

namespace {

QMessageBox::StandardButton runBox(QWidget* parent, QMessageBox::Icon icon,
                                   const QString& title, const QString& text,
                                   QMessageBox::StandardButtons buttons,
                                   QMessageBox::StandardButton defaultButton) {
  QMessageBox box(icon, title, text, buttons, parent);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.setTextFormat(Qt::PlainText);  // the texts are shown as written, never as markup
  // The interface is Russian, so are the answers; the buttons keep their standard roles.
  if (QAbstractButton* yes = box.button(QMessageBox::Yes)) yes->setText(QCoreApplication::translate("larmor::MessageDialogs", "Да"));
  if (QAbstractButton* no = box.button(QMessageBox::No)) no->setText(QCoreApplication::translate("larmor::MessageDialogs", "Нет"));
  box.setDefaultButton(defaultButton);
  box.setEscapeButton(defaultButton);
  box.setWindowModality(Qt::ApplicationModal);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

bool MessageDialogs::confirmExit(QWidget* parent) {
  return runBox(parent, QMessageBox::NoIcon, QCoreApplication::translate("larmor::MessageDialogs", "На Выход"),
                QCoreApplication::translate("larmor::MessageDialogs", "Вы абсолютно уверены?"), QMessageBox::Yes | QMessageBox::No,
                QMessageBox::No) == QMessageBox::Yes;
}

void MessageDialogs::information(QWidget* parent, const QString& title, const QString& text) {
  runBox(parent, QMessageBox::NoIcon, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

void MessageDialogs::warning(QWidget* parent, const QString& title, const QString& text) {
  runBox(parent, QMessageBox::Warning, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

}  // namespace larmor
