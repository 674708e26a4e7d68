#include "assets/tool/PictureStyle.h"
#include "assets/tool/Pictures.h"
#include "assets/tool/SketchCanvas.h"

#include "model/FieldChoice.h"
#include "model/SimulationState.h"
#include "views/Views.h"

#include <QPainter>
#include <QPen>

#include <array>
#include <string_view>

namespace larmor {

namespace {

// What each field does, in a line or two under the drawing; in Russian, then in English.
constexpr std::array<const char*, fieldConfigCount> descriptions = {
    "Поле направлено вдоль оси OZ и всюду одинаково: B = Bo.",
    "Bz = Bo·exp(−x/S): поле ослабевает вдоль оси OX, частица дрейфует поперёк градиента.",
    "Bz = Bo·exp(−ρ/S): поле ослабевает с удалением от оси OZ, дрейф идёт вокруг оси.",
    "Поле сгущается к пробкам у z = ±d: частица отражается и ходит между ними.",
    "Силовые линии — окружности вокруг оси OZ, |B| = Bo; частица дрейфует вдоль OZ.",
    "B = Bo·S²·r/r³: поле точечного источника в начале координат.",
    "Bz = Bo·S/ρ и радиальное поле двух витков у z = ±d: вторая форма ловушки.",
};
constexpr std::array<const char*, fieldConfigCount> englishDescriptions = {
    "The field points along the OZ axis and is the same everywhere: B = Bo.",
    "Bz = Bo·exp(−x/S): the field weakens along the OX axis, the particle drifts across the gradient.",
    "Bz = Bo·exp(−ρ/S): the field weakens away from the OZ axis, the drift goes round the axis.",
    "The field converges at the mirrors near z = ±d: the particle is reflected and bounces between them.",
    "The field lines are circles round the OZ axis, |B| = Bo; the particle drifts along OZ.",
    "B = Bo·S²·r/r³: the field of a point source at the origin.",
    "Bz = Bo·S/ρ and the radial field of two loops near z = ±d: the second form of the trap.",
};

void axisName(QPainter& painter, QPointF at, const char* text) {
  painter.drawText(at, QString::fromUtf8(text));
}

}  // namespace

QImage fieldPicture(FieldConfig config, Language language) {
  const bool english = language == Language::English;
  const std::string_view title = (english ? fieldConfigEnglishTexts : fieldConfigTexts)[static_cast<std::size_t>(config - 1)];
  QImage image = blankPicture();
  QPainter painter(&image);
  beginPicture(painter, QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())), 20, 28);

  // The largest region shows the traps' mirrors and the decay of the drift fields best.
  SimulationState state;
  state.fieldConfig = config;
  state.params.regionSize = 10;
  // S as the configuration list sets it; d stays at its start value.
  state.params.S = fieldChoice(config).S.value_or(state.params.S);

  const QRectF xyPanel(8, 40, 104, 104);
  const QRectF xzPanel(120, 40, 172, 104);
  painter.fillRect(xyPanel, QColor(250, 250, 255));
  painter.fillRect(xzPanel, QColor(250, 250, 255));
  {
    constexpr float markScale = 2.2f;
    SketchCanvas xy(painter, xyPanel, markScale);
    SketchCanvas xz(painter, xzPanel, markScale);
    Views views(xy, xz);
    views.DrawAxes(state);  // the mappings and the axes; the canvas leaves the grid out
    views.DrawFieldStructure(state);
    painter.setClipping(false);
  }
  painter.setPen(QPen(QColor(60, 60, 60), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(xyPanel);
  painter.drawRect(xzPanel);

  painter.setPen(Qt::black);
  painter.setFont(pictureFont(12, Face::Italic));
  axisName(painter, {xyPanel.right() - 10, xyPanel.center().y() + 12}, "Y");
  axisName(painter, {xyPanel.center().x() + 4, xyPanel.top() + 11}, "X");
  axisName(painter, {xzPanel.right() - 10, xzPanel.center().y() + 12}, "Z");
  axisName(painter, {xzPanel.center().x() + 4, xzPanel.top() + 11}, "X");

  painter.setFont(pictureFont(12));
  painter.drawText(QRectF(xyPanel.left(), 146, xyPanel.width(), 16), Qt::AlignCenter,
                   QString::fromUtf8(english ? "X0Y plane" : "плоскость X0Y"));
  painter.drawText(QRectF(xzPanel.left(), 146, xzPanel.width(), 16), Qt::AlignCenter,
                   QString::fromUtf8(english ? "X0Z plane" : "плоскость X0Z"));

  painter.setFont(pictureFont(15));
  painter.drawText(QRectF(8, 168, pictureWidth - 16, pictureHeight - 172),
                   Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                   QString::fromUtf8((english ? englishDescriptions : descriptions)[static_cast<std::size_t>(config - 1)]));
  return image;
}

}  // namespace larmor
