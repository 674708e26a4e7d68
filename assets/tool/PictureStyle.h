#pragma once

#include <QFont>
#include <QImage>
#include <QString>

class QPainter;

namespace larmor {

// The serif face every illustration writes in.
enum class Face { Regular, Italic, Bold, BoldItalic };
QFont pictureFont(int pixelSize, Face face = Face::Regular);

// A white illustration of the runtime folder's size.
QImage blankPicture();

// Readies a painter on a blank illustration: antialiased lines and text, and the title
// in bold, centred in a band of titleHeight [px] along the top, in black.
void beginPicture(QPainter& painter, const QString& title, int titlePixelSize, int titleHeight);

}  // namespace larmor
