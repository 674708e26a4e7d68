#include "ui/TheoryTable.h"

#include "model/TheoryTexts.h"
#include "model/TheoryVerdict.h"
#include "ui/DiagnosticsNumbers.h"
#include "ui/QtTranslations.h"

#include <QCoreApplication>
#include <QHeaderView>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace larmor {

namespace {

const QString dash = QStringLiteral("—");

QTableWidgetItem* cell(const QString& text, const QString& tooltip) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  item->setToolTip(tooltip);
  return item;
}

}  // namespace

TheoryTable::TheoryTable(QWidget* parent) : QTableWidget(0, 5, parent) {
  setObjectName(QStringLiteral("theoryTable"));
  setHorizontalHeaderLabels({QCoreApplication::translate("larmor::TheoryTable", "Величина"), QCoreApplication::translate("larmor::TheoryTable", "Теория"), QCoreApplication::translate("larmor::TheoryTable", "Расчёт"),
                             QCoreApplication::translate("larmor::TheoryTable", "Расхождение"), QCoreApplication::translate("larmor::TheoryTable", "Вывод")});
  verticalHeader()->hide();
  // Every column as wide as its longest text; the last takes what the window adds.
  horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  horizontalHeader()->setStretchLastSection(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
}

QSize TheoryTable::sizeHint() const {
  const int height = horizontalHeader()->sizeHint().height() + maxRows * verticalHeader()->defaultSectionSize() +
                     2 * frameWidth();
  return {QTableWidget::sizeHint().width(), height};
}

QSize TheoryTable::minimumSizeHint() const {
  int width = 2 * frameWidth();
  for (int c = 0; c < columnCount(); ++c)
    width += std::max(horizontalHeader()->sectionSizeHint(c), sizeHintForColumn(c));
  return {width, sizeHint().height()};
}

QString TheoryTable::numberText(double value, int digits) { return diagnosticNumber(value, digits); }

QString TheoryTable::valueText(double value, TheoryQuantity::Kind kind) {
  switch (kind) {
    case TheoryQuantity::Kind::flag:
      return value != 0 ? QCoreApplication::translate("larmor::TheoryTable", "да") : QCoreApplication::translate("larmor::TheoryTable", "нет");
    case TheoryQuantity::Kind::count:
      return QString::number(std::llround(value));
    case TheoryQuantity::Kind::number:
      break;
  }
  return numberText(value);
}

void TheoryTable::setRows(const std::vector<TheoryQuantity>& rows) {
  setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < rowCount(); ++r) {
    const TheoryQuantity& q = rows[static_cast<std::size_t>(r)];
    const Language language = uiLanguage();
    const bool russian = language == Language::Russian;
    const QString explanation = QString::fromStdString(q.explanation.in(language));
    QString name = QString::fromUtf8(russian ? q.name : quantityNameEnglish(q.key));
    if (*q.unit) name += QStringLiteral(", ") + QString::fromUtf8(russian ? q.unit : quantityUnitEnglish(q.key));
    setItem(r, Quantity, cell(name, explanation));

    const auto value = [&](const std::optional<double>& v, const std::string& reason) {
      return v ? cell(valueText(*v, q.kind), explanation) : cell(dash, QString::fromStdString(reason));
    };
    setItem(r, Predicted, value(q.predicted, q.notPredictedText.in(language)));
    setItem(r, Measured, value(q.measured, q.notMeasuredText.in(language)));

    QTableWidgetItem* difference = nullptr;
    if (q.relativeDifference) {
      const double percent = 100 * *q.relativeDifference;
      difference = cell((percent > 0 ? QStringLiteral("+") : QString()) + numberText(percent, 2) + QStringLiteral(" %"),
                        explanation);
    } else if (!q.predicted || !q.measured) {
      difference = cell(dash, QString::fromStdString(!q.predicted ? q.notPredictedText.in(language) : q.notMeasuredText.in(language)));
    } else if (q.kind == TheoryQuantity::Kind::flag) {
      difference = cell(*q.predicted == *q.measured ? QCoreApplication::translate("larmor::TheoryTable", "совпадает") : QCoreApplication::translate("larmor::TheoryTable", "не совпадает"),
                        explanation);
    } else {
      difference = cell(dash, QCoreApplication::translate("larmor::TheoryTable", "теория предсказывает 0: сравнивать не с чем, расчёт показывает "
                                             "отклонение само"));
    }
    setItem(r, Difference, difference);

    // The verdict beside the difference: whether the difference means anything, and why.
    QString verdict = q.holds == Holds::unknown ? dash : QString::fromUtf8(holdsWord(q.holds, language));
    if (q.runErrorComparable) verdict += QCoreApplication::translate("larmor::TheoryTable", " (ошибка счёта)");
    setItem(r, Verdict, cell(verdict, QString::fromStdString(q.why.in(language))));
  }
  updateGeometry();  // a longer text widens the least the window can be
}

}  // namespace larmor
