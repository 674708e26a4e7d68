#include "ui/WindowPlacement.h"

#include <algorithm>

namespace larmor {

QRect placeBeside(const QRect& available, const QRect& mainFrame, QSize wanted, QSize minimum) {
  const QSize size = wanted.boundedTo(available.size()).expandedTo(minimum);
  const int rightRoom = available.right() - mainFrame.right();
  const int leftRoom = mainFrame.left() - available.left();
  int width = size.width(), left = 0;
  if (rightRoom >= minimum.width()) {
    width = std::min(width, rightRoom);
    left = mainFrame.right() + 1;
  } else if (leftRoom >= minimum.width()) {
    width = std::min(width, leftRoom);
    left = mainFrame.left() - width;
  } else {
    width = minimum.width();
    left = rightRoom >= leftRoom ? available.right() + 1 - width : available.left();
  }
  // Level with the main window, as far as the screen lets it be.
  const int top = std::max(available.top(), std::min(mainFrame.top(), available.bottom() + 1 - size.height()));
  return {std::max(left, available.left()), top, width, size.height()};
}

}  // namespace larmor
