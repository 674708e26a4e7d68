#include "ui/DesktopEditorLauncher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace larmor {
namespace {

TEST(DesktopEditorLauncher, TriesCandidatesInOrder) {
  const struct {
    const char* name;
    QStringList installed, failToStart;  // names the finder knows; of those, ones that fail
    QString ran;                         // the one that ends up running, empty: none
    QString reasonPart;                  // in the reason on failure
  } rows[] = {
      {"first found wins", {"kate", "gedit"}, {}, "/usr/bin/gedit", {}},
      {"skips one that fails to start", {"gedit", "kate"}, {"gedit"}, "/usr/bin/kate", {}},
      {"none installed", {}, {}, {}, "Не найден текстовый редактор"},
      {"all fail to start", {"kate"}, {"kate"}, {}, "Не удалось запустить"},
  };
  const QString file = QDir::current().absoluteFilePath(QStringLiteral("instruction.txt"));
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    QList<QPair<QString, QStringList>> started;
    DesktopEditorLauncher launcher(
        [] { return QList<EditorCommand>{{"gedit", {}}, {"kate", {"-b"}}, {"absent", {}}}; },
        [&](const QString& name) { return r.installed.contains(name) ? "/usr/bin/" + name : QString(); },
        [&](const QString& program, const QStringList& arguments) {
          started.append({program, arguments});
          return !r.failToStart.contains(QFileInfo(program).fileName());
        });
    QString reason;
    EXPECT_EQ(launcher.launch(QStringLiteral("instruction.txt"), &reason), !r.ran.isEmpty());
    if (!r.ran.isEmpty()) {
      ASSERT_FALSE(started.isEmpty());
      EXPECT_EQ(started.last().first, r.ran);
      EXPECT_TRUE(reason.isEmpty());
    } else {
      EXPECT_TRUE(reason.contains(r.reasonPart) && reason.contains("instruction.txt")) << reason.toStdString();
    }
    for (const auto& [program, arguments] : started)  // the candidate's own arguments, then the file
      EXPECT_EQ(arguments, (program.endsWith("/kate") ? QStringList{"-b", file} : QStringList{file}));
  }
}

TEST(DesktopEditorLauncher, DesktopEntryExecLines) {
  const struct {
    const char* name;
    QString exec, program;
    QStringList arguments;  // for the file "/w/a b.txt"
  } rows[] = {
      {"file list code", "gedit %U", "gedit", {"/w/a b.txt"}},
      {"no code: file appended", "env LANG=C mousepad", "env", {"LANG=C", "mousepad", "/w/a b.txt"}},
      {"quoted program with blanks", "\"/opt/My Editor/ed\" --new-window %f", "/opt/My Editor/ed",
       {"--new-window", "/w/a b.txt"}},
      {"icon and name codes dropped", "kate -b %i %c %u", "kate", {"-b", "/w/a b.txt"}},
      {"escaped quote and percent", "ed \"say \\\"hi\\\"\" 100%% %F %F", "ed", {"say \"hi\"", "100%", "/w/a b.txt"}},
  };
  for (const auto& r : rows) {
    const auto command = DesktopEditorLauncher::parseExec(r.exec);
    ASSERT_TRUE(command.has_value()) << r.name;
    EXPECT_EQ(command->program, r.program) << r.name;
    EXPECT_EQ(DesktopEditorLauncher::argumentsFor(*command, "/w/a b.txt"), r.arguments) << r.name;
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
  const QString user = root.filePath("user.list"), system = root.filePath("system.list"), apps = root.filePath("apps");
  writeFile(user, "[Added Associations]\ntext/plain=added.desktop;\n[Default Applications]\n"
                  "text/html=browser.desktop\ntext/plain=missing.desktop;notes-editor.desktop;\n");
  writeFile(system, "[Default Applications]\ntext/plain=added.desktop\n");
  writeFile(apps + "/added.desktop", "[Desktop Entry]\nExec=added %f\n");
  // "notes-editor.desktop" may live in the subfolder "notes"; only the main group's Exec counts.
  writeFile(apps + "/notes/editor.desktop", "[Desktop Action new]\nExec=wrong\n[Desktop Entry]\nExec=notes-edit --new %F\n");
  const QString absent = root.filePath("absent.list");
  EXPECT_EQ(DesktopEditorLauncher::desktopDefaultEditor({user, system}, {apps}), (EditorCommand{"notes-edit", {"--new", "%F"}}));
  EXPECT_EQ(DesktopEditorLauncher::desktopDefaultEditor({absent, system}, {apps}), (EditorCommand{"added", {"%f"}}));
  EXPECT_FALSE(DesktopEditorLauncher::desktopDefaultEditor({absent}, {apps}).has_value());
}

}  // namespace
}  // namespace larmor
