#include "ui/Form2.h"
#include "ui/InfoTexts.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace larmor {
namespace {

QPoint expectedTopLeft(const QWidget& main, const QWidget& authors) {
  const QRect m = main.frameGeometry();
  const QRect a = authors.frameGeometry();
  return {m.left() + (m.width() - a.width()) / 2, m.top() + (m.height() - a.height()) / 2};
}

TEST(Form2, CentredOverMainWindowAndReusedWhenChosenAgain) {
  struct Placement {
    const char* name;
    QRect mainGeometry;
  };
  const Placement placements[] = {
      {"start-up size", {40, 30, 720, 480}},
      {"moved and enlarged", {300, 200, 1000, 700}},
      {"smaller than the authors window", {500, 400, 150, 120}},
  };

  QWidget main;
  main.show();
  Form2 authors(&main);
  for (const Placement& p : placements) {
    SCOPED_TRACE(p.name);
    main.setGeometry(p.mainGeometry);
    // What the user may have done to the open window meanwhile.
    authors.findChild<QLabel*>(QStringLiteral("Label1"))->setText(QStringLiteral("stale"));
    authors.move(0, 0);

    authors.showAuthors(&main);

    EXPECT_TRUE(authors.isVisible());
    EXPECT_FALSE(authors.isModal());
    EXPECT_EQ(authors.frameGeometry().topLeft(), expectedTopLeft(main, authors));
    EXPECT_EQ(authors.findChild<QLabel*>(QStringLiteral("Label1"))->text(), authorsText());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&authors, 2000));
  }
  EXPECT_EQ(main.findChildren<Form2*>().size(), 1);
  EXPECT_TRUE(main.isEnabled()) << "the main window stays usable";
}

}  // namespace
}  // namespace larmor
