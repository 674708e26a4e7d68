#include "ExternalTools.h"

#include <gtest/gtest.h>

namespace larmor {
namespace {

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

}  // namespace
}  // namespace larmor
