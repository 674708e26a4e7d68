// The desktop's file dialogs as the window opens them: where each starts after files were
// written, read or failed, and that a dialog on a pseudo file system, on a folder that is
// gone or cannot be listed, returns; and the reasons of failed reads and writes in Russian.
#include "ui/DesktopFileDialogs.h"
#include "ui/FileErrors.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include <sys/inotify.h>
#include <unistd.h>

namespace larmor {
namespace {

struct Asked {
  QString folder, answer;
};

// A save dialog opened and answered; where it started and what it returned.
Asked save(DesktopFileDialogs& dialogs, const std::function<void(QFileDialog&)>& act = {}) {
  Asked asked;
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [poll, &asked, act] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    asked.folder = dialog->directory().absolutePath();
    if (act) act(*dialog);
    if (dialog->isVisible()) dialog->reject();
  });
  poll->start();
  asked.answer = dialogs.saveFileName(nullptr, QStringLiteral("Сохранить"), QStringLiteral("d.csv"),
                                      QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"));
  return asked;
}

TEST(DesktopFileDialogs, KnowsThePseudoFileSystems) {
  QTemporaryDir real;
  const struct { QString folder; bool pseudo; } rows[] = {
      {"/proc", true}, {"/proc/self", true}, {"/sys/kernel", true}, {"/dev", true}, {"/dev/shm", true},
      {real.path(), false}, {QDir::homePath(), false}, {"/", false}, {"/devices", false}};
  for (const auto& r : rows) EXPECT_EQ(DesktopFileDialogs::pseudoFileSystem(r.folder), r.pseudo) << r.folder.toStdString();
}

// The next dialog starts where a file was really written or read: not where a save was
// chosen and then failed, not in /proc, not in a folder gone since; there it starts in a
// real folder and returns.
TEST(DesktopFileDialogs, StartWhereAFileWasReallyWrittenOrRead) {
  DesktopFileDialogs dialogs;
  const QString fallback = dialogs.startFolder();
  ASSERT_FALSE(DesktopFileDialogs::pseudoFileSystem(fallback));
  EXPECT_EQ(save(dialogs).folder, QDir(fallback).absolutePath());

  QTemporaryDir written, chosen;
  dialogs.fileUsed(written.filePath(QStringLiteral("d.csv")));
  // Chosen and accepted, but the caller could not write there: not remembered.
  const Asked accepted = save(dialogs, [&](QFileDialog& dialog) {
    dialog.selectFile(chosen.filePath(QStringLiteral("d.csv")));
    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save), Qt::LeftButton);
  });
  EXPECT_EQ(accepted.folder, written.path());
  EXPECT_EQ(accepted.answer, chosen.filePath(QStringLiteral("d.csv")));
  EXPECT_EQ(save(dialogs).folder, written.path());

  dialogs.fileUsed(QStringLiteral("/proc/self/status"));  // read there, but never a start
  EXPECT_EQ(save(dialogs).folder, written.path());

  {
    QTemporaryDir gone;
    dialogs.fileUsed(gone.filePath(QStringLiteral("d.csv")));
  }
  EXPECT_EQ(save(dialogs).folder, QDir(fallback).absolutePath());
}

// A folder the user cannot list (a root process can: then the folder lists normally) and
// /proc opened inside the dialog: the dialog shows them and returns.
TEST(DesktopFileDialogs, ReturnsOnAFolderThatCannotBeListedAndOnProc) {
  DesktopFileDialogs dialogs;
  QTemporaryDir parent;
  const QString locked = parent.filePath(QStringLiteral("locked"));
  ASSERT_TRUE(QDir().mkdir(locked));
  dialogs.fileUsed(QDir(locked).filePath(QStringLiteral("d.csv")));
  ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::WriteOwner | QFileDevice::ExeOwner));
  bool loaded = false;
  const Asked asked = save(dialogs, [&](QFileDialog& dialog) {
    auto* model = dialog.findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    QObject::connect(model, &QFileSystemModel::directoryLoaded, [&](const QString& path) { loaded |= path == "/proc"; });
    dialog.setDirectory(QStringLiteral("/proc"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return loaded; }, 5000));
    QTest::qWait(300);  // the types and icons of its files are looked up meanwhile
  });
  QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_EQ(asked.folder, locked);
  EXPECT_TRUE(asked.answer.isEmpty());
}

// Listing a folder, the dialog opens none of its files: the type of a file whose name tells
// nothing is not looked up in its content (a file of /proc may block its reader for ever).
TEST(DesktopFileDialogs, ListingAFolderOpensNoFileInIt) {
  QTemporaryDir folder;
  for (const char* name : {"notes", "README", "data.larmor"}) {
    QFile file(folder.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("%PDF-1.4\n") > 0);
  }
  const int watch = inotify_init1(IN_NONBLOCK);
  ASSERT_GE(watch, 0);
  ASSERT_GE(inotify_add_watch(watch, QFile::encodeName(folder.path()).constData(), IN_OPEN), 0);
  DesktopFileDialogs dialogs;
  dialogs.fileUsed(folder.filePath(QStringLiteral("data.larmor")));
  QStringList opened;
  const Asked asked = save(dialogs, [&](QFileDialog& dialog) {
    auto* model = dialog.findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    bool loaded = false;
    QObject::connect(model, &QFileSystemModel::directoryLoaded, [&](const QString& path) { loaded |= path == folder.path(); });
    dialog.setNameFilter(QStringLiteral("Все файлы (*)"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return loaded || model->rowCount(model->index(folder.path())) == 3; }, 5000));
    QTest::qWait(300);  // the types and icons are looked up on the model's own thread
    EXPECT_EQ(model->rowCount(model->index(folder.path())), 3);
  });
  EXPECT_EQ(asked.folder, folder.path());
  char buffer[4096];
  for (ssize_t n; (n = read(watch, buffer, sizeof buffer)) > 0;) {
    for (char* p = buffer; p < buffer + n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(p);
      if (event->len > 0) opened << QString::fromLocal8Bit(event->name);  // a file in it, not the folder
      p += sizeof(inotify_event) + event->len;
    }
  }
  close(watch);
  EXPECT_TRUE(opened.isEmpty()) << opened.join(' ').toStdString();
}

// The system's reasons for a failed read or write, in Russian words whatever the C
// library's language; a reason Qt already gives in Russian stays as it is.
TEST(FileErrors, SystemReasonsInRussian) {
  const struct { QString reason, russian; } rows[] = {
      {QString::fromLocal8Bit(std::strerror(EACCES)), "нет прав доступа"},
      {QString::fromLocal8Bit(std::strerror(EHWPOISON)), QStringLiteral("ошибка системы № %1").arg(EHWPOISON)},
      {"Доступ запрещён", "Доступ запрещён"},
      {"Unknown error", "причина неизвестна"},
      {"Existing file /home/u/d.csv is not writable", "файл защищён от записи"},
      {"", "причина неизвестна"}};
  for (const auto& r : rows) EXPECT_EQ(russianReason(r.reason), r.russian) << r.reason.toStdString();

  // The words of each reason are the table's; failures met for real: a file in a folder of
  // /proc, a file over a folder.
  QTemporaryDir folder;
  for (const QString& path : {QStringLiteral("/proc/larmor.csv"), folder.path()}) {
    QSaveFile file(path);
    ASSERT_FALSE(file.open(QIODevice::WriteOnly) && file.write("x") == 1 && file.commit()) << path.toStdString();
    const QString reason = fileErrorReason(file);
    EXPECT_FALSE(reason.contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) << reason.toStdString();
  }
}

}  // namespace
}  // namespace larmor
