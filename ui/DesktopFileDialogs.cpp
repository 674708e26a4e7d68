#include "ui/DesktopFileDialogs.h"

#include "panel/Scenario.h"

#include <QCoreApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QAbstractFileIconProvider>
#include <QDir>
#include <QFile>
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

#if defined(__linux__)
#include <linux/magic.h>
#include <sys/vfs.h>
#endif

namespace larmor {

namespace {

// Icons and type names from a file's kind and name alone. The toolkit's own look into a
// file whose name says nothing of its type, and a file of /proc (kmsg) blocks its reader
// for ever: the dialog then hung when it was closed.
class NameOnlyIcons : public QAbstractFileIconProvider {
public:
  QIcon icon(const QFileInfo& info) const override {
    return QAbstractFileIconProvider::icon(info.isDir() ? Folder : File);
  }
  QString type(const QFileInfo& info) const override {
    if (info.isDir()) return QCoreApplication::translate("larmor::DesktopFileDialogs", "Папка");
    const QString suffix = info.suffix();
    return suffix.isEmpty() ? QCoreApplication::translate("larmor::DesktopFileDialogs", "Файл") : QCoreApplication::translate("larmor::DesktopFileDialogs", "Файл %1").arg(suffix.toUpper());
  }
};

QDialogButtonBox* okCancel(QDialog* dialog, const QString& ok) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(ok);
  buttons->button(QDialogButtonBox::Cancel)->setText(QCoreApplication::translate("larmor::DesktopFileDialogs", "Отмена"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

bool DesktopFileDialogs::pseudoFileSystem(const QString& folder) {
  const QString path = QFileInfo(folder).absoluteFilePath();
  for (const char* root : {"/proc", "/sys", "/dev"})
    if (path == QLatin1String(root) || path.startsWith(QLatin1String(root) + QLatin1Char('/'))) return true;
#if defined(__linux__)
  struct statfs info {};
  if (statfs(QFile::encodeName(path).constData(), &info) != 0) return false;
  switch (static_cast<unsigned long>(info.f_type)) {
    case PROC_SUPER_MAGIC: case SYSFS_MAGIC: case DEVPTS_SUPER_MAGIC: case DEBUGFS_MAGIC:
    case TRACEFS_MAGIC: case SECURITYFS_MAGIC: case CGROUP_SUPER_MAGIC: case CGROUP2_SUPER_MAGIC:
    case PSTOREFS_MAGIC: case BPF_FS_MAGIC: case EFIVARFS_MAGIC: case SELINUX_MAGIC:
    case BINFMTFS_MAGIC: case 0x62656570 /* configfs */: case 0x65735543 /* fusectl */:
      return true;
    default:
      return false;
  }
#else
  return false;
#endif
}

QString DesktopFileDialogs::startFolder() const {
  if (!m_folder.isEmpty() && QFileInfo(m_folder).isDir() && !pseudoFileSystem(m_folder)) return m_folder;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (QFileInfo(documents).isDir() && !pseudoFileSystem(documents)) return documents;
  return QDir::homePath();
}

void DesktopFileDialogs::fileUsed(const QString& path) {
  const QString folder = QFileInfo(path).absolutePath();
  if (!pseudoFileSystem(folder)) m_folder = folder;
}

QString DesktopFileDialogs::openFileName(QWidget* parent, const QString& title, const QString& filter) {
  QFileDialog dialog(parent, title, startFolder(), filter);
  NameOnlyIcons icons;
  dialog.setIconProvider(&icons);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();  // remembered once it has been read
}

QString DesktopFileDialogs::saveFileName(QWidget* parent, const QString& title, const QString& suggestedName,
                                         const QString& filter, const QString& suffix) {
  QFileDialog dialog(parent, title, QDir(startFolder()).filePath(suggestedName), filter);
  NameOnlyIcons icons;
  dialog.setIconProvider(&icons);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(suffix);  // the dialog asks before it overwrites a file
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();  // remembered once it has been written
}

std::optional<FileDialogs::Description> DesktopFileDialogs::describeScenario(QWidget* parent,
                                                                             const Description& current) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("ScenarioDescription"));
  dialog.setWindowTitle(QCoreApplication::translate("larmor::DesktopFileDialogs", "Сохранить сценарий"));
  auto* title = new QLineEdit(current.title, &dialog);
  title->setMaxLength(static_cast<int>(scenarioMaxTitle));
  auto* text = new QPlainTextEdit(current.text, &dialog);
  text->setTabChangesFocus(true);
  auto* form = new QFormLayout;
  form->addRow(QCoreApplication::translate("larmor::DesktopFileDialogs", "Название урока:"), title);
  form->addRow(QCoreApplication::translate("larmor::DesktopFileDialogs", "Описание:"), text);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(QCoreApplication::translate("larmor::DesktopFileDialogs", "Название и описание покажутся тому, кто откроет сценарий."), &dialog));
  layout->addLayout(form);
  layout->addWidget(okCancel(&dialog, QCoreApplication::translate("larmor::DesktopFileDialogs", "Далее…")));
  dialog.resize(480, 300);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  // Longer descriptions are cut where the reader's limit stands, so the file always opens.
  return Description{title->text().trimmed(),
                     text->toPlainText().trimmed().left(static_cast<int>(scenarioMaxDescription))};
}

std::optional<int> DesktopFileDialogs::pictureWidth(QWidget* parent, int windowWidth) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("PictureWidth"));
  dialog.setWindowTitle(QCoreApplication::translate("larmor::DesktopFileDialogs", "Экспорт видов"));
  auto* asWindow = new QRadioButton(QCoreApplication::translate("larmor::DesktopFileDialogs", "как в окне: вид X0Y %1 × %1 пикселей").arg(windowWidth), &dialog);
  auto* chosen = new QRadioButton(QCoreApplication::translate("larmor::DesktopFileDialogs", "другая ширина вида X0Y:"), &dialog);
  auto* width = new QSpinBox(&dialog);
  width->setRange(16, 2048);
  width->setSuffix(QCoreApplication::translate("larmor::DesktopFileDialogs", " пикс."));
  width->setValue(std::clamp(windowWidth, 16, 2048));
  width->setEnabled(false);
  QObject::connect(chosen, &QRadioButton::toggled, width, &QSpinBox::setEnabled);
  asWindow->setChecked(true);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(QCoreApplication::translate("larmor::DesktopFileDialogs", "Оба вида рядом: X0Y и X0Z, вдвое шире."), &dialog));
  layout->addWidget(asWindow);
  auto* row = new QHBoxLayout;
  row->addWidget(chosen);
  row->addWidget(width);
  layout->addLayout(row);
  layout->addWidget(okCancel(&dialog, QCoreApplication::translate("larmor::DesktopFileDialogs", "Далее…")));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return asWindow->isChecked() ? windowWidth : width->value();
}

}  // namespace larmor
