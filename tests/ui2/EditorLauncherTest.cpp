#include "ui/DesktopEditorLauncher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace larmor {
namespace {

struct Started {
  QString program;
  QStringList arguments;
};

struct LaunchCase {
  const char* name;
  QStringList installed;     // names the finder knows
  QStringList failToStart;   // installed, but starting them fails
  bool expectLaunched;
  QString expectedProgram;   // the one that ends up running
  QString messagePart;       // in the reason on failure
};

TEST(DesktopEditorLauncher, TriesCandidatesInOrder) {
  const LaunchCase cases[] = {
      {"first found wins", {"kate", "gedit"}, {}, true, "/usr/bin/gedit", {}},
      {"skips one that fails to start", {"gedit", "kate"}, {"gedit"}, true, "/usr/bin/kate", {}},
      {"none installed", {}, {}, false, {}, "Не найден текстовый редактор"},
      {"all fail to start", {"kate"}, {"kate"}, false, {}, "Не удалось запустить"},
  };
  const QString file = QDir::current().absoluteFilePath(QStringLiteral("instruction.txt"));
  for (const LaunchCase& c : cases) {
    SCOPED_TRACE(c.name);
    QList<Started> started;
    DesktopEditorLauncher launcher(
        [] {
          return QList<EditorCommand>{{"gedit", {}}, {"kate", {"-b"}}, {"absent", {}}};
        },
        [&](const QString& name) {
          return c.installed.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
        },
        [&](const QString& program, const QStringList& arguments) {
          started.append({program, arguments});
          return !c.failToStart.contains(QFileInfo(program).fileName());
        });
    QString reason;
    EXPECT_EQ(launcher.launch(QStringLiteral("instruction.txt"), &reason), c.expectLaunched);
    if (c.expectLaunched) {
      ASSERT_FALSE(started.isEmpty());
      EXPECT_EQ(started.last().program, c.expectedProgram);
      EXPECT_EQ(started.last().arguments.last(), file);
      EXPECT_TRUE(reason.isEmpty());
    } else {
      EXPECT_TRUE(reason.contains(c.messagePart)) << reason.toStdString();
      EXPECT_TRUE(reason.contains(QStringLiteral("instruction.txt")));
    }
    for (const Started& s : started) {
      if (s.program.endsWith(QLatin1String("/kate"))) {
        EXPECT_EQ(s.arguments, (QStringList{"-b", file}));
      }
    }
  }
}

TEST(DesktopEditorLauncher, DesktopEntryExecLines) {
  struct ExecCase {
    const char* name;
    QString exec;
    QString program;
    QStringList arguments;  // for the file "/w/a b.txt"
  };
  const ExecCase cases[] = {
      {"file list code", "gedit %U", "gedit", {"/w/a b.txt"}},
      {"no code: file appended", "env LANG=C mousepad", "env", {"LANG=C", "mousepad", "/w/a b.txt"}},
      {"quoted program with blanks", "\"/opt/My Editor/ed\" --new-window %f", "/opt/My Editor/ed",
       {"--new-window", "/w/a b.txt"}},
      {"icon and name codes dropped", "kate -b %i %c %u", "kate", {"-b", "/w/a b.txt"}},
      {"escaped quote and percent", "ed \"say \\\"hi\\\"\" 100%% %F %F", "ed",
       {"say \"hi\"", "100%", "/w/a b.txt"}},
  };
  for (const ExecCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto command = DesktopEditorLauncher::parseExec(c.exec);
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(command->program, c.program);
    EXPECT_EQ(DesktopEditorLauncher::argumentsFor(*command, QStringLiteral("/w/a b.txt")),
              c.arguments);
  }
  EXPECT_FALSE(DesktopEditorLauncher::parseExec(QStringLiteral("   ")).has_value());
}

void writeFile(const QString& path, const QByteArray& content) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(content);
}

TEST(DesktopEditorLauncher, DesktopDefaultForPlainText) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const QString apps = root.filePath("apps");
  writeFile(root.filePath("user/mimeapps.list"),
            "[Added Associations]\ntext/plain=added.desktop;\n"
            "[Default Applications]\ntext/html=browser.desktop\n"
            "text/plain=missing.desktop;notes-editor.desktop;\n");
  writeFile(root.filePath("system/mimeapps.list"),
            "[Default Applications]\ntext/plain=added.desktop\n");
  writeFile(apps + "/added.desktop", "[Desktop Entry]\nExec=added %f\n");
  // "notes-editor.desktop" may live in the subfolder "notes".
  writeFile(apps + "/notes/editor.desktop",
            "[Desktop Action new]\nExec=wrong\n[Desktop Entry]\nExec=notes-edit --new %F\n");

  const auto chosen = DesktopEditorLauncher::desktopDefaultEditor(
      {root.filePath("user/mimeapps.list"), root.filePath("system/mimeapps.list")}, {apps});
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, (EditorCommand{"notes-edit", {"--new", "%F"}}));

  const auto fallback = DesktopEditorLauncher::desktopDefaultEditor(
      {root.filePath("absent.list"), root.filePath("system/mimeapps.list")}, {apps});
  ASSERT_TRUE(fallback.has_value());
  EXPECT_EQ(fallback->program, QStringLiteral("added"));

  EXPECT_FALSE(DesktopEditorLauncher::desktopDefaultEditor({root.filePath("absent.list")}, {apps})
                   .has_value());
}

// A real start: the file name reaches the editor as one argument, untouched by any shell.
TEST(DesktopEditorLauncher, StartsProgramWithArgumentList) {
  QTemporaryDir bin;
  ASSERT_TRUE(bin.isValid());
  const QString record = bin.filePath("record.txt");
  const QString editor = bin.filePath("fake-editor");
  writeFile(editor, QStringLiteral("#!/bin/sh\nprintf '%s|%s\\n' \"$#\" \"$1\" > '%1.tmp'\n"
                                   "mv '%1.tmp' '%1'\n")
                        .arg(record)
                        .toUtf8());
  QFile::setPermissions(editor, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

  const QString name = QStringLiteral("заметки; $(touch x) `y` 'z'.txt");
  DesktopEditorLauncher launcher(
      [] { return QList<EditorCommand>{{"no-such-editor", {}}, {"fake-editor", {}}}; },
      [&](const QString& program) {
        return QStandardPaths::findExecutable(program, {bin.path()});
      },
      [](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
      });
  QString reason;
  ASSERT_TRUE(launcher.launch(name, &reason)) << reason.toStdString();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(record); }, 10000));
  QFile f(record);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(f.readAll()).trimmed(),
            QStringLiteral("1|") + QDir::current().absoluteFilePath(name));
}

}  // namespace
}  // namespace larmor
