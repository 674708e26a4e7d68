#include "ExternalTools.h"

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
  const auto contents = [](const QString& path) { QFile f(path); return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(); };
  for (const QString name : {"spravka.pdf", "uprav.pdf", "instruction.txt"}) {
    const QByteArray built = contents(LARMOR_RUNTIME_DIR "/" + name);
    EXPECT_TRUE(!built.isEmpty() && built == contents(installed(LARMOR_INSTALL_RUNTIME_DIR "/" + name))) << name.toStdString();
  }
  EXPECT_TRUE(contents(installed(LARMOR_INSTALL_PREFIX "/share/applications/org.example.Larmor.desktop"))
                  .contains("\nPath=" LARMOR_INSTALL_RUNTIME_DIR "\n"));

  EXPECT_TRUE(QFileInfo(installed(QStringLiteral(LARMOR_INSTALL_PROGRAM))).isExecutable());
  // The real program swapped for one that prints its working directory.
  QFile fake(installed(QStringLiteral(LARMOR_INSTALL_PROGRAM)));
  ASSERT_TRUE(fake.remove() && fake.open(QIODevice::WriteOnly));
  fake.write("#!/bin/sh\npwd -P\n");
  fake.close();
  fake.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  const auto r = testing::runTool(installed(QStringLiteral(LARMOR_INSTALL_LAUNCHER)), {});
  EXPECT_EQ(r.exitCode, 0) << r.out.toStdString();
  EXPECT_EQ(r.out.trimmed(), QFileInfo(installed(QStringLiteral(LARMOR_INSTALL_RUNTIME_DIR))).canonicalFilePath());
}

}  // namespace
}  // namespace larmor
