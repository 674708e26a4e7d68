#pragma once

#include <QColor>
#include <QWidget>

namespace larmor {

// The particle marker: a filled circle above a picture, moved as a child widget so that
// it never leaves a trace in the picture's drawing.
class MarkerShape : public QWidget {
  Q_OBJECT

public:
  explicit MarkerShape(int diameter, QWidget* parent = nullptr);

  QColor colour() const { return m_colour; }
  // Fill and border together, as the charge's colour.
  void setColour(const QColor& colour);

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QColor m_colour = Qt::red;
};

}  // namespace larmor
