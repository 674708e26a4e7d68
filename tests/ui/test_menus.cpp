// The menu items and the exit confirmation, with recording services.
#include "UiTestSupport.h"

#include <QAction>
#include <QCloseEvent>

namespace larmor::test {
namespace {

using MenuTest = WindowTest;

TEST_F(MenuTest, ItemsAskTheirServices) {
  showWindow();
  auto trigger = [this](const char* name) { control<QAction>(name)->trigger(); };
  trigger("mnuFilespravka");
  trigger("mnuHelpUprav");
  EXPECT_EQ(fakes.opened, (QStringList{"spravka.pdf", "uprav.pdf"}));
  trigger("mnuHelpInstruction");
  EXPECT_EQ(fakes.launched, QStringList{"instruction.txt"});
  EXPECT_TRUE(fakes.warnings.isEmpty());
  fakes.launchSucceeds = false;
  trigger("mnuHelpInstruction");
  ASSERT_EQ(fakes.warnings.size(), 1);
  EXPECT_TRUE(fakes.warnings.front().contains(QStringLiteral("instruction.txt")));
  trigger("mnuHelpAbout");
  trigger("mnuHelpAbout2");
  EXPECT_EQ(fakes.informationTitles, (QStringList{"О ПРОГРАММЕ", "РЕГИСТРАЦИЯ"}));
}

TEST_F(MenuTest, ExitAsksAndNoKeepsTheWindow) {
  showWindow();
  fakes.answerYes = false;
  control<QAction>("mnuFileExit")->trigger();
  EXPECT_EQ(fakes.exitQuestions, 1);
  EXPECT_TRUE(window().isVisible());
  fakes.answerYes = true;
  EXPECT_TRUE(window().close());
  EXPECT_EQ(fakes.exitQuestions, 2);
  EXPECT_FALSE(window().isVisible());
}

}  // namespace
}  // namespace larmor::test
