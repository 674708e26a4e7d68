#pragma once

#include "panel/ControlPanel.h"

#include <QString>

#include <array>
#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QWidget;

namespace larmor {

class PictureBox;
class Views;

// The window's half of the panel: shows what the panel changed on the widgets. What the
// panel sets itself reaches the widgets with their signals blocked, so it never comes back
// as a user's change and no handler runs twice.
class PanelBinding : public PanelObserver {
public:
  struct Widgets {
    std::array<QWidget*, barCount> bars{};       // VerticalBar or the horizontal QScrollBar
    std::array<QLineEdit*, textBoxCount> texts{};
    QLabel* const* labels = nullptr;             // Label[0..29]
    QListWidget* list = nullptr;
    PictureBox* xyPicture = nullptr;
    PictureBox* xzPicture = nullptr;
    QAction* borisItem = nullptr;                // checked: the Boris run
  };

  PanelBinding(const ControlPanel& panel, Widgets widgets, Views& views,
               std::function<void(const QString&)> showPicture, std::function<void()> afterRecompute);

  void barSet(Bar bar, int position) override;
  void textSet(TextBox box, const std::string& text) override;
  void captionSet(int label, const std::string& text) override;
  void tooltipSet(int label, const std::string& text) override;
  void entrySelected(int row) override;
  void lengthInputsShown(bool showS, bool showD) override;
  void pictureChosen(const std::string& bareName) override;
  void markerColoursChanged(int chargePosition) override;
  void recomputed() override;
  void integratorChosen(Integrator integrator) override;

private:
  void syncMarkers();

  const ControlPanel& m_panel;
  Widgets m_widgets;
  Views& m_views;
  std::function<void(const QString&)> m_showPicture;
  std::function<void()> m_afterRecompute;
};

}  // namespace larmor
