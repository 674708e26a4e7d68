#include "ui/PanelBinding.h"

#include "ui/PictureBox.h"
#include "ui/VerticalBar.h"
#include "views/Views.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalBlocker>

namespace larmor {

namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

PanelBinding::PanelBinding(const ControlPanel& panel, Widgets widgets, Views& views,
                           std::function<void(const QString&)> showPicture,
                           std::function<void()> afterRecompute)
    : m_panel(panel), m_widgets(widgets), m_views(views), m_showPicture(std::move(showPicture)),
      m_afterRecompute(std::move(afterRecompute)) {}

void PanelBinding::barSet(Bar bar, int position) {
  QWidget* widget = m_widgets.bars[static_cast<std::size_t>(bar)];
  if (auto* vertical = qobject_cast<VerticalBar*>(widget)) {
    const QSignalBlocker quiet(vertical);
    vertical->setValue(position);
  } else if (auto* horizontal = qobject_cast<QScrollBar*>(widget)) {
    const QSignalBlocker quiet(horizontal);
    horizontal->setValue(position);
  }
}

void PanelBinding::textSet(TextBox box, const std::string& text) {
  QLineEdit* edit = m_widgets.texts[static_cast<std::size_t>(box)];
  const QSignalBlocker quiet(edit);
  edit->setText(qs(text));
}

void PanelBinding::captionSet(int label, const std::string& text) {
  m_widgets.labels[label]->setText(qs(text));
}

void PanelBinding::tooltipSet(int label, const std::string& text) {
  m_widgets.labels[label]->setToolTip(qs(text));
}

void PanelBinding::entrySelected(int row) {
  const QSignalBlocker quiet(m_widgets.list);
  m_widgets.list->setCurrentRow(row);
}

void PanelBinding::lengthInputsShown(bool showS, bool showD) {
  m_widgets.labels[27]->setVisible(showS);
  m_widgets.texts[static_cast<std::size_t>(TextBox::Text1)]->setVisible(showS);
  m_widgets.labels[28]->setVisible(showD);
  m_widgets.texts[static_cast<std::size_t>(TextBox::Text3)]->setVisible(showD);
}

void PanelBinding::pictureChosen(const std::string& bareName) { m_showPicture(qs(bareName)); }

void PanelBinding::markerColoursChanged(int chargePosition) {
  m_views.SetMarkerColours(chargePosition);
  syncMarkers();
}

void PanelBinding::recomputed() {
  m_views.Redraw(m_panel.state());
  syncMarkers();
  if (m_afterRecompute) m_afterRecompute();
}

void PanelBinding::integratorChosen(Integrator integrator) {
  const QSignalBlocker quiet(m_widgets.borisItem);
  m_widgets.borisItem->setChecked(integrator == Integrator::Boris);
}

void PanelBinding::syncMarkers() {
  m_widgets.xyPicture->syncMarker();
  m_widgets.xzPicture->syncMarker();
}

}  // namespace larmor
