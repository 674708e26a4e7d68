// The rasteriser of ImageCanvas: lines anywhere (clipped in double precision, far ends
// cut back), true circles; exactly the pixels the whole figure would light.
#include "canvas/ImageCanvasImpl.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace larmor {

using canvas_detail::finite;

namespace {

// floor(v) as an integer, for a finite v well inside the range of the type (every
// coordinate reaching the rasteriser is; std::floor is a library call without SSE4.1).
std::int64_t floorToInt(double v) {
  const std::int64_t i = std::int64_t(v);
  return i - (double(i) > v ? 1 : 0);
}

// floor(n / d) for d > 0.
std::int64_t floorDiv(std::int64_t n, std::int64_t d) {
  std::int64_t q = n / d;
  if ((n % d != 0) && (n < 0)) --q;
  return q;
}

// Clips the segment to the box in place; false when nothing is left. Each end that lies
// outside is moved onto the box along the line as seen from the other end, so an end near
// the picture keeps the direction exact however far the other end lies.
bool clipSegment(double& x1, double& y1, double& x2, double& y2, double xMin, double yMin,
                 double xMax, double yMax) {
  auto code = [&](double x, double y) {
    return (x < xMin ? 1 : x > xMax ? 2 : 0) | (y < yMin ? 4 : y > yMax ? 8 : 0);
  };
  int c1 = code(x1, y1), c2 = code(x2, y2);
  for (int round = 0; round < 8; ++round) {
    if ((c1 | c2) == 0) return true;
    if ((c1 & c2) != 0) return false;
    // Move the farther outside end first, seen from the nearer one.
    const bool first = c2 == 0 || (c1 != 0 && std::max(std::fabs(x1), std::fabs(y1)) >=
                                                  std::max(std::fabs(x2), std::fabs(y2)));
    double& px = first ? x1 : x2;
    double& py = first ? y1 : y2;
    const double qx = first ? x2 : x1, qy = first ? y2 : y1;
    const int c = first ? c1 : c2;
    if (c & 8) {
      px = qx + (px - qx) * ((yMax - qy) / (py - qy));
      py = yMax;
    } else if (c & 4) {
      px = qx + (px - qx) * ((yMin - qy) / (py - qy));
      py = yMin;
    } else if (c & 2) {
      py = qy + (py - qy) * ((xMax - qx) / (px - qx));
      px = xMax;
    } else {
      py = qy + (py - qy) * ((xMin - qx) / (px - qx));
      px = xMin;
    }
    if (!finite(px) || !finite(py)) return false;
    (first ? c1 : c2) = code(px, py);
  }
  return (c1 | c2) == 0;
}

}  // namespace

// Pixels of the whole segment between the pixels holding its ends: along the longer
// direction one pixel per column (or row), the other coordinate rounded from the exact
// slope of the end pixels. The clipped path visits only columns inside the image but
// computes each from the same end pixels, so it lights exactly the same pixels.
void ImageCanvas::Impl::lineAnywhere(double x1, double y1, double x2, double y2, std::uint32_t pixel) {
  // Far ends are cut back (in double precision) to a little beyond the image first; for
  // ordinary coordinates the end pixels are kept as they are. One test for the common
  // case: a value not finite fails it too.
  constexpr double far = 1 << 22;  // [device pixels]
  if (!(std::fabs(x1) <= far) | !(std::fabs(y1) <= far) | !(std::fabs(x2) <= far) | !(std::fabs(y2) <= far)) {
    if (!finite(x1) || !finite(y1) || !finite(x2) || !finite(y2)) return;
    constexpr double margin = 16;
    if (!clipSegment(x1, y1, x2, y2, -margin, -margin, width + margin, height + margin)) return;
  }
  const std::int64_t X1 = floorToInt(x1), Y1 = floorToInt(y1);
  const std::int64_t X2 = floorToInt(x2), Y2 = floorToInt(y2);
  if (culling && (std::max(X1, X2) < 0 || std::min(X1, X2) >= width || std::max(Y1, Y2) < 0 ||
                  std::min(Y1, Y2) >= height)) {
    return;
  }
  prepareWrite();
  const std::int64_t DX = X2 - X1, DY = Y2 - Y1;

  if (DY == 0) {  // a row: one span
    if (Y1 < 0 || Y1 >= height) return;
    const std::int64_t lo = std::max<std::int64_t>(std::min(X1, X2), 0);
    const std::int64_t hi = std::min<std::int64_t>(std::max(X1, X2), width - 1);
    if (lo > hi) return;
    std::uint32_t* row = bits + Y1 * stride;
    std::fill(row + lo, row + hi + 1, pixel);
    markDirty(lo, Y1, hi, Y1);
    return;
  }
  if (DX == 0) {  // a column
    if (X1 < 0 || X1 >= width) return;
    const std::int64_t lo = std::max<std::int64_t>(std::min(Y1, Y2), 0);
    const std::int64_t hi = std::min<std::int64_t>(std::max(Y1, Y2), height - 1);
    if (lo > hi) return;
    for (std::int64_t y = lo; y <= hi; ++y) bits[y * stride + X1] = pixel;
    markDirty(X1, lo, X1, hi);
    return;
  }

  // Along the major axis a (start A1, extent DA), the minor b = B1 + round(t·DB / DA),
  // halves upwards, kept as quotient and remainder of (2·t·DB + DA)·sign / (2·|DA|).
  const bool xMajor = std::llabs(DX) >= std::llabs(DY);
  const std::int64_t A1 = xMajor ? X1 : Y1, B1 = xMajor ? Y1 : X1;
  const std::int64_t DA = xMajor ? DX : DY, DB = xMajor ? DY : DX;
  const std::int64_t aLimit = xMajor ? width : height, bLimit = xMajor ? height : width;
  std::int64_t lo = std::min(A1, A1 + DA), hi = std::max(A1, A1 + DA);
  if (culling) {
    lo = std::max<std::int64_t>(lo, 0);
    hi = std::min<std::int64_t>(hi, aLimit - 1);
  }
  const std::int64_t sign = DA > 0 ? 1 : -1;
  const std::int64_t D = 2 * std::llabs(DA);
  const std::int64_t increment = sign * 2 * DB;
  const std::int64_t n0 = sign * (2 * (lo - A1) * DB + DA);
  std::int64_t q = floorDiv(n0, D);
  std::int64_t r = n0 - q * D;
  const bool rising = sign * DB > 0;  // the minor coordinate grows with a
  for (std::int64_t a = lo; a <= hi; ++a) {
    const std::int64_t b = B1 + q;
    if (culling && (rising ? b >= bLimit : b < 0)) break;  // left the image for good
    if (xMajor) {
      plot(a, b, pixel);
    } else {
      plot(b, a, pixel);
    }
    r += increment;
    if (r >= D) {
      r -= D;
      ++q;
    } else if (r < 0) {
      r += D;
      --q;
    }
  }
}


// A true circle: one pixel per column where the outline is flatter than 45°, one per row
// where it is steeper, each at the outline's crossing of the pixel centre line.
void ImageCanvas::Impl::circle(double cx, double cy, double r, std::uint32_t pixel) {
  if (!finite(cx) || !finite(cy) || !finite(r)) return;
  r = std::fabs(r);
  if (culling) {
    // Wholly beside the image, or the image wholly inside the circle: nothing to light.
    if (cx + r < -1 || cx - r > width + 1 || cy + r < -1 || cy - r > height + 1) return;
    const double farX = std::max(std::fabs(cx), std::fabs(cx - width));
    const double farY = std::max(std::fabs(cy), std::fabs(cy - height));
    if (std::hypot(farX, farY) < r - 2) return;
  }
  prepareWrite();
  if (r < 0.5) {  // radius 0 (or under half a pixel): the centre's pixel
    plot(std::int64_t(std::floor(cx)), std::int64_t(std::floor(cy)), pixel);
    return;
  }
  const double k = r * 0.70710678118654752;  // r·cos 45°
  // Range of pixel indices i with |i + 0.5 - c| <= k, limited to the image when culling
  // (and to a sane range for the reference path) before leaving double precision.
  auto range = [&](double c, int limit, std::int64_t& lo, std::int64_t& hi) {
    double from = std::ceil(c - k - 0.5), to = std::floor(c + k - 0.5);
    const double low = culling ? 0 : -1e7, high = culling ? limit - 1 : 1e7;
    from = std::max(from, low);
    to = std::min(to, high);
    lo = std::int64_t(from);
    hi = std::int64_t(to);
  };
  std::int64_t lo, hi;
  range(cx, width, lo, hi);
  for (std::int64_t i = lo; i <= hi; ++i) {
    const double dx = i + 0.5 - cx;
    const double dy = std::sqrt(std::max(0.0, r * r - dx * dx));
    plot(i, std::int64_t(std::floor(cy - dy)), pixel);
    plot(i, std::int64_t(std::floor(cy + dy)), pixel);
  }
  range(cy, height, lo, hi);
  for (std::int64_t j = lo; j <= hi; ++j) {
    const double dy = j + 0.5 - cy;
    const double dx = std::sqrt(std::max(0.0, r * r - dy * dy));
    plot(std::int64_t(std::floor(cx - dx)), j, pixel);
    plot(std::int64_t(std::floor(cx + dx)), j, pixel);
  }
}

}  // namespace larmor
