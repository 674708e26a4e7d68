#include "canvas/ViewsPicture.h"

#include <QPainter>

namespace larmor {

ViewsPicture::ViewsPicture(int width) : m_width(width), m_views(m_xy, m_xz) {
  m_xy.resize(QSize(width, width), 1.0);
  m_xz.resize(QSize(2 * width, width), 1.0);
}

QImage ViewsPicture::compose(const QString& methodNote) const {
  QImage picture(3 * m_width + gap, m_width, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  const QPointF xzOrigin(m_width + gap, 0);
  painter.drawImage(QPointF(0, 0), m_xy.image());
  painter.drawImage(xzOrigin, m_xz.image());
  // The markers lie above each picture and are clipped by it, as child shapes are.
  painter.setClipRect(QRect(0, 0, m_width, m_width));
  m_xy.paintMarker(painter, QPointF(0, 0));
  painter.setClipRect(QRect(m_width + gap, 0, 2 * m_width, m_width));
  m_xz.paintMarker(painter, xzOrigin);
  if (!methodNote.isEmpty()) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setClipping(false);
    const QFontMetrics metrics(font);
    QRect note(QPoint(0, 0), metrics.size(Qt::TextSingleLine, methodNote) + QSize(4, 0));
    note.moveBottomRight(QPoint(3 * m_width + gap - 3, m_width - 3));
    painter.fillRect(note, QColor(255, 255, 255, 210));
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.drawText(note, Qt::AlignCenter, methodNote);
  }
  return picture;
}

}  // namespace larmor
