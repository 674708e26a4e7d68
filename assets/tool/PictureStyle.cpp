#include "assets/tool/PictureStyle.h"

#include "assets/tool/Pictures.h"

#include <QPainter>

namespace larmor {

QFont pictureFont(int pixelSize, Face face) {
  QFont font(QStringLiteral("Liberation Serif"));
  font.setStyleHint(QFont::Serif);
  font.setPixelSize(pixelSize);
  font.setBold(face == Face::Bold || face == Face::BoldItalic);
  font.setItalic(face == Face::Italic || face == Face::BoldItalic);
  return font;
}

QImage blankPicture() {
  QImage image(pictureWidth, pictureHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

void beginPicture(QPainter& painter, const QString& title, int titlePixelSize, int titleHeight) {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setPen(Qt::black);
  painter.setFont(pictureFont(titlePixelSize, Face::Bold));
  painter.drawText(QRect(0, 4, pictureWidth, titleHeight), Qt::AlignCenter, title);
}

}  // namespace larmor
