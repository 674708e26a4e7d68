#pragma once

#include "model/Theory.h"

#include <QTableWidget>

#include <vector>

namespace larmor {

// The guiding-centre theory against the run, one quantity a row: "Величина", "Теория",
// "Расчёт", "Расхождение", "Вывод". A missing value is a dash whose tooltip says why; the
// verdict ("выполняется", "на грани", "не выполняется") has its reason as its tooltip; every
// other cell's tooltip is the row's explanation (the formula and how it is measured).
// Numbers are written in the diagnostics window's style (DiagnosticsNumbers.h).
class TheoryTable : public QTableWidget {
  Q_OBJECT

public:
  enum Column { Quantity, Predicted, Measured, Difference, Verdict };
  static constexpr int maxRows = 5;  // the longest table, a trap's

  explicit TheoryTable(QWidget* parent = nullptr);

  void setRows(const std::vector<TheoryQuantity>& rows);

  // 4 significant digits by default.
  static QString numberText(double value, int digits = 4);
  static QString valueText(double value, TheoryQuantity::Kind kind);

  // Tall enough for the longest table without scrolling.
  QSize sizeHint() const override;
  // As tall, and wide enough for every text the table holds now.
  QSize minimumSizeHint() const override;
};

}  // namespace larmor
