#pragma once

#include "Colour.h"
#include "ViewMapping.h"

#include <cstdint>
#include <string_view>

namespace larmor {

// One picture, drawn in view coordinates of its mapping. The picture keeps a current
// point; lines and dots are one pixel wide; nothing outside the rectangle is visible.
class Canvas {
public:
  virtual ~Canvas() = default;

  virtual void setMapping(const ViewMapping& mapping) = 0;
  virtual const ViewMapping& mapping() const = 0;

  // Line from (u1, w1) to (u2, w2); the current point becomes (u2, w2).
  virtual void line(float u1, float w1, float u2, float w2, Colour colour) = 0;
  // Line from the current point to (u, w); the current point becomes (u, w).
  virtual void lineTo(float u, float w, Colour colour) = 0;
  // One pixel in the foreground colour; the current point becomes (u, w).
  virtual void dot(float u, float w) = 0;
  // A true circle on the screen, its radius r in horizontal units.
  virtual void circle(float u, float w, float r, Colour colour) = 0;
  // Text with its top-left corner at the current point, foreground colour, picture font.
  virtual void print(std::string_view utf8Text) = 0;
  // The whole picture to the background colour.
  virtual void clear() = 0;

  // The particle marker: a filled circle above the picture, moved, never drawn into it.
  virtual void setMarkerColour(Colour colour) = 0;
  // The marker's size expressed in view units (it is a fixed number of pixels).
  virtual float markerWidth() const = 0;
  virtual float markerHeight() const = 0;
  // Moves the marker so that its top-left corner is at (left, top) in view units.
  virtual void moveMarker(float left, float top) = 0;
  // Moves the marker so that it is centred on (u, w): the vertical axis grows upwards, so
  // the top edge lies half a marker above the centre. A picture may do the same in one
  // call (a run places the markers at every step); the edges are the same either way.
  virtual void centreMarker(double u, double w) {
    moveMarker(static_cast<float>(u - markerWidth() / 2), static_cast<float>(w + markerHeight() / 2));
  }

  // A picture may keep the background that DrawAxes draws on a freshly cleared picture,
  // keyed by what that background depends on besides the picture's own size and mapping.
  // restoreBackground puts the kept pixels back and returns true only when the picture
  // is fresh and holds a background for this key and mapping; otherwise it returns false,
  // and a fresh picture starts noting that what follows, up to keepBackground, is the
  // background of this key. A picture that keeps nothing simply draws every time.
  virtual bool restoreBackground(std::uint64_t /*key*/) { return false; }
  virtual void keepBackground() {}
};

}  // namespace larmor
