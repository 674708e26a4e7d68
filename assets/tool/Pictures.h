#pragma once

#include "model/FieldConfig.h"
#include "model/Language.h"

#include <QImage>
#include <QString>

namespace larmor {

// The illustrations of the runtime folder, each 300 × 250 pixels.
constexpr int pictureWidth = 300;
constexpr int pictureHeight = 250;

// The structure of one field configuration in both projections, drawn by the program's
// own views, with the configuration's list text and a line on what the field does, in the
// window's language.
QImage fieldPicture(FieldConfig config, Language language = Language::Russian);

// The start velocity on a 3-D sketch: axes X, Y, Z, the vector v, α from OZ, β of its
// transverse part from OX.
QImage velocityPicture(Language language = Language::Russian);

// An SVG drawing rendered on white (the window's built-in illustration).
QImage svgPicture(const QString& path);

}  // namespace larmor
