#include "ui/EnsemblePictures.h"

#include "ui/EnsembleDialog.h"
#include "ui/QtTranslations.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace larmor {

namespace {

constexpr int bins = 36;
const QColor stayedColour(40, 90, 200), escapedColour(210, 60, 40);

bool isTrap(int config) { return config == 4 || config == 7; }
bool escaped(const ParticleResult& r) { return r.outcome == Outcome::escapedUp || r.outcome == Outcome::escapedDown; }

QString number(double value, int digits = 3) { return QString::number(value, 'g', digits); }

}  // namespace

EnsembleHistogram::EnsembleHistogram(Kind kind, QWidget* parent)
    : QWidget(parent), m_kind(kind), m_axis(kind == Kind::pitch ? Axis::pitch : Axis::escapeTime) {
  setObjectName(kind == Kind::pitch ? QStringLiteral("ensembleHistogram") : QStringLiteral("ensembleEscapeTimes"));
  setMinimumSize(340, 200);
}

int EnsembleHistogram::counted() const {
  return std::accumulate(m_stayed.begin(), m_stayed.end(), 0) + std::accumulate(m_escaped.begin(), m_escaped.end(), 0);
}

void EnsembleHistogram::display(const std::vector<ParticleResult>& results, const EnsemblePrediction& prediction,
                                int config) {
  m_shown = true;
  m_trap = isTrap(config);
  m_stayed.assign(bins, 0);
  m_escaped.assign(bins, 0);
  m_marks.clear();
  const auto ran = [](const ParticleResult& r) { return r.outcome != Outcome::notRun; };
  const auto hasDrift = [&](const ParticleResult& r) {
    return ran(r) && std::isfinite(r.driftMeasured) && std::isfinite(r.driftPredicted);
  };
  if (m_kind == Kind::escapeTime) {
    m_axis = Axis::escapeTime;
    m_lo = 0, m_hi = 0;
    double sum = 0;
    int n = 0;
    for (const ParticleResult& r : results)
      if (ran(r) && escaped(r)) m_hi = std::max(m_hi, r.t), sum += r.t, ++n;
    if (n > 0) m_marks.push_back(sum / n);
    if (!(m_hi > 0)) m_hi = 1;
  } else if (!m_trap && std::any_of(results.begin(), results.end(), hasDrift)) {
    m_axis = Axis::drift;
    m_lo = INFINITY, m_hi = -INFINITY;
    double predicted = 0;
    int n = 0;
    for (const ParticleResult& r : results)
      if (hasDrift(r)) {
        m_lo = std::min({m_lo, r.driftMeasured, r.driftPredicted}), m_hi = std::max({m_hi, r.driftMeasured, r.driftPredicted});
        predicted += r.driftPredicted, ++n;
      }
    m_marks.push_back(predicted / n);
    if (!(m_hi > m_lo)) m_hi = m_lo + 1, m_lo -= 1;
  } else {
    m_axis = Axis::pitch;
    m_lo = 0, m_hi = 180;
    if (prediction.lossConeDeg) m_marks = {*prediction.lossConeDeg, 180 - *prediction.lossConeDeg};
  }
  const auto binOf = [&](double value) {
    return std::clamp(static_cast<int>((value - m_lo) / (m_hi - m_lo) * bins), 0, bins - 1);
  };
  for (const ParticleResult& r : results) {
    if (!ran(r)) continue;
    switch (m_axis) {
      case Axis::escapeTime:
        if (escaped(r)) ++m_escaped[binOf(r.t)];
        break;
      case Axis::drift:
        if (hasDrift(r)) ++m_stayed[binOf(r.driftMeasured)];
        break;
      case Axis::pitch:
        ++(escaped(r) ? m_escaped : m_stayed)[binOf(r.pitchDeg)];
        break;
    }
  }
  redraw();
  update();
}

void EnsembleHistogram::resizeEvent(QResizeEvent*) { redraw(); }

void EnsembleHistogram::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) redraw();
  QWidget::changeEvent(event);
}

void EnsembleHistogram::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, m_image);
}

void EnsembleHistogram::redraw() {
  m_image = QImage(size(), QImage::Format_RGB32);
  m_image.fill(Qt::white);
  QPainter p(&m_image);
  p.setFont(font());
  const int line = fontMetrics().height();
  const QRectF plot(40, 10, width() - 50, height() - 16 - line);
  p.setPen(Qt::black);
  p.drawRect(plot);
  // The count axis: its top value, its name along it.
  int top = 1;
  for (std::size_t i = 0; i < m_stayed.size(); ++i) top = std::max(top, m_stayed[i] + m_escaped[i]);
  p.drawText(QRectF(0, 0, 38, 20), Qt::AlignRight, QString::number(top));
  p.save();
  p.translate(4, plot.center().y());
  p.rotate(-90);
  p.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line), Qt::AlignCenter, EnsembleDialog::tr("число частиц"));
  p.restore();
  QString axis, note;
  switch (m_axis) {
    case Axis::pitch:
      axis = EnsembleDialog::tr("начальный питч-угол, 0 … 180°");
      note = m_trap ? EnsembleDialog::tr("синие — остались, красные — ушли; пунктир — край конуса потерь")
                    : EnsembleDialog::tr("начальные питч-углы частиц");
      break;
    case Axis::drift:
      axis = EnsembleDialog::tr("скорость дрейфа, м/с: %1 … %2").arg(number(m_lo), number(m_hi));
      note = EnsembleDialog::tr("измеренные скорости; пунктир — среднее по теории");
      break;
    case Axis::escapeTime:
      axis = m_shown ? EnsembleDialog::tr("время ухода, с: 0 … %1").arg(number(m_hi)) : EnsembleDialog::tr("время ухода, с");
      note = m_marks.empty() ? EnsembleDialog::tr("ушедших частиц нет")
                             : EnsembleDialog::tr("ушедшие частицы; пунктир — среднее время ухода");
      break;
  }
  p.drawText(QRectF(0, plot.bottom() + 4, width(), line + 2), Qt::AlignCenter, axis);
  if (!m_shown) return;
  // The note across the top, in as many lines as it needs; the tallest bar stays below it.
  const QRectF noteBox = plot.adjusted(4, 2, -4, 0);
  const int noteFlags = Qt::AlignTop | Qt::AlignHCenter | Qt::TextWordWrap;
  const double room = plot.height() - p.boundingRect(noteBox, noteFlags, note).height() - line / 2.0;
  const double w = plot.width() / bins;
  for (std::size_t i = 0; i < m_stayed.size(); ++i) {
    const double hs = room * m_stayed[i] / top, he = room * m_escaped[i] / top;
    p.fillRect(QRectF(plot.left() + i * w, plot.bottom() - hs, w - 1, hs), stayedColour);
    p.fillRect(QRectF(plot.left() + i * w, plot.bottom() - hs - he, w - 1, he), escapedColour);
  }
  p.setPen(QPen(Qt::darkGreen, 2, Qt::DashLine));
  for (const double mark : m_marks) {
    const double x = plot.left() + (mark - m_lo) / (m_hi - m_lo) * plot.width();
    p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
  }
  p.setPen(Qt::black);
  p.drawText(noteBox, noteFlags, note);
}

EnsemblePathViews::EnsemblePathViews(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ensemblePaths"));
  setFixedSize(3 * viewWidth + ViewsPicture::gap, viewWidth);
}

void EnsemblePathViews::display(const SimulationState& state, int chargePosition, std::vector<ParticlePath> paths) {
  m_state = state;
  m_chargePosition = chargePosition;
  m_paths = std::move(paths);
  redraw();
  update();
}

void EnsemblePathViews::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange && m_state) redraw();
  QWidget::changeEvent(event);
}

void EnsemblePathViews::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, m_image);
}

void EnsemblePathViews::redraw() {
  ViewsPicture picture(viewWidth);
  Views& views = picture.views();
  views.setLanguage(uiLanguage());
  views.SetMarkerColours(m_chargePosition);
  views.Redraw(*m_state);
  for (const ParticlePath& path : m_paths) {
    Colour colour = views.trailColour();  // outside the traps, as the window draws a run
    switch (path.outcome) {
      case Outcome::trapped: colour = 0x285AC8; break;
      case Outcome::escapedUp:
      case Outcome::escapedDown: colour = 0xD23C28; break;
      case Outcome::undecided: colour = 0x808080; break;
      case Outcome::notRun: continue;
      case Outcome::noTrap: break;
    }
    for (std::size_t i = 1; i < path.points.size(); ++i) {
      const auto& [x0, y0, z0] = path.points[i - 1];
      const auto& [x1, y1, z1] = path.points[i];
      picture.xy().line(float(y0), float(x0), float(y1), float(x1), colour);
      picture.xz().line(float(z0), float(x0), float(z1), float(x1), colour);
    }
  }
  m_image = picture.compose();
}

}  // namespace larmor
