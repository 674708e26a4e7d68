#pragma once

namespace larmor {

// The world rectangle a picture shows [m]: u grows to the right, w upwards. The whole
// client area of the picture maps onto it, each direction linearly and independently.
struct ViewMapping {
  float uLeft = 0, wTop = 1, uRight = 1, wBottom = 0;
};

}  // namespace larmor
