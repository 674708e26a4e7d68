#pragma once

#include <QRect>
#include <QSize>

namespace larmor {

// Where a second window opens (all frames, decorations included): inside the screen's free
// area, at the size wanted as far as it fits and never below its minimum, beside the main
// window on the side where it fits at its minimum; where neither side has the room, against
// the edge of the screen on the roomier side at its minimum width, so that it covers as
// little of the main window as it can.
QRect placeBeside(const QRect& available, const QRect& mainFrame, QSize wanted, QSize minimum);

}  // namespace larmor
