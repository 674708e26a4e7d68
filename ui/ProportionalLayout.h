#pragma once

#include <vector>

namespace larmor {

// Where one control of the main window goes [client-area pixels, real numbers].
struct PlacedControl {
  const char* name;  // the control's objectName
  double left, top, width, height;
};

// The main window's layout for a client area of scaleWidth × scaleHeight pixels, in the
// order the controls are placed. The panel is fixed; only Image1 (at most 300 × 250,
// ratio 6 : 5) and the two pictures (square and double square below the panel) follow
// the client area. A client area smaller than the panel gives those sizes 0, never less.
std::vector<PlacedControl> proportionalLayout(double scaleWidth, double scaleHeight);

}  // namespace larmor
