#include "ui/OrbitView.h"

#include "panel/CpuState.h"
#include "ui/Services.h"

#include <QCheckBox>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <cmath>

namespace larmor {

namespace {
constexpr double keyTurnPx = 10;  // an arrow key turns as a 10 px drag does: 5°
constexpr double keyPanPx = 20;
}  // namespace

OrbitCanvas::OrbitCanvas(OrbitPicture& picture, QWidget* parent) : QWidget(parent), m_picture(picture) {
  setObjectName(QStringLiteral("orbitCanvas"));
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(200, 150);
  setCursor(Qt::OpenHandCursor);
  setToolTip(tr("Левая кнопка — повернуть, правая или Shift — сдвинуть, колесо — масштаб, "
                "двойной щелчок — исходный вид"));
}

void OrbitCanvas::paintEvent(QPaintEvent*) {
  const OrbitPath& path = m_picture.path;
  const qreal ratio = devicePixelRatioF();
  // Drawn whole when anything but the path's end changed: the path thinned or emptied, the
  // colours by time (each piece's colour depends on the path's length).
  const bool whole = m_stale || m_frame.size() != size() * ratio || path.stride() != m_drawnStride ||
                     path.given() < m_drawnGiven || m_picture.colourByTime;
  if (whole) {
    m_frame = QImage(size() * ratio, QImage::Format_RGB32);
    m_frame.setDevicePixelRatio(ratio);
    QPainter frame(&m_frame);
    m_picture.drawRetained(frame);
    m_stale = false;
  } else if (path.points().size() > m_drawnPoints) {
    // From the last two points drawn: the last may have been a step off the path's stride.
    QPainter frame(&m_frame);
    m_picture.drawPathFrom(frame, m_drawnPoints > 2 ? m_drawnPoints - 2 : 0);
  }
  m_drawnPoints = path.points().size();
  m_drawnStride = path.stride();
  m_drawnGiven = path.given();
  QPainter painter(this);
  painter.drawImage(0, 0, m_frame);
  m_picture.drawParticle(painter);
}

void OrbitCanvas::resizeEvent(QResizeEvent*) {
  m_picture.camera.setViewport(width(), height());
  m_stale = true;
}

void OrbitCanvas::moved() {
  m_stale = true;
  update();
  emit cameraMoved();
}

void OrbitCanvas::mousePressEvent(QMouseEvent* event) {
  m_last = event->position().toPoint();
  if (event->button() == Qt::RightButton ||
      (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ShiftModifier)))
    m_drag = Drag::Pan;
  else if (event->button() == Qt::LeftButton)
    m_drag = Drag::Turn;
  if (m_drag != Drag::None) setCursor(Qt::ClosedHandCursor);
}

void OrbitCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (m_drag == Drag::None) return;
  const QPoint at = event->position().toPoint();
  const QPoint delta = at - m_last;
  m_last = at;
  if (m_drag == Drag::Turn)
    m_picture.camera.turn(delta.x(), delta.y());
  else
    m_picture.camera.pan(delta.x(), delta.y());
  moved();
}

void OrbitCanvas::mouseReleaseEvent(QMouseEvent*) {
  m_drag = Drag::None;
  setCursor(Qt::OpenHandCursor);
}

void OrbitCanvas::mouseDoubleClickEvent(QMouseEvent*) {
  m_picture.camera.reset();
  moved();
}

void OrbitCanvas::wheelEvent(QWheelEvent* event) {
  m_picture.camera.zoomBy(event->angleDelta().y() / 120.0);
  moved();
}

void OrbitCanvas::keyPressEvent(QKeyEvent* event) {
  OrbitCamera& camera = m_picture.camera;
  const bool pan = event->modifiers() & Qt::ShiftModifier;
  const double step = pan ? keyPanPx : keyTurnPx;
  double dx = 0, dy = 0;
  switch (event->key()) {
    case Qt::Key_Left: dx = -step; break;
    case Qt::Key_Right: dx = step; break;
    case Qt::Key_Up: dy = -step; break;
    case Qt::Key_Down: dy = step; break;
    case Qt::Key_Plus:
    case Qt::Key_Equal: camera.zoomBy(1); moved(); return;
    case Qt::Key_Minus: camera.zoomBy(-1); moved(); return;
    case Qt::Key_Home: camera.reset(); moved(); return;
    default: QWidget::keyPressEvent(event); return;
  }
  if (pan)
    camera.pan(dx, dy);
  else
    camera.turn(dx, dy);
  moved();
}

OrbitView::OrbitView(Dialogs& dialogs, FileDialogs& files, QWidget* parent)
    : QWidget(parent, Qt::Window), m_dialogs(dialogs), m_files(files) {
  setObjectName(QStringLiteral("orbitView"));
  setWindowTitle(tr("Траектория в пространстве"));
  m_canvas = new OrbitCanvas(m_picture, this);

  m_theory = new QCheckBox(tr("Путь по теории"), this);
  m_theory->setObjectName(QStringLiteral("orbitTheory"));
  m_theory->setToolTip(tr("Ведущий центр (однородное поле, дрейфы), точки поворота (ловушки) или конус "
                          "вокруг вектора J с вершиной в монополе, как их предсказывает теория"));
  connect(m_theory, &QCheckBox::toggled, this, &OrbitView::showTheory);
  m_byTime = new QCheckBox(tr("Цвет по времени"), this);
  m_byTime->setObjectName(QStringLiteral("orbitByTime"));
  connect(m_byTime, &QCheckBox::toggled, this, [this](bool on) {
    m_picture.colourByTime = on;
    m_canvas->invalidate();
  });
  m_export = new QPushButton(tr("Сохранить PNG…"), this);
  m_export->setObjectName(QStringLiteral("orbitExport"));
  connect(m_export, &QPushButton::clicked, this, &OrbitView::exportPng);

  auto* bar = new QHBoxLayout;
  bar->addWidget(m_theory);
  bar->addWidget(m_byTime);
  bar->addStretch(1);
  bar->addWidget(m_export);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(m_canvas, 1);
  layout->addLayout(bar);

  // A paced run changes the picture at every step; it is painted at most once a frame of
  // the screen. A run at full speed handles no events, so it is painted once at its end.
  m_frames = new QTimer(this);
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double rate = screen && screen->refreshRate() > 1 ? screen->refreshRate() : 60;
  m_frames->setInterval(static_cast<int>(std::ceil(1000 / rate)));
  connect(m_frames, &QTimer::timeout, this, &OrbitView::refresh);
  m_frames->start();
  m_canvas->setFocus();
}

void OrbitView::showTheory(bool on) {
  m_picture.showTheory = on;
  if (on && m_theoryFor != m_follower.shows()) {
    clearUpperRegisterState();  // the prediction walks field lines: thousands of calls into pow
    const SimulationState& start = m_follower.start();
    clearUpperRegisterState();  // the toolkit may have left it in use: the prediction is long
    m_picture.theory = orbitTheory(start, predictTheory(start));
    m_theoryFor = m_follower.shows();
  }
  m_canvas->invalidate();
}

void OrbitView::refresh() {
  if (m_picture.showTheory && m_theoryFor != m_follower.shows()) showTheory(true);  // a new start
  if (m_follower.takeRedraw()) m_canvas->invalidate();
  if (m_follower.takeChanged()) m_canvas->update();
}

void OrbitView::exportPng() {
  const std::optional<int> width = m_files.pictureWidth(this, m_canvas->width());
  if (!width) return;
  const QString path = m_files.saveFileName(this, tr("Экспорт вида в пространстве"), QStringLiteral("orbit3d.png"),
                                            tr("Рисунок PNG (*.png)"), QStringLiteral("png"));
  if (path.isEmpty()) return;
  // The same view at the chosen width, the height in the window's proportion.
  OrbitPicture copy = m_picture;
  const int height = std::max(1, static_cast<int>(std::lround(double(*width) * m_canvas->height() / m_canvas->width())));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || !copy.render(*width, height).save(&file, "PNG")) {
    m_dialogs.warning(this, tr("Экспорт не выполнен"), tr("Не удалось записать файл %1.").arg(path));
    return;
  }
  m_files.fileUsed(path);
}

}  // namespace larmor
