// The parameter controls: each handler keeps its field of the parameter set equal to its
// control, writes its captions and recomputes. None acts before start-up has finished.
#include "ui/Form1.h"

#include "ui/PictureBox.h"
#include "ui/VerticalBar.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace larmor {

namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

std::string utf8(const QLineEdit* box) { return box->text().toStdString(); }

}  // namespace

// The shared end of the bar handlers: the value beside the bar, then the recompute.
void Form1::captionAndRecompute(QLabel* caption, const std::string& text) {
  caption->setText(qs(text));
  RecomputeQuantities();
}

void Form1::VScroll1_Change() {
  if (!m_ready) return;
  const int p = VScroll1->value();
  m_state.params.q = chargeFromPosition(p);
  Label[1]->setToolTip(qs(chargeCaptionTooltip(p)));
  Label[4]->setText(qs(chargeText(m_state.params.q)));
  Label[4]->setToolTip(qs(chargeValueTooltip(p)));
  m_views->SetMarkerColours(p);
  Picture1->syncMarker();
  Picture2->syncMarker();
  RecomputeQuantities();
}

void Form1::VScroll2_Change() {
  if (!m_ready) return;
  const int p = VScroll2->value();
  m_state.params.m = massFromPosition(p);
  Label[5]->setToolTip(qs(massValueTooltip(p)));
  Label[5]->setText(qs(massText(m_state.params.m, p)));
  Label[2]->setToolTip(qs(massCaptionTooltip(p)));
  RecomputeQuantities();
}

void Form1::VScroll4_Change() {
  if (!m_ready) return;
  const int p = VScroll4->value();
  m_state.params.v = static_cast<std::int16_t>(p);
  captionAndRecompute(Label[10], integerText(p));
}

void Form1::VScroll6_Change() {
  if (!m_ready) return;
  const int p = VScroll6->value();
  m_state.params.alpha = static_cast<std::int16_t>(p);
  m_state.params.alphaRad = angleRadFromDegrees(p);
  captionAndRecompute(Label[16], integerText(p));
  loadImage1(QStringLiteral("velocity.gif"));
}

void Form1::VScroll10_Change() {
  if (!m_ready) return;
  const int p = VScroll10->value();
  m_state.params.beta = static_cast<std::int16_t>(p);
  m_state.params.betaRad = betaRadFromDegrees(p);
  captionAndRecompute(Label[25], integerText(p));
  loadImage1(QStringLiteral("velocity.gif"));
}

void Form1::VScroll5_Change() {
  if (!m_ready) return;
  const int p = VScroll5->value();
  m_state.params.Bo = fieldFromPosition(p);
  captionAndRecompute(Label[12], fieldText(m_state.params.Bo));
}

void Form1::VScroll3_Change() {
  if (!m_ready) return;
  const int p = VScroll3->value();
  m_state.params.regionSize = static_cast<std::int16_t>(p);
  captionAndRecompute(Label[6], twoDecimalsText(p));
}

void Form1::VScroll7_Change() {
  if (!m_ready) return;
  m_state.params.x0 = coordinateFromPosition(VScroll7->value());
  captionAndRecompute(Label[19], twoDecimalsText(m_state.params.x0));
}

void Form1::VScroll8_Change() {
  if (!m_ready) return;
  m_state.params.y0 = coordinateFromPosition(VScroll8->value());
  captionAndRecompute(Label[21], twoDecimalsText(m_state.params.y0));
}

void Form1::VScroll9_Change() {
  if (!m_ready) return;
  m_state.params.z0 = z0FromPosition(VScroll9->value());
  captionAndRecompute(Label[23], twoDecimalsText(m_state.params.z0));
}

// The text boxes are read, never rewritten: the box keeps exactly what was typed.
void Form1::Text1_Change() {
  if (!m_ready) return;
  m_state.params.S = lengthFromText(utf8(Text1));
  RecomputeQuantities();
}

void Form1::Text3_Change() {
  if (!m_ready) return;
  m_state.params.d = lengthFromText(utf8(Text3));
  RecomputeQuantities();
}

// The run length takes effect at the next start, which recomputes first.
void Form1::Text2_Change() {
  if (!m_ready) return;
  m_state.params.periods = periodsFromText(utf8(Text2));
}

// Read by the run at its next step.
void Form1::HScroll1_Change() {
  if (!m_ready) return;
  const int p = HScroll1->value();
  m_state.params.slowdown = static_cast<std::int16_t>(p);
  Label[29]->setText(qs(integerText(p)));
}

}  // namespace larmor
