#include "ExternalTools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace larmor {
namespace {

// One install into a scratch DESTDIR, shared by the tests below.
class InstallTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    s_root = new QTemporaryDir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), s_root->path());
    s_install = new testing::ToolResult(testing::runTool(
        QStringLiteral(LARMOR_CMAKE_COMMAND),
        {QStringLiteral("--install"), QStringLiteral(LARMOR_BINARY_DIR)}, environment));
  }
  static void TearDownTestSuite() {
    delete s_install;
    delete s_root;
  }

  static QString installed(const QString& absolutePath) { return s_root->path() + absolutePath; }

  static QTemporaryDir* s_root;
  static testing::ToolResult* s_install;
};

QTemporaryDir* InstallTest::s_root = nullptr;
testing::ToolResult* InstallTest::s_install = nullptr;

TEST_F(InstallTest, PutsEveryPieceInItsPlace) {
  ASSERT_EQ(s_install->exitCode, 0) << s_install->out.toStdString();
  const QString prefix = QStringLiteral(LARMOR_INSTALL_PREFIX "/");
  for (const QString& relative : QStringLiteral(LARMOR_INSTALL_LAYOUT).split(QLatin1Char(':'))) {
    SCOPED_TRACE(relative.toStdString());
    const QFileInfo file(installed(prefix + relative));
    EXPECT_TRUE(file.isFile());
    EXPECT_GT(file.size(), 0);
  }
  EXPECT_TRUE(QFileInfo(installed(QStringLiteral(LARMOR_INSTALL_LAUNCHER))).isExecutable());
  EXPECT_TRUE(QFileInfo(installed(QStringLiteral(LARMOR_INSTALL_PROGRAM))).isExecutable());

  // The documents installed are the ones the build generated.
  for (const char* name : {"spravka.pdf", "uprav.pdf", "instruction.txt"}) {
    QFile built(QStringLiteral(LARMOR_RUNTIME_DIR "/") + QString::fromUtf8(name));
    QFile copy(installed(QStringLiteral(LARMOR_INSTALL_RUNTIME_DIR "/") + QString::fromUtf8(name)));
    ASSERT_TRUE(built.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly)) << name;
    EXPECT_EQ(built.readAll(), copy.readAll()) << name;
  }
}

TEST_F(InstallTest, InstalledDesktopEntryNamesTheInstalledRuntimeFolder) {
  ASSERT_EQ(s_install->exitCode, 0) << s_install->out.toStdString();
  const QString entry = testing::readUtf8File(
      installed(QStringLiteral(LARMOR_INSTALL_PREFIX "/share/applications/org.example.Larmor.desktop")));
  const QString pathLine = QStringLiteral("Path=" LARMOR_INSTALL_RUNTIME_DIR);
  ASSERT_TRUE(entry.contains(pathLine + QLatin1Char('\n')));
  const QDir runtime(installed(QStringLiteral(LARMOR_INSTALL_RUNTIME_DIR)));
  for (const char* name : {"spravka.pdf", "uprav.pdf", "instruction.txt", "1.gif", "mudr.gif"})
    EXPECT_TRUE(runtime.exists(QString::fromUtf8(name))) << name;
}

// The launcher must start the program with the runtime folder as its working directory,
// wherever the installed tree lies: the real program is swapped for one that prints it.
TEST_F(InstallTest, LauncherStartsTheProgramInTheRuntimeFolder) {
  ASSERT_EQ(s_install->exitCode, 0) << s_install->out.toStdString();
  const QString program = installed(QStringLiteral(LARMOR_INSTALL_PROGRAM));
  QFile::remove(program);
  QFile fake(program);
  ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
  fake.write("#!/bin/sh\npwd -P\n");
  fake.close();
  fake.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

  const auto r = testing::runTool(installed(QStringLiteral(LARMOR_INSTALL_LAUNCHER)), {});
  ASSERT_TRUE(r.started);
  EXPECT_EQ(r.exitCode, 0) << r.out.toStdString();
  EXPECT_EQ(r.out.trimmed(),
            QFileInfo(installed(QStringLiteral(LARMOR_INSTALL_RUNTIME_DIR))).canonicalFilePath());
}

}  // namespace
}  // namespace larmor
