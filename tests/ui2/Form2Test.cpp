#include "ui/Form2.h"
#include "ui/InfoTexts.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace larmor {
namespace {

TEST(Form2, CentredOverMainWindowAndReusedWhenChosenAgain) {
  QWidget main;
  main.show();
  Form2 authors(&main);
  auto* text = authors.findChild<QLabel*>(QStringLiteral("Label1"));
  ASSERT_NE(text, nullptr);
  for (const QRect& placement : {QRect(40, 30, 720, 480), QRect(300, 200, 1000, 700),
                                 QRect(500, 400, 150, 120) /* smaller than Form2 */}) {
    SCOPED_TRACE(placement.width());
    main.setGeometry(placement);
    text->setText(QStringLiteral("stale"));  // what the open window may hold meanwhile
    authors.move(0, 0);
    authors.showAuthors(&main);
    EXPECT_TRUE(authors.isVisible() && !authors.isModal());
    const QRect m = main.frameGeometry(), a = authors.frameGeometry();
    EXPECT_EQ(a.topLeft(), QPoint(m.left() + (m.width() - a.width()) / 2, m.top() + (m.height() - a.height()) / 2));
    EXPECT_EQ(text->text(), authorsText());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&authors, 2000));
  }
  EXPECT_TRUE(main.isEnabled()) << "the main window stays usable";
}

}  // namespace
}  // namespace larmor
