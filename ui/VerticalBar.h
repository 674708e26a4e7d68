#pragma once

#include <QStyle>
#include <QWidget>

class QScrollBar;

namespace larmor {

// A vertical scroll bar whose top end is its largest value (Min above Max). It wraps a
// normal QScrollBar over the negated range, so the top arrow, Up, Home, the wheel turned
// forward and a click in the trough above the thumb all increase value(). Tracking is
// off: a dragged thumb reports one change, on release. It takes the focus from a click or
// Tab; the arrow keys then move it by its small change, PageUp and PageDown by its large
// change, Home and End to its ends, each one change.
//
// The window's bars are only 48 px long. The inner bar gets a style that shortens its
// arrows and thumb on such a bar (see VerticalBar.cpp), so the trough stays clickable and
// the thumb has room to be dragged; long bars keep the application style's sizes.
class VerticalBar : public QWidget {
  Q_OBJECT

public:
  // top is the value at the top end (the larger), bottom the value at the bottom end.
  VerticalBar(int top, int bottom, int smallChange, int largeChange, int value,
              QWidget* parent = nullptr);

  int value() const;
  // Moves the bar; emits valueChanged when the value really changes.
  void setValue(int value);

  int top() const { return m_top; }
  int bottom() const { return m_bottom; }
  int smallChange() const;
  int largeChange() const;

  QScrollBar* scrollBar() const { return m_bar; }

signals:
  void valueChanged(int value);

protected:
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

private:
  QScrollBar* m_bar = nullptr;
  int m_top;
  int m_bottom;
};

// Gives a bar of any kind the short-bar sizes of arrows and thumb (the list's own bar is as
// short as the window's bars) and the focus mark. owner keeps the style alive and must
// outlive the bar.
void fitShortBar(QScrollBar* bar, QObject* owner);
// The focus mark alone: a frame of the highlight colour just inside the bar's edge while
// it has the keyboard focus.
void markFocus(QScrollBar* bar, QObject* owner);

// Where one part of a scroll bar (an arrow, the trough on either side of the thumb, the
// thumb) lies, in the bar's own coordinates, as its style lays it out now. Empty when the
// part has no room.
QRect scrollBarPart(const QScrollBar* bar, QStyle::SubControl part);

}  // namespace larmor
