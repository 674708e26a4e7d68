#include "ExternalTools.h"

#include "tests/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace larmor {
namespace {

TEST(DesktopFiles, EntryAndMetainfoValidate) {
  for (const auto& [tool, arguments] :
       {std::pair{QStringLiteral("desktop-file-validate"), QStringList{QStringLiteral(LARMOR_DESKTOP_FILE)}},
        std::pair{QStringLiteral("appstreamcli"), QStringList{QStringLiteral("validate"), QStringLiteral("--no-net"),
                                                              QStringLiteral(LARMOR_METAINFO_FILE)}}}) {
    const auto r = testing::runTool(tool, arguments);
    ASSERT_TRUE(r.started) << tool.toStdString() << " is missing";
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains(QStringLiteral("hint:"))) << r.out.toStdString();
  }
}

// One install into a scratch DESTDIR: every piece in its place, the documents the build made, the desktop
// entry naming the installed runtime folder, and the launcher starting the program in that folder.
TEST(Install, PutsEveryPieceInItsPlaceAndStartsTheProgramInTheRuntimeFolder) {
  QTemporaryDir root;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("DESTDIR"), root.path());
  const auto install = testing::runTool(QStringLiteral(LARMOR_CMAKE_COMMAND),
                                        {QStringLiteral("--install"), QStringLiteral(LARMOR_BINARY_DIR)}, environment);
  ASSERT_EQ(install.exitCode, 0) << install.out.toStdString();
  const auto installed = [&](const QString& absolute) { return root.path() + absolute; };
  for (const QString& relative : QStringLiteral(LARMOR_INSTALL_LAYOUT).split(QLatin1Char(':')))
    EXPECT_GT(QFileInfo(installed(QStringLiteral(LARMOR_INSTALL_PREFIX "/") + relative)).size(), 0) << relative.toStdString();
  const auto contents = test::fileBytes;
  for (const QString name : {"spravka.pdf", "uprav.pdf", "instruction.txt", "examples/07-trap-trapped.larmor"}) {
    const QByteArray built = contents(LARMOR_RUNTIME_DIR "/" + name);
    EXPECT_TRUE(!built.isEmpty() && built == contents(installed(LARMOR_INSTALL_RUNTIME_DIR "/" + name))) << name.toStdString();
  }
  EXPECT_TRUE(contents(installed(LARMOR_INSTALL_PREFIX "/share/applications/org.example.Larmor.desktop"))
                  .contains("\nPath=" LARMOR_INSTALL_RUNTIME_DIR "\n"));

  // The scenario type: the database builds cleanly from the installed package file and
  // knows *.larmor by it.
  const QString mime = installed(QStringLiteral(LARMOR_INSTALL_PREFIX "/share/mime"));
  QProcessEnvironment searched = QProcessEnvironment::systemEnvironment();
  searched.insert(QStringLiteral("XDG_DATA_DIRS"), installed(QStringLiteral(LARMOR_INSTALL_PREFIX "/share")));
  const auto database = testing::runTool(QStringLiteral("update-mime-database"), {mime}, searched);
  ASSERT_TRUE(database.started) << "update-mime-database is missing";
  EXPECT_EQ(database.exitCode, 0) << database.out.toStdString();
  EXPECT_EQ(database.out.trimmed().toStdString(), "");  // no warning about the package file
  EXPECT_TRUE(contents(mime + QStringLiteral("/globs2")).contains("application/x-larmor-scenario:*.larmor"));

  EXPECT_TRUE(QFileInfo(installed(QStringLiteral(LARMOR_INSTALL_PROGRAM))).isExecutable());
  // The real program swapped for one that prints its working directory and its arguments.
  QFile fake(installed(QStringLiteral(LARMOR_INSTALL_PROGRAM)));
  ASSERT_TRUE(fake.remove() && fake.open(QIODevice::WriteOnly));
  fake.write("#!/bin/sh\npwd -P\nprintf '%s\\n' \"$@\"\n");
  fake.close();
  fake.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  // A lesson named relative to where the launcher starts is handed on by its whole path.
  const auto r = testing::runTool(installed(QStringLiteral(LARMOR_INSTALL_LAUNCHER)),
                                  {QStringLiteral("my lesson.larmor"), QStringLiteral("/tmp/a.larmor")});
  EXPECT_EQ(r.exitCode, 0) << r.out.toStdString();
  EXPECT_EQ(r.out.trimmed().split(QLatin1Char('\n')),
            QStringList({QFileInfo(installed(QStringLiteral(LARMOR_INSTALL_RUNTIME_DIR))).canonicalFilePath(),
                         QDir::currentPath() + QStringLiteral("/my lesson.larmor"), QStringLiteral("/tmp/a.larmor")}));
}

}  // namespace
}  // namespace larmor
