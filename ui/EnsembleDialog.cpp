#include "ui/EnsembleDialog.h"

#include "panel/EnsembleCsv.h"
#include "ui/Services.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace larmor {

namespace {

bool isTrap(int config) { return config == 4 || config == 7; }

QString number(double value, int digits = 3) { return QString::number(value, 'g', digits); }

}  // namespace

EnsembleHistogram::EnsembleHistogram(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ensembleHistogram"));
  setMinimumSize(420, 220);
}

void EnsembleHistogram::display(const std::vector<ParticleResult>& results, const EnsemblePrediction& prediction,
                             int config) {
  m_results = results;
  m_prediction = prediction;
  m_config = config;
  redraw();
  update();
}

void EnsembleHistogram::resizeEvent(QResizeEvent*) { redraw(); }

void EnsembleHistogram::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, m_image);
}

void EnsembleHistogram::redraw() {
  m_image = QImage(size(), QImage::Format_RGB32);
  m_image.fill(Qt::white);
  QPainter p(&m_image);
  const QRectF plot(40, 10, width() - 50, height() - 40);
  p.setPen(Qt::black);
  p.drawRect(plot);
  constexpr int bins = 36;
  // Stacked per bin: stayed (trapped or undecided) below, escaped above; or the drifts.
  std::vector<int> stayed(bins), escaped(bins);
  double lo = 0, hi = 180;
  const bool drift = !isTrap(m_config) && std::any_of(m_results.begin(), m_results.end(), [](const ParticleResult& r) {
                       return std::isfinite(r.driftMeasured);
                     });
  double predicted = 0;
  int withDrift = 0;
  if (drift) {
    lo = INFINITY, hi = -INFINITY;
    for (const ParticleResult& r : m_results)
      if (std::isfinite(r.driftMeasured) && std::isfinite(r.driftPredicted)) {
        lo = std::min({lo, r.driftMeasured, r.driftPredicted}), hi = std::max({hi, r.driftMeasured, r.driftPredicted});
        predicted += r.driftPredicted, ++withDrift;
      }
    if (withDrift > 0) predicted /= withDrift;
    if (!(hi > lo)) hi = lo + 1, lo -= 1;
  }
  const auto binOf = [&](double value) { return std::clamp(static_cast<int>((value - lo) / (hi - lo) * bins), 0, bins - 1); };
  for (const ParticleResult& r : m_results) {
    if (r.outcome == Outcome::notRun) continue;
    if (drift) {
      if (std::isfinite(r.driftMeasured) && std::isfinite(r.driftPredicted)) ++stayed[binOf(r.driftMeasured)];
    } else if (r.outcome == Outcome::escapedUp || r.outcome == Outcome::escapedDown) {
      ++escaped[binOf(r.pitchDeg)];
    } else {
      ++stayed[binOf(r.pitchDeg)];
    }
  }
  int top = 1;
  for (int i = 0; i < bins; ++i) top = std::max(top, stayed[i] + escaped[i]);
  const double w = plot.width() / bins;
  for (int i = 0; i < bins; ++i) {
    // Headroom above the tallest bar for the legend.
    const double room = plot.height() - 2 * fontMetrics().height();
    const double hs = room * stayed[i] / top, he = room * escaped[i] / top;
    p.fillRect(QRectF(plot.left() + i * w, plot.bottom() - hs, w - 1, hs), QColor(40, 90, 200));
    p.fillRect(QRectF(plot.left() + i * w, plot.bottom() - hs - he, w - 1, he), QColor(210, 60, 40));
  }
  const auto xOf = [&](double value) { return plot.left() + (value - lo) / (hi - lo) * plot.width(); };
  p.setPen(QPen(Qt::darkGreen, 2, Qt::DashLine));
  if (drift && withDrift > 0) {
    p.drawLine(QPointF(xOf(predicted), plot.top()), QPointF(xOf(predicted), plot.bottom()));
  } else if (m_prediction.lossConeDeg) {
    for (const double edge : {*m_prediction.lossConeDeg, 180 - *m_prediction.lossConeDeg})
      p.drawLine(QPointF(xOf(edge), plot.top()), QPointF(xOf(edge), plot.bottom()));
  }
  p.setPen(Qt::black);
  p.drawText(QRectF(0, plot.bottom() + 4, width(), 20), Qt::AlignCenter,
             drift ? EnsembleDialog::tr("скорость дрейфа, м/с: %1 … %2").arg(number(lo), number(hi))
                   : EnsembleDialog::tr("начальный питч-угол, 0 … 180°"));
  p.drawText(QRectF(0, 0, 38, 20), Qt::AlignRight, QString::number(top));
  if (m_results.empty()) return;
  p.drawText(plot.adjusted(4, 2, -4, 0), Qt::AlignTop | Qt::AlignHCenter,
             drift                ? EnsembleDialog::tr("измеренные скорости; пунктир — среднее по теории")
             : isTrap(m_config) ? EnsembleDialog::tr("синие — остались, красные — ушли; пунктир — край конуса потерь")
                                  : EnsembleDialog::tr("начальные питч-углы частиц"));
}

EnsembleDialog::EnsembleDialog(FileDialogs& files, QWidget* parent) : QDialog(parent), m_files(&files) {
  setObjectName(QStringLiteral("EnsembleDialog"));
  setWindowTitle(tr("Ансамбль частиц"));
  m_particles = new QSpinBox(this);
  m_particles->setObjectName(QStringLiteral("ensembleParticles"));
  m_particles->setRange(1, 1000000);
  m_particles->setValue(1000);
  m_distribution = new QComboBox(this);
  m_distribution->setObjectName(QStringLiteral("ensembleDistribution"));
  m_distribution->addItem(tr("изотропное"), static_cast<int>(Distribution::isotropic));
  m_distribution->addItem(tr("конус вокруг α"), static_cast<int>(Distribution::cone));
  m_distribution->addItem(tr("равномерно по cos α (вперёд)"), static_cast<int>(Distribution::uniformCos));
  m_seed = new QSpinBox(this);
  m_seed->setObjectName(QStringLiteral("ensembleSeed"));
  m_seed->setRange(0, 2147483647);
  m_seed->setValue(1);
  m_from = new QLabel(this);
  m_from->setObjectName(QStringLiteral("ensembleFrom"));
  m_start = new QPushButton(tr("Пуск"), this);
  m_start->setObjectName(QStringLiteral("ensembleStart"));
  m_cancel = new QPushButton(tr("Отмена"), this);
  m_cancel->setObjectName(QStringLiteral("ensembleCancel"));
  m_cancel->setEnabled(false);
  m_progressBar = new QProgressBar(this);
  m_progressBar->setObjectName(QStringLiteral("ensembleProgress"));
  m_timeLeft = new QLabel(this);
  m_timeLeft->setObjectName(QStringLiteral("ensembleTimeLeft"));
  m_result = new QLabel(this);
  m_result->setObjectName(QStringLiteral("ensembleResult"));
  m_result->setWordWrap(true);
  m_result->setMinimumHeight(5 * fontMetrics().lineSpacing());
  m_result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_histogram = new EnsembleHistogram(this);
  m_csv = new QPushButton(tr("Сохранить CSV…"), this);
  m_csv->setObjectName(QStringLiteral("ensembleCsv"));
  m_png = new QPushButton(tr("Сохранить PNG…"), this);
  m_png->setObjectName(QStringLiteral("ensemblePng"));
  m_csv->setEnabled(false);
  m_png->setEnabled(false);

  auto* form = new QFormLayout;
  form->addRow(tr("Число частиц N:"), m_particles);
  form->addRow(tr("Распределение направлений:"), m_distribution);
  form->addRow(tr("Зерно генератора:"), m_seed);
  form->addRow(tr("Старт:"), m_from);
  auto* run = new QHBoxLayout;
  run->addWidget(m_start);
  run->addWidget(m_progressBar, 1);
  run->addWidget(m_timeLeft);
  run->addWidget(m_cancel);
  auto* exports = new QHBoxLayout;
  exports->addStretch(1);
  exports->addWidget(m_csv);
  exports->addWidget(m_png);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(run);
  layout->addWidget(m_result);
  layout->addWidget(m_histogram, 1);
  layout->addLayout(exports);

  resize(640, 560);
  m_timer = new QTimer(this);
  m_timer->setInterval(100);
  connect(m_timer, &QTimer::timeout, this, &EnsembleDialog::poll);
  connect(m_start, &QPushButton::clicked, this, &EnsembleDialog::start);
  connect(m_cancel, &QPushButton::clicked, this, &EnsembleDialog::cancel);
  connect(m_csv, &QPushButton::clicked, this, &EnsembleDialog::exportCsv);
  connect(m_png, &QPushButton::clicked, this, &EnsembleDialog::exportPng);
}

void EnsembleDialog::setPanel(const ControlPanel& panel) {
  m_panel = panel;
  m_panel.setObserver(nullptr);
  const SimParams& p = m_panel.state().params;
  m_from->setText(tr("структура %1, точка (%2; %3; %4) м, %5 м/с, как на панели")
                      .arg(m_panel.state().fieldConfig)
                      .arg(number(p.x0), number(p.y0), number(p.z0))
                      .arg(p.v));
}

EnsembleDialog::~EnsembleDialog() {
  m_progress.cancelled = true;
  if (m_worker.joinable()) m_worker.join();
}

void EnsembleDialog::closeEvent(QCloseEvent* event) {
  cancel();
  QDialog::closeEvent(event);
}

void EnsembleDialog::reject() {
  cancel();
  QDialog::reject();
}

void EnsembleDialog::start() {
  if (running()) return;
  EnsembleSettings settings;
  settings.particles = m_particles->value();
  settings.seed = static_cast<std::uint64_t>(m_seed->value());
  settings.distribution = static_cast<Distribution>(m_distribution->currentData().toInt());
  m_ensemble = std::make_unique<Ensemble>(m_panel, settings);
  m_progress.finished = 0;
  m_progress.cancelled = false;
  m_done = false;
  m_progressBar->setRange(0, static_cast<int>(settings.particles));
  m_progressBar->setValue(0);
  m_timeLeft->clear();
  m_start->setEnabled(false);
  m_cancel->setEnabled(true);
  m_started = std::chrono::steady_clock::now();
  const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  m_worker = std::thread([this, threads] {
    m_pending = m_ensemble->run(threads, &m_progress);
    m_done = true;
  });
  m_timer->start();
}

void EnsembleDialog::cancel() {
  if (!running()) return;
  m_progress.cancelled = true;
  // Every thread ends within the step it is making: waiting here is short.
  finish();
}

void EnsembleDialog::poll() {
  const std::int64_t finished = m_progress.finished.load();
  m_progressBar->setValue(static_cast<int>(finished));
  if (finished > 0) {
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_started).count();
    const double left = elapsed * static_cast<double>(m_ensemble->settings().particles - finished) / finished;
    m_timeLeft->setText(tr("осталось ≈ %1 с").arg(static_cast<int>(std::ceil(left))));
  }
  if (m_done) finish();
}

void EnsembleDialog::finish() {
  m_timer->stop();
  if (m_worker.joinable()) m_worker.join();
  m_results = std::move(m_pending);
  m_pending.clear();
  m_start->setEnabled(true);
  m_cancel->setEnabled(false);
  m_progressBar->setValue(static_cast<int>(m_progress.finished.load()));
  m_timeLeft->clear();

  const EnsembleSummary s = summarizeEnsemble(m_results);
  const EnsemblePrediction& prediction = m_ensemble->prediction();
  QString text = tr("Частиц рассчитано: %1 из %2.").arg(s.particles).arg(m_ensemble->settings().particles);
  if (s.measured && s.error) {
    text += QLatin1Char('\n') + tr("Доля удержанных: %1 ± %2").arg(number(*s.measured, 4), number(*s.error, 2));
    if (prediction.trappedFraction)
      text += QLatin1Char(' ') + tr("(теория: %1, α_lc = %2°).").arg(number(*prediction.trappedFraction, 4),
                                                                  number(*prediction.lossConeDeg, 3));
    text += QLatin1Char('\n') + tr("Удержаны (отражены у обоих концов): %1; ушли вверх: %2, вниз: %3; не определились: %4.")
                                   .arg(s.trapped).arg(s.escapedUp).arg(s.escapedDown).arg(s.undecided);
    if (s.meanEscapeTime) text += QLatin1Char(' ') + tr("Среднее время ухода: %1 с.").arg(number(*s.meanEscapeTime));
  }
  if (s.driftMeasured)
    text += QLatin1Char('\n') + tr("Скорость дрейфа: %1 ± %2 м/с (теория: %3 м/с).")
                                   .arg(number(*s.driftMeasured, 4), number(s.driftError.value_or(0), 2),
                                        number(s.driftPredicted.value_or(NAN), 4));
  m_result->setText(text);
  m_histogram->display(m_results, prediction, m_ensemble->state().fieldConfig);
  m_csv->setEnabled(s.particles > 0);
  m_png->setEnabled(s.particles > 0);
}

void EnsembleDialog::exportCsv() {
  const QString name = m_files->saveFileName(this, tr("Сохранить ансамбль"), QStringLiteral("ensemble.csv"),
                                            tr("Таблица CSV (*.csv)"), QStringLiteral("csv"));
  if (name.isEmpty() || !m_ensemble) return;
  std::string text = ensembleCsvHeader(ensembleHeader(*m_ensemble));
  for (const ParticleResult& r : m_results)
    if (r.outcome != Outcome::notRun) text += ensembleCsvRow(r);
  QFile file(name);
  if (file.open(QIODevice::WriteOnly)) file.write(text.data(), static_cast<qint64>(text.size()));
}

void EnsembleDialog::exportPng() {
  const QString name = m_files->saveFileName(this, tr("Сохранить гистограмму"), QStringLiteral("ensemble.png"),
                                            tr("Рисунок PNG (*.png)"), QStringLiteral("png"));
  if (!name.isEmpty()) m_histogram->image().save(name, "PNG");
}

}  // namespace larmor
