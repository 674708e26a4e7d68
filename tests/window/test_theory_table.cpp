// The theory table of the diagnostics window as a user meets it: predictions after every
// recompute, measurements after a run started with the button, a dash with its reason where
// a run could not measure, and the verdict with its reason in the tooltip.
#include "DiagnosticsTestSupport.h"

#include "ui/TheoryTable.h"

namespace larmor::test {
namespace {

using Column = TheoryTable::Column;

class TheoryTableTest : public DiagnosticsTest {
protected:
  TheoryTable& openTable() { return *openDiagnostics().theoryTable(); }
  TheoryTable& table() { return *window().diagnostics()->theoryTable(); }
  // The row whose quantity begins with name.
  int row(const char* name) {
    for (int r = 0; r < table().rowCount(); ++r)
      if (table().item(r, Column::Quantity)->text().startsWith(QString::fromUtf8(name))) return r;
    ADD_FAILURE() << "no row " << name;
    return 0;
  }
  QString text(int r, Column c) { return table().item(r, c)->text(); }
  QString tip(int r, Column c) { return table().item(r, c)->toolTip(); }
  static double number(const QString& text) {
    const double value = shownNumber(text);
    EXPECT_FALSE(std::isnan(value)) << text.toStdString();
    return value;
  }
  void openLesson(const QByteArray& json) {
    writeFile(QStringLiteral("lesson.larmor"), json);
    ASSERT_TRUE(window().openScenario(QStringLiteral("lesson.larmor")));
  }
};

TEST_F(TheoryTableTest, UniformFieldPredictsThePeriodAndTheRunMeasuresIt) {
  TheoryTable& shown = openTable();
  // Every row readable at the size the window opens with, beside the plots.
  ASSERT_GE(shown.rowCount(), 4);
  EXPECT_TRUE(shown.isVisible());
  EXPECT_LE(shown.rowViewportPosition(shown.rowCount() - 1) + shown.rowHeight(shown.rowCount() - 1),
            shown.viewport()->height());
  EXPECT_GE(window().diagnostics()->plot(Plot::Position)->height(), 160);

  const SimParams& p = window().state().params;
  const double period = 2 * M_PI * p.m / (p.q * p.Bo);
  const int T = row("Период T, с");
  EXPECT_NEAR(number(text(T, Column::Predicted)), period, 1e-3 * period) << text(T, Column::Predicted).toStdString();
  EXPECT_TRUE(tip(T, Column::Quantity).contains(QStringLiteral("T = 2π/|ω|")));
  EXPECT_EQ(text(T, Column::Measured), QStringLiteral("—"));
  EXPECT_TRUE(tip(T, Column::Measured).contains(QStringLiteral("ещё не выполнен"))) << tip(T, Column::Measured).toStdString();

  runAtFullSpeed();
  EXPECT_NEAR(number(text(T, Column::Measured)), period, 1e-3 * period) << text(T, Column::Measured).toStdString();
  EXPECT_LT(std::fabs(number(text(T, Column::Difference))), 0.1) << text(T, Column::Difference).toStdString();
  EXPECT_TRUE(text(T, Column::Difference).endsWith(QStringLiteral(" %")));
  EXPECT_EQ(text(T, Column::Verdict), QStringLiteral("выполняется"));
  EXPECT_TRUE(tip(T, Column::Verdict).contains(QStringLiteral("однородно"))) << tip(T, Column::Verdict).toStdString();
  const int R = row("Радиус R");
  EXPECT_NEAR(number(text(R, Column::Measured)), number(text(R, Column::Predicted)), 1e-2 * number(text(R, Column::Predicted)));

  // A recompute takes the measurements away; a run cut before one gyration has none to give.
  control<VerticalBar>("VScroll6")->setValue(45);
  EXPECT_EQ(text(T, Column::Measured), QStringLiteral("—"));
  window().setRunStepLimit(50);
  runAtFullSpeed();
  EXPECT_EQ(window().lastRunSteps(), 50);
  EXPECT_EQ(std::pair(text(T, Column::Measured), text(T, Column::Difference)), std::pair(QStringLiteral("—"), QStringLiteral("—")));
  EXPECT_TRUE(tip(T, Column::Measured).contains(QStringLiteral("нет ни одного полного оборота; расчёт прерван до конца")))
      << tip(T, Column::Measured).toStdString();
}

const char* const trapLesson = R"({"format": "larmor-scenario", "version": 1, "config": 4, "charge": 1, "mass": 1,
  "speed": %1, "alpha": 60, "beta": 90, "field": %2, "region": 8, "x0": 3.0, "y0": 0.0, "z0": 0.0,
  "S": "1.00", "d": "3.00", "periods": "%3", "slowdown": 0, "integrator": "rk4", "picture": "structure"})";

TEST_F(TheoryTableTest, TrapReflectsAndAWideGyrationIsNotComparedWithTheTheory) {
  openTable();
  openLesson(QString::fromLatin1(trapLesson).arg(5000).arg(0.0015).arg(200).toUtf8());
  const int reflections = row("Число отражений"), trapped = row("Частица удержана"), mu = row("Разброс μ");
  EXPECT_EQ(text(trapped, Column::Predicted), QStringLiteral("да"));
  EXPECT_EQ(text(reflections, Column::Predicted), QStringLiteral("—"));
  EXPECT_FALSE(tip(reflections, Column::Predicted).isEmpty());
  runAtFullSpeed();
  EXPECT_GT(text(reflections, Column::Measured).toInt(), 0) << text(reflections, Column::Measured).toStdString();
  EXPECT_EQ(std::pair(text(trapped, Column::Measured), text(trapped, Column::Difference)),
            std::pair(QStringLiteral("да"), QStringLiteral("совпадает")));
  const double turning = number(text(row("Поле поворота"), Column::Predicted));
  EXPECT_NEAR(number(text(row("Поле поворота"), Column::Measured)), turning, 0.1 * turning);
  EXPECT_LT(number(text(mu, Column::Measured)), 0.1);

  // A slow field and a fast particle: the Larmor radius is no longer small against the
  // scales along the field line, and the verdict says so, with the ratio in its tooltip.
  openLesson(QString::fromLatin1(trapLesson).arg(30000).arg(0.0002).arg(5).toUtf8());
  runAtFullSpeed();
  EXPECT_EQ(text(mu, Column::Verdict), QStringLiteral("не выполняется"));
  EXPECT_TRUE(tip(mu, Column::Verdict).contains(QStringLiteral("rL/L = "))) << tip(mu, Column::Verdict).toStdString();
  EXPECT_NE(text(mu, Column::Predicted), QStringLiteral("—"));
}

}  // namespace
}  // namespace larmor::test
