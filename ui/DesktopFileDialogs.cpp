#include "ui/DesktopFileDialogs.h"

#include "panel/Scenario.h"

#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace larmor {

namespace {

QDialogButtonBox* okCancel(QDialog* dialog, const QString& ok) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(ok);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

QString DesktopFileDialogs::openFileName(QWidget* parent, const QString& title, const QString& filter) {
  const QString path = QFileDialog::getOpenFileName(parent, title, m_folder, filter);
  if (!path.isEmpty()) m_folder = QFileInfo(path).absolutePath();
  return path;
}

QString DesktopFileDialogs::saveFileName(QWidget* parent, const QString& title, const QString& suggestedName,
                                         const QString& filter, const QString& suffix) {
  if (m_folder.isEmpty()) m_folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  QFileDialog dialog(parent, title, QDir(m_folder).filePath(suggestedName), filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(suffix);  // the dialog asks before it overwrites a file
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString path = dialog.selectedFiles().constFirst();
  m_folder = QFileInfo(path).absolutePath();
  return path;
}

std::optional<FileDialogs::Description> DesktopFileDialogs::describeScenario(QWidget* parent,
                                                                             const Description& current) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("ScenarioDescription"));
  dialog.setWindowTitle(QStringLiteral("Сохранить сценарий"));
  auto* title = new QLineEdit(current.title, &dialog);
  title->setMaxLength(static_cast<int>(scenarioMaxTitle));
  auto* text = new QPlainTextEdit(current.text, &dialog);
  text->setTabChangesFocus(true);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Название урока:"), title);
  form->addRow(QStringLiteral("Описание:"), text);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(QStringLiteral("Название и описание покажутся тому, кто откроет сценарий."), &dialog));
  layout->addLayout(form);
  layout->addWidget(okCancel(&dialog, QStringLiteral("Далее…")));
  dialog.resize(480, 300);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  // Longer descriptions are cut where the reader's limit stands, so the file always opens.
  return Description{title->text().trimmed(),
                     text->toPlainText().trimmed().left(static_cast<int>(scenarioMaxDescription))};
}

std::optional<int> DesktopFileDialogs::pictureWidth(QWidget* parent, int windowWidth) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("PictureWidth"));
  dialog.setWindowTitle(QStringLiteral("Экспорт видов"));
  auto* asWindow = new QRadioButton(QStringLiteral("как в окне: вид X0Y %1 × %1 пикселей").arg(windowWidth), &dialog);
  auto* chosen = new QRadioButton(QStringLiteral("другая ширина вида X0Y:"), &dialog);
  auto* width = new QSpinBox(&dialog);
  width->setRange(16, 2048);
  width->setSuffix(QStringLiteral(" пикс."));
  width->setValue(std::clamp(windowWidth, 16, 2048));
  width->setEnabled(false);
  QObject::connect(chosen, &QRadioButton::toggled, width, &QSpinBox::setEnabled);
  asWindow->setChecked(true);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(QStringLiteral("Оба вида рядом: X0Y и X0Z, вдвое шире."), &dialog));
  layout->addWidget(asWindow);
  auto* row = new QHBoxLayout;
  row->addWidget(chosen);
  row->addWidget(width);
  layout->addLayout(row);
  layout->addWidget(okCancel(&dialog, QStringLiteral("Далее…")));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return asWindow->isChecked() ? windowWidth : width->value();
}

}  // namespace larmor
