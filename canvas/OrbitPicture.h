#pragma once

#include "views/OrbitCamera.h"
#include "views/OrbitPath.h"
#include "views/OrbitScene.h"

#include <QImage>

#include <optional>
#include <vector>

class QPainter;

namespace larmor {

// The 3-D view's picture: the scene, the path and the particle seen by a camera, drawn
// with QPainter in a parallel projection. Measured against an OpenGL widget on the
// software renderer, this draws a turned path of 250,000 points fastest (docs/BENCHMARKS.md).
class OrbitPicture {
public:
  OrbitScene scene;
  OrbitPath path;
  OrbitCamera camera;
  Colour pathColour = colours::positive;
  bool colourByTime = false;  // the path from blue at its start to red at its end
  std::optional<Vec3> particle;
  // The theory's guiding-centre path or turning points (one-point lines), dashed.
  std::vector<Polyline3> theory;
  bool showTheory = false;

  // A new scene for the state; the camera frames its region.
  void setScene(OrbitScene built);

  // The picture at the camera's viewport size.
  void draw(QPainter& painter) const;
  // The same without the particle: what a retained image of the view keeps.
  void drawRetained(QPainter& painter) const;
  // The path's pieces from its point `from` on, in the path's colour, over what is there.
  void drawPathFrom(QPainter& painter, std::size_t from) const;
  void drawParticle(QPainter& painter) const;
  // The picture at width × height logical px (the camera's viewport is set to it), with
  // pixelRatio image pixels to each.
  QImage render(int width, int height, qreal pixelRatio = 1);
};

}  // namespace larmor
