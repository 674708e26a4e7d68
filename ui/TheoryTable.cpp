#include "ui/TheoryTable.h"

#include <QHeaderView>
#include <QLocale>

#include <cmath>

namespace larmor {

namespace {

const QString dash = QStringLiteral("—");

QString superscript(int n) {
  static const char16_t digits[] = u"⁰¹²³⁴⁵⁶⁷⁸⁹";
  QString text = n < 0 ? QStringLiteral("⁻") : QString();
  for (const QChar c : QString::number(std::abs(n))) text += QChar(digits[c.digitValue()]);
  return text;
}

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
  horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  horizontalHeader()->setSectionResizeMode(Quantity, QHeaderView::ResizeToContents);
  horizontalHeader()->setSectionResizeMode(Verdict, QHeaderView::ResizeToContents);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
}

QSize TheoryTable::sizeHint() const {
  const int height = horizontalHeader()->sizeHint().height() + maxRows * verticalHeader()->defaultSectionSize() +
                     2 * frameWidth();
  return {QTableWidget::sizeHint().width(), height};
}

QString TheoryTable::numberText(double value, int digits) {
  if (!std::isfinite(value)) return dash;
  QLocale russian(QLocale::Russian);
  russian.setNumberOptions(QLocale::OmitGroupSeparator);
  if (value == 0) return QStringLiteral("0");
  int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  if (exponent >= -3 && exponent < 5) return russian.toString(value, 'f', std::max(0, digits - 1 - exponent));
  double mantissa = value / std::pow(10.0, exponent);
  // Rounding may carry into a new digit: 9,9996 is 10,00, written 1,000·10¹ more.
  const double scale = std::pow(10.0, digits - 1);
  if (std::fabs(std::round(mantissa * scale) / scale) >= 10) mantissa /= 10, ++exponent;
  return russian.toString(mantissa, 'f', digits - 1) + QStringLiteral("·10") + superscript(exponent);
}

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
}

}  // namespace larmor
