#include "ExternalTools.h"

#include <QMap>

#include <gtest/gtest.h>

namespace larmor {
namespace {

// Keys of the [Desktop Entry] group.
QMap<QString, QString> desktopEntry(const QString& path) {
  QMap<QString, QString> keys;
  bool inEntry = false;
  for (const QString& line : testing::readUtf8File(path).split(QLatin1Char('\n'))) {
    if (line.startsWith(QLatin1Char('['))) inEntry = line == QLatin1String("[Desktop Entry]");
    const int eq = line.indexOf(QLatin1Char('='));
    if (inEntry && eq > 0) keys.insert(line.left(eq), line.mid(eq + 1));
  }
  return keys;
}

TEST(DesktopFiles, DesktopEntryValidates) {
  const auto r = testing::runTool(QStringLiteral("desktop-file-validate"),
                                  {QStringLiteral(LARMOR_DESKTOP_FILE)});
  ASSERT_TRUE(r.started) << "desktop-file-validate missing: install desktop-file-utils";
  EXPECT_EQ(r.exitCode, 0) << r.out.toStdString();
  EXPECT_TRUE(r.out.trimmed().isEmpty()) << r.out.toStdString();  // no hint either
}

TEST(DesktopFiles, MetainfoValidates) {
  const auto r = testing::runTool(
      QStringLiteral("appstreamcli"),
      {QStringLiteral("validate"), QStringLiteral("--no-net"), QStringLiteral(LARMOR_METAINFO_FILE)});
  ASSERT_TRUE(r.started) << "appstreamcli missing: install appstream";
  EXPECT_EQ(r.exitCode, 0) << r.out.toStdString();
}

// The program finds its files in its working directory: the entry starts the launcher
// and names the runtime folder as the working directory too.
TEST(DesktopFiles, EntryStartsTheProgramInItsRuntimeFolder) {
  const auto keys = desktopEntry(QStringLiteral(LARMOR_DESKTOP_FILE));
  EXPECT_EQ(keys.value(QStringLiteral("Exec")), QStringLiteral(LARMOR_INSTALL_LAUNCHER));
  EXPECT_EQ(keys.value(QStringLiteral("Path")), QStringLiteral(LARMOR_INSTALL_RUNTIME_DIR));
  EXPECT_EQ(keys.value(QStringLiteral("Icon")), QStringLiteral("org.example.Larmor"));
  EXPECT_EQ(keys.value(QStringLiteral("Comment[ru]")),
            QStringLiteral("Моделирование движения заряженной частицы в различных магнитных полях"));
  EXPECT_FALSE(keys.value(QStringLiteral("Comment")).isEmpty());
  EXPECT_FALSE(keys.value(QStringLiteral("Name[ru]")).isEmpty());
  const QString metainfo = testing::readUtf8File(QStringLiteral(LARMOR_METAINFO_FILE));
  EXPECT_TRUE(metainfo.contains(
      QStringLiteral("<launchable type=\"desktop-id\">org.example.Larmor.desktop</launchable>")));
}

}  // namespace
}  // namespace larmor
