#pragma once

#include "model/Theory.h"

#include <QTableWidget>

#include <vector>

namespace larmor {

// The guiding-centre theory against the run, one quantity a row: "Величина", "Теория",
// "Расчёт", "Расхождение", "Вывод". A missing value is a dash whose tooltip says why; the
// verdict ("выполняется", "на грани", "не выполняется") has its reason as its tooltip; every
// other cell's tooltip is the row's explanation (the formula and how it is measured).
// Numbers are written the Russian way, with a decimal comma.
class TheoryTable : public QTableWidget {
  Q_OBJECT

public:
  enum Column { Quantity, Predicted, Measured, Difference, Verdict };
  static constexpr int maxRows = 5;  // the longest table, a trap's

  explicit TheoryTable(QWidget* parent = nullptr);

  void setRows(const std::vector<TheoryQuantity>& rows);

  // 4 significant digits by default; "1,235·10⁻⁵" outside 10⁻³ … 10⁵.
  static QString numberText(double value, int digits = 4);
  static QString valueText(double value, TheoryQuantity::Kind kind);

  // Tall enough for the longest table without scrolling.
  QSize sizeHint() const override;
};

}  // namespace larmor
