#include "ui/TheoryTable.h"

#include "ui/DiagnosticsNumbers.h"

#include <QHeaderView>

#include <algorithm>
#include <cmath>

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
  setHorizontalHeaderLabels({QStringLiteral("Величина"), QStringLiteral("Теория"), QStringLiteral("Расчёт"),
                             QStringLiteral("Расхождение"), QStringLiteral("Вывод")});
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
      return value != 0 ? QStringLiteral("да") : QStringLiteral("нет");
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
    const QString explanation = QString::fromStdString(q.explanation.russian);
    QString name = QString::fromUtf8(q.name);
    if (*q.unit) name += QStringLiteral(", ") + QString::fromUtf8(q.unit);
    setItem(r, Quantity, cell(name, explanation));

    const auto value = [&](const std::optional<double>& v, const std::string& reason) {
      return v ? cell(valueText(*v, q.kind), explanation) : cell(dash, QString::fromStdString(reason));
    };
    setItem(r, Predicted, value(q.predicted, q.notPredictedReason));
    setItem(r, Measured, value(q.measured, q.notMeasuredReason));

    QTableWidgetItem* difference = nullptr;
    if (q.relativeDifference) {
      const double percent = 100 * *q.relativeDifference;
      difference = cell((percent > 0 ? QStringLiteral("+") : QString()) + numberText(percent, 2) + QStringLiteral(" %"),
                        explanation);
    } else if (!q.predicted || !q.measured) {
      difference = cell(dash, QString::fromStdString(!q.predicted ? q.notPredictedReason : q.notMeasuredReason));
    } else if (q.kind == TheoryQuantity::Kind::flag) {
      difference = cell(*q.predicted == *q.measured ? QStringLiteral("совпадает") : QStringLiteral("не совпадает"),
                        explanation);
    } else {
      difference = cell(dash, QStringLiteral("теория предсказывает 0: сравнивать не с чем, расчёт показывает "
                                             "отклонение само"));
    }
    setItem(r, Difference, difference);

    // The verdict beside the difference: whether the difference means anything, and why.
    QString verdict = q.holds == Holds::unknown ? dash : QString::fromUtf8(holdsWord(q.holds));
    if (q.runErrorComparable) verdict += QStringLiteral(" (ошибка счёта)");
    setItem(r, Verdict, cell(verdict, QString::fromStdString(q.why.russian)));
  }
  updateGeometry();  // a longer text widens the least the window can be
}

}  // namespace larmor
