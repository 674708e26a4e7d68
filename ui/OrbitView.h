#pragma once

#include "canvas/OrbitFollower.h"
#include "canvas/OrbitPicture.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

class QCheckBox;
class QPushButton;
class QTimer;

namespace larmor {

class Dialogs;
class FileDialogs;

// The surface of the 3-D view: paints the picture and turns it with the mouse and the
// keys. Left drag turns about the centre, right drag (or Shift with the left button) pans,
// the wheel zooms, a double click returns to the start view; arrows turn by 5°, Shift
// with the arrows pans by 20 px, + and − zoom by a notch, Home returns to the start.
class OrbitCanvas : public QWidget {
  Q_OBJECT

public:
  explicit OrbitCanvas(OrbitPicture& picture, QWidget* parent = nullptr);

  QSize sizeHint() const override { return {OrbitCamera::startWidth, OrbitCamera::startHeight}; }
  // The picture is to be drawn whole at the next paint, not only the path's new pieces.
  void invalidate() {
    m_stale = true;
    update();
  }

signals:
  void cameraMoved();

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  void moved();

  OrbitPicture& m_picture;
  // All but the particle, kept between paints: a step of a run adds its piece of path.
  QImage m_frame;
  bool m_stale = true;
  std::size_t m_drawnPoints = 0;
  std::int64_t m_drawnStride = 1, m_drawnGiven = 0;
  enum class Drag { None, Turn, Pan } m_drag = Drag::None;
  QPoint m_last;
};

// The 3-D view window: the run's path in space with the structure's field lines and the
// axes, live during a run (redrawn at most at the screen's rate), colouring by time, and
// PNG export.
class OrbitView : public QWidget {
  Q_OBJECT

public:
  OrbitView(Dialogs& dialogs, FileDialogs& files, QWidget* parent = nullptr);

  OrbitPicture& picture() { return m_picture; }
  OrbitFollower& follower() { return m_follower; }
  OrbitCanvas* canvas() const { return m_canvas; }

  // The theory's lines for the start of the follower's last recompute, made when the
  // check box is first checked after it.
  void showTheory(bool on);
  // Repaints now if something changed since the last paint.
  void refresh();

private:
  void exportPng();

  Dialogs& m_dialogs;
  FileDialogs& m_files;
  OrbitPicture m_picture;
  OrbitFollower m_follower{m_picture};
  OrbitCanvas* m_canvas = nullptr;
  QCheckBox* m_byTime = nullptr;
  QCheckBox* m_theory = nullptr;
  int m_theoryFor = -1;  // the recompute the theory's lines were made for
  QPushButton* m_export = nullptr;
  QTimer* m_frames = nullptr;
};

}  // namespace larmor
