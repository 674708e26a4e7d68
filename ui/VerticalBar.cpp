#include "ui/VerticalBar.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionSlider>

#include <algorithm>

namespace larmor {

namespace {

// The application style gives a bar arrows of about 14 px and a thumb of at least 26 px;
// on a 48-px bar the thumb then fills the whole groove: nothing is left of the trough and
// a dragged thumb has no room to move, so it always lands on the top value. A short bar
// gets arrows of at most a quarter and a thumb of at most a sixth of its length instead
// (12 and 8 px at 48 px), which leaves a 24-px groove with 16 px of travel.
//
// Every bar also gets a focus mark, which the application style does not draw on a scroll
// bar: a 2-px frame of the highlight colour just inside its edge, where it hides neither
// arrow nor thumb of a 22-px bar.
class BarStyle : public QProxyStyle {
public:
  BarStyle(const QString& baseKey, bool shortBar) : QProxyStyle(baseKey), m_shortBar(shortBar) {}

  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    const int normal = QProxyStyle::pixelMetric(metric, option, widget);
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (!m_shortBar || bar == nullptr ||
        (metric != PM_ScrollBarExtent && metric != PM_ScrollBarSliderMin))
      return normal;
    const int length = bar->orientation == Qt::Vertical ? bar->rect.height() : bar->rect.width();
    if (length <= 0) return normal;  // not laid out yet (a size hint)
    return std::min(normal, length / (metric == PM_ScrollBarExtent ? 4 : 6));
  }

  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control != CC_ScrollBar || !(option->state & State_HasFocus)) return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(option->palette.color(QPalette::Highlight), focusMarkWidth, Qt::SolidLine,
                         Qt::SquareCap, Qt::MiterJoin));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(option->rect).adjusted(1, 1, -1, -1));
    painter->restore();
  }

private:
  static constexpr int focusMarkWidth = 2;  // [px]
  bool m_shortBar;
};

void giveStyle(QScrollBar* bar, QObject* owner, bool shortBar) {
  // Owned by a widget that outlives the bar it styles.
  auto* style = new BarStyle(QApplication::style()->name(), shortBar);
  style->setParent(owner);
  bar->setStyle(style);
}

}  // namespace

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
  // Taken by a click or Tab, as a standard scroll bar is: its keys then move it.
  m_bar->setFocusPolicy(Qt::StrongFocus);
  fitShortBar(m_bar, this);
  connect(m_bar, &QScrollBar::valueChanged, this,
          [this](int inner) { emit valueChanged(-inner); });
}

void fitShortBar(QScrollBar* bar, QObject* owner) { giveStyle(bar, owner, true); }

void markFocus(QScrollBar* bar, QObject* owner) { giveStyle(bar, owner, false); }

int VerticalBar::value() const { return -m_bar->value(); }

void VerticalBar::setValue(int value) { m_bar->setValue(-value); }

int VerticalBar::smallChange() const { return m_bar->singleStep(); }

int VerticalBar::largeChange() const { return m_bar->pageStep(); }

void VerticalBar::resizeEvent(QResizeEvent*) { m_bar->setGeometry(rect()); }

// The inner bar is the tab stop; the wrapper is none (a focus proxy would make it a second
// stop, out of order) and hands on a focus given to it.
void VerticalBar::focusInEvent(QFocusEvent* event) { m_bar->setFocus(event->reason()); }

QRect scrollBarPart(const QScrollBar* bar, QStyle::SubControl part) {
  QStyleOptionSlider option;
  option.initFrom(bar);
  option.subControls = QStyle::SC_All;
  option.orientation = bar->orientation();
  option.minimum = bar->minimum();
  option.maximum = bar->maximum();
  option.sliderPosition = bar->sliderPosition();
  option.sliderValue = bar->value();
  option.singleStep = bar->singleStep();
  option.pageStep = bar->pageStep();
  option.upsideDown = bar->invertedAppearance();
  if (bar->orientation() == Qt::Horizontal) option.state |= QStyle::State_Horizontal;
  return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
}

}  // namespace larmor
