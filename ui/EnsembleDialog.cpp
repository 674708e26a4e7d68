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

QString number(double value, int digits = 3) { return QString::number(value, 'g', digits); }

}  // namespace

EnsembleDialog::EnsembleDialog(FileDialogs& files, QWidget* parent) : QDialog(parent), m_files(&files) {
  setObjectName(QStringLiteral("EnsembleDialog"));
  m_particles = new QSpinBox(this);
  m_particles->setObjectName(QStringLiteral("ensembleParticles"));
  m_particles->setRange(1, 1000000);
  m_particles->setValue(1000);
  m_distribution = new QComboBox(this);
  m_distribution->setObjectName(QStringLiteral("ensembleDistribution"));
  for (const Distribution d : {Distribution::isotropic, Distribution::cone, Distribution::uniformCos})
    m_distribution->addItem(QString(), static_cast<int>(d));
  // The cone's half-width about the panel's α, as the companion's --spread takes it.
  m_spread = new QDoubleSpinBox(this);
  m_spread->setObjectName(QStringLiteral("ensembleSpread"));
  m_spread->setRange(0, 180);
  m_spread->setDecimals(1);
  m_spread->setValue(EnsembleSettings().spreadDeg);
  m_spread->setSuffix(QStringLiteral("°"));
  m_spread->setEnabled(false);
  m_seed = new QSpinBox(this);
  m_seed->setObjectName(QStringLiteral("ensembleSeed"));
  m_seed->setRange(0, 2147483647);
  m_seed->setValue(1);
  m_from = new QLabel(this);
  m_from->setObjectName(QStringLiteral("ensembleFrom"));
  m_from->setWordWrap(true);
  m_start = new QPushButton(this);
  m_start->setObjectName(QStringLiteral("ensembleStart"));
  m_cancel = new QPushButton(this);
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
  m_histogram = new EnsembleHistogram(EnsembleHistogram::Kind::pitch, this);
  m_escapeTimes = new EnsembleHistogram(EnsembleHistogram::Kind::escapeTime, this);
  m_paths = new EnsemblePathViews(this);
  m_csv = new QPushButton(this);
  m_csv->setObjectName(QStringLiteral("ensembleCsv"));
  m_png = new QPushButton(this);
  m_png->setObjectName(QStringLiteral("ensemblePng"));
  m_csv->setEnabled(false);
  m_png->setEnabled(false);

  auto* form = new QFormLayout;
  QWidget* fields[] = {m_particles, m_distribution, m_spread, m_seed, m_from};
  for (int i = 0; i < 5; ++i) {
    m_labels[i] = new QLabel(this);
    m_labels[i]->setBuddy(fields[i]);
    form->addRow(m_labels[i], fields[i]);
  }
  auto* top = new QHBoxLayout;
  top->addLayout(form, 1);
  top->addWidget(m_paths, 0, Qt::AlignTop);
  auto* run = new QHBoxLayout;
  run->addWidget(m_start);
  run->addWidget(m_progressBar, 1);
  run->addWidget(m_timeLeft);
  run->addWidget(m_cancel);
  auto* histograms = new QHBoxLayout;
  histograms->addWidget(m_histogram, 1);
  histograms->addWidget(m_escapeTimes, 1);
  auto* exports = new QHBoxLayout;
  exports->addStretch(1);
  exports->addWidget(m_csv);
  exports->addWidget(m_png);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(run);
  layout->addWidget(m_result);
  layout->addLayout(histograms, 1);
  layout->addLayout(exports);
  retranslate();

  resize(940, 620);
  m_timer = new QTimer(this);
  m_timer->setInterval(100);
  connect(m_timer, &QTimer::timeout, this, &EnsembleDialog::poll);
  connect(m_distribution, &QComboBox::currentIndexChanged, this, [this] {
    m_spread->setEnabled(m_distribution->currentData().toInt() == static_cast<int>(Distribution::cone));
  });
  connect(m_start, &QPushButton::clicked, this, &EnsembleDialog::start);
  connect(m_cancel, &QPushButton::clicked, this, &EnsembleDialog::cancel);
  connect(m_csv, &QPushButton::clicked, this, &EnsembleDialog::exportCsv);
  connect(m_png, &QPushButton::clicked, this, &EnsembleDialog::exportPng);
}

// Every text of the dialog in the language of the window; what was set and shown stays.
void EnsembleDialog::retranslate() {
  setWindowTitle(tr("Ансамбль частиц"));
  const QString distributions[] = {tr("изотропное"), tr("конус вокруг α"), tr("равномерно по cos α (вперёд)")};
  for (int i = 0; i < 3; ++i) m_distribution->setItemText(i, distributions[i]);
  const QString labels[] = {tr("Число частиц N:"), tr("Распределение направлений:"), tr("Разброс конуса ±:"),
                            tr("Зерно генератора:"), tr("Старт:")};
  for (int i = 0; i < 5; ++i) m_labels[i]->setText(labels[i]);
  m_spread->setToolTip(tr("Полуширина конуса питч-углов вокруг α панели, в градусах"));
  m_paths->setToolTip(tr("Пути первых %1 частиц в видах X0Y и X0Z: синие — остались, красные — ушли, "
                         "серые — не определились").arg(keptPaths));
  m_start->setText(tr("Пуск"));
  m_cancel->setText(tr("Отмена"));
  m_csv->setText(tr("Сохранить CSV…"));
  m_png->setText(tr("Сохранить PNG…"));
  describeStart();
  showResults();
}

void EnsembleDialog::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) retranslate();
  QDialog::changeEvent(event);
}

void EnsembleDialog::setPanel(const ControlPanel& panel) {
  m_panel = panel;
  m_panel.setObserver(nullptr);
  describeStart();
  // Before the first run the views show where the particles will start.
  if (!m_shown) m_paths->display(m_panel.state(), m_panel.position(Bar::VScroll1), {});
}

void EnsembleDialog::describeStart() {
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
  settings.spreadDeg = m_spread->value();
  m_ensemble = std::make_shared<const Ensemble>(m_panel, settings);
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
  m_pendingPaths.assign(keptPaths, {});
  m_worker = std::thread([this, threads] {
    m_pending = m_ensemble->run(threads, &m_progress, &m_pendingPaths);
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
  m_shown = m_ensemble;
  m_start->setEnabled(true);
  m_cancel->setEnabled(false);
  m_progressBar->setValue(static_cast<int>(m_progress.finished.load()));
  m_timeLeft->clear();
  m_paths->display(m_shown->state(), m_shown->panel().position(Bar::VScroll1), std::move(m_pendingPaths));
  m_pendingPaths.clear();
  showResults();
}

// The results of the last run that ended, in the language of the window.
void EnsembleDialog::showResults() {
  if (!m_shown) return;
  const EnsembleSummary s = summarizeEnsemble(m_results);
  const EnsemblePrediction& prediction = m_shown->prediction();
  QString text = tr("Частиц рассчитано: %1 из %2.").arg(s.particles).arg(m_shown->settings().particles);
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
  m_histogram->display(m_results, prediction, m_shown->state().fieldConfig);
  m_escapeTimes->display(m_results, prediction, m_shown->state().fieldConfig);
  m_csv->setEnabled(s.particles > 0);
  m_png->setEnabled(s.particles > 0);
}

void EnsembleDialog::exportCsv() {
  const QString name = m_files->saveFileName(this, tr("Сохранить ансамбль"), QStringLiteral("ensemble.csv"),
                                            tr("Таблица CSV (*.csv)"), QStringLiteral("csv"));
  if (name.isEmpty() || !m_shown) return;
  std::string text = ensembleCsvHeader(ensembleHeader(*m_shown));
  for (const ParticleResult& r : m_results)
    if (r.outcome != Outcome::notRun) text += ensembleCsvRow(r);
  QFile file(name);
  if (file.open(QIODevice::WriteOnly)) file.write(text.data(), static_cast<qint64>(text.size()));
}

void EnsembleDialog::exportPng() {
  const QString name = m_files->saveFileName(this, tr("Сохранить гистограмму"), QStringLiteral("ensemble.png"),
                                            tr("Рисунок PNG (*.png)"), QStringLiteral("png"));
  if (name.isEmpty()) return;
  // The two histograms side by side, the paths below them.
  const QImage& pitch = m_histogram->image();
  const QImage& times = m_escapeTimes->image();
  const QImage& paths = m_paths->image();
  QImage picture(pitch.width() + times.width(), std::max(pitch.height(), times.height()) + paths.height(),
                 QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.drawImage(0, 0, pitch);
  painter.drawImage(pitch.width(), 0, times);
  painter.drawImage(0, picture.height() - paths.height(), paths);
  painter.end();
  picture.save(name, "PNG");
}

}  // namespace larmor
