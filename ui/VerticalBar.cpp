#include "ui/VerticalBar.h"

#include <QScrollBar>

namespace larmor {

VerticalBar::VerticalBar(int top, int bottom, int smallChange, int largeChange, int value,
                         QWidget* parent)
    : QWidget(parent), m_bar(new QScrollBar(Qt::Vertical, this)), m_top(top),
      m_bottom(bottom) {
  // The inner bar runs from -top (its upper end) to -bottom: its own minimum is at the top,
  // so every "towards the top" action lowers the inner value and raises ours.
  m_bar->setRange(-top, -bottom);
  m_bar->setSingleStep(smallChange);
  m_bar->setPageStep(largeChange);
  m_bar->setValue(-value);
  m_bar->setTracking(false);
  setFocusProxy(m_bar);
  setFocusPolicy(m_bar->focusPolicy());
  connect(m_bar, &QScrollBar::valueChanged, this,
          [this](int inner) { emit valueChanged(-inner); });
}

int VerticalBar::value() const { return -m_bar->value(); }

void VerticalBar::setValue(int value) { m_bar->setValue(-value); }

int VerticalBar::smallChange() const { return m_bar->singleStep(); }

int VerticalBar::largeChange() const { return m_bar->pageStep(); }

void VerticalBar::resizeEvent(QResizeEvent*) { m_bar->setGeometry(rect()); }

}  // namespace larmor
