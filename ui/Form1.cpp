#include "ui/Form1.h"

#include "model/FieldChoice.h"
#include "model/TextRules.h"
#include "ui/DefaultServices.h"
#include "ui/DiagnosticsNumbers.h"
#include "ui/DiagnosticsWindow.h"
#include "ui/Form2.h"
#include "ui/InfoTexts.h"
#include "ui/PanelBinding.h"
#include "ui/PictureBox.h"
#include "ui/ProportionalLayout.h"
#include "ui/QtTranslations.h"
#include "ui/VerticalBar.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace larmor {

QString Form1::mainTitle() {
  return tr("Моделирование движения заряженной частицы в различных магнитных полях");
}

Form1::Form1(Services services, QWidget* parent)
    : QMainWindow(parent), m_services(services), m_panel(decimalSeparator()) {
  if (!m_services.opener || !m_services.launcher || !m_services.tonePlayer ||
      !m_services.dialogs || !m_services.files) {
    const Services real = defaultServices();
    if (!m_services.opener) m_services.opener = real.opener;
    if (!m_services.launcher) m_services.launcher = real.launcher;
    if (!m_services.tonePlayer) m_services.tonePlayer = real.tonePlayer;
    if (!m_services.dialogs) m_services.dialogs = real.dialogs;
    if (!m_services.files) m_services.files = real.files;
  }

  m_client = new QWidget(this);
  m_client->setObjectName(QStringLiteral("ClientArea"));
  setCentralWidget(m_client);
  buildControls();
  buildMenus();
  buildHolders();
  setTabOrder();
  m_panel.setLanguage(uiLanguage());
  retranslateUi();
  m_views = std::make_unique<Views>(Picture1->canvas(), Picture2->canvas());
  m_views->setLanguage(uiLanguage());

  // The initial client area is 720 × 480; the menu bar lies above it.
  const int menuHeight = std::max(menuBar()->heightForWidth(720), menuBar()->sizeHint().height());
  resize(720, 480 + menuHeight);

  bindPanel();
  connect(CmdOK, &QPushButton::clicked, this, &Form1::CmdOK_Click);
  connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
  m_client->installEventFilter(this);

  Form_Load();
}

Form1::~Form1() {
  m_runState.requestEnd(RunState::EndRequest::Abandon);
  if (m_waitLoop) m_waitLoop->quit();
  if (m_parallelFeed) m_parallelFeed->release();  // the run's second core writes nothing of this window any more
  delete m_form2.data();
  delete m_diagnostics.data();  // before the series it reads
}

void Form1::Form_Load() {
  // Near the top-left corner: 2 % of the free width and height of the screen away from it.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect free = screen->availableGeometry();
    const QSize outer = frameGeometry().size();
    move(free.x() + std::max(0, qRound((free.width() - outer.width()) * 0.02)),
         free.y() + std::max(0, qRound((free.height() - outer.height()) * 0.02)));
  }

  // The menu icons from their holders, in the order of the menus.
  const struct {
    const char* action;
    const char* holder;
  } icons[] = {
      {"mnuFilespravka", "Picture6"}, {"mnuFileExit", "Picture4"},
      {"mnuHelpInstruction", "Picture7"}, {"mnuHelpUprav", "Picture8"},
      {"mnuHelpAvtors", "Picture9"}, {"mnuHelpAbout", "Picture10"},
      {"mnuHelpAbout2", "Picture11"},
  };
  for (const auto& icon : icons) {
    auto* action = findChild<QAction*>(QString::fromLatin1(icon.action));
    auto* holder = findChild<QLabel*>(QString::fromLatin1(icon.holder));
    if (action && holder && !holder->pixmap().isNull()) action->setIcon(QIcon(holder->pixmap()));
  }
  for (const char* holder : {"Picture6", "Picture4", "Picture7", "Picture8", "Picture9",
                             "Picture10", "Picture11"}) {
    if (auto* label = findChild<QLabel*>(QString::fromLatin1(holder))) label->hide();
  }

  // The entries are the window's; which one is selected, and everything else, the panel's.
  List1->clear();
  const auto& entries = uiLanguage() == Language::English ? fieldConfigEnglishTexts : fieldConfigTexts;
  for (const std::string_view text : entries) {
    List1->addItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  }
  m_panel.Form_Load();
  fitTexts();  // once every list entry and value caption has its text
}

// The result captions use the locale's separator; the diagnostics window follows the same rule.
char Form1::decimalSeparator() { return resultDecimalSeparator(); }

void Form1::RecomputeQuantities() { m_panel.RecomputeQuantities(); }

// Each widget's change goes to the panel; what the panel changes comes back through the
// binding, which sets the widgets quietly, so no handler runs twice.
void Form1::bindPanel() {
  PanelBinding::Widgets widgets;
  widgets.bars = {VScroll1, VScroll2, VScroll3, VScroll4, VScroll5, VScroll6,
                  VScroll7, VScroll8, VScroll9, VScroll10, HScroll1};
  widgets.texts = {Text1, Text2, Text3};
  widgets.labels = Label;
  widgets.list = List1;
  widgets.xyPicture = Picture1;
  widgets.xzPicture = Picture2;
  widgets.borisItem = findChild<QAction*>(QStringLiteral("mnuDiagnosticsBoris"));
  m_binding = std::make_unique<PanelBinding>(
      m_panel, widgets, *m_views, [this](const QString& name) { loadImage1(name); },
      [this] {
        diagnosticsRecomputed();
        emit recomputed();
      });
  m_panel.setObserver(m_binding.get());

  for (std::size_t i = 0; i < barCount; ++i) {
    const Bar bar = static_cast<Bar>(i);
    auto move = [this, bar](int position) { act(PanelAction::moveBar(bar, position)); };
    if (auto* vertical = qobject_cast<VerticalBar*>(widgets.bars[i]))
      connect(vertical, &VerticalBar::valueChanged, this, move);
    else
      connect(HScroll1, &QScrollBar::valueChanged, this, move);
  }
  for (std::size_t i = 0; i < textBoxCount; ++i) {
    const TextBox box = static_cast<TextBox>(i);
    connect(widgets.texts[i], &QLineEdit::textChanged, this,
            [this, box](const QString& text) { act(PanelAction::typeText(box, text.toStdString())); });
  }
  // Every selection of an entry runs the selection once: a press, a key, or a click on the
  // entry already selected (a click whose press moved the selection has run it already).
  connect(List1, &QListWidget::currentRowChanged, this, [this](int row) {
    ++m_selections;
    act(PanelAction::selectEntry(row));
  });
  connect(List1, &QAbstractItemView::clicked, this, [this] {
    if (m_selections != m_selectionsAtPress) return;
    ++m_selections;
    act(PanelAction::selectEntry(List1->currentRow()));
  });
  List1->viewport()->installEventFilter(this);
}

bool Form1::loadImage1(const QString& bareFileName) {
  // The English window shows the picture with English words where there is one ("1-en.gif").
  if (uiLanguage() == Language::English) {
    const QFileInfo file(bareFileName);
    const QString english = file.completeBaseName() + QStringLiteral("-en.") + file.suffix();
    if (QFileInfo::exists(english) && loadPicture(english)) return true;
  }
  return loadPicture(bareFileName);
}

bool Form1::loadPicture(const QString& bareFileName) {
  QImageReader reader(bareFileName);
  reader.setDecideFormatFromContent(true);
  const QImage picture = reader.read();
  if (picture.isNull()) return false;
  Image1->setPixmap(QPixmap::fromImage(picture));
  Image1->setProperty("pictureFile", bareFileName);
  return true;
}

void Form1::razmer() {
  for (const PlacedControl& placed : proportionalLayout(m_client->width(), m_client->height())) {
    QWidget* control = m_client->findChild<QWidget*>(QString::fromLatin1(placed.name),
                                                     Qt::FindDirectChildrenOnly);
    if (!control) continue;
    // Real numbers until here; whole pixels, never a negative size, on the control.
    control->setGeometry(qRound(placed.left), qRound(placed.top),
                         std::max(0, qRound(placed.width)), std::max(0, qRound(placed.height)));
  }
  Picture1->fitCanvas();
  Picture2->fitCanvas();
}

void Form1::Form_Resize() {
  if (!m_panel.ready()) return;
  razmer();
  act(PanelAction::recompute());  // during a run too: the pictures start afresh
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_client && event->type() == QEvent::Resize) Form_Resize();
  if (event->type() == QEvent::MouseButtonPress && watched->parent() == List1)
    m_selectionsAtPress = m_selections;
  return QMainWindow::eventFilter(watched, event);
}

void Form1::mnuFilespravka_Click() { openDocument(helpDocument("spravka", ".pdf"), tr("Справка")); }

void Form1::mnuHelpUprav_Click() { openDocument(helpDocument("uprav", ".pdf"), tr("Управление")); }

// The English window opens the English document beside the Russian one ("uprav-en.pdf",
// "instruction-en.txt");
// where that is missing, the Russian one is better than none.
QString Form1::helpDocument(const char* name, const char* suffix) {
  const QString english = QLatin1String(name) + QStringLiteral("-en") + QLatin1String(suffix);
  if (uiLanguage() == Language::English && QFileInfo::exists(english)) return english;
  return QLatin1String(name) + QLatin1String(suffix);
}

void Form1::openDocument(const QString& bareFileName, const QString& title) {
  // The original gave no word when nothing opened the document; a user would want to know
  // where it lies, to open it by hand.
  QString reason;
  if (m_services.opener->open(bareFileName, &reason)) return;
  m_services.dialogs->warning(this, title,
                              tr("Не удалось открыть документ %1: %2.")
                                  .arg(QDir::toNativeSeparators(QDir::current().absoluteFilePath(bareFileName)), reason));
}

void Form1::mnuHelpInstruction_Click() {
  // The original gave no word when the editor did not start; a user would want to know.
  QString reason;
  const QString name = helpDocument("instruction", ".txt");
  if (m_services.launcher->launch(name, &reason)) return;
  QString text = tr("Не удалось открыть файл %1 в текстовом редакторе.").arg(name);
  if (!reason.isEmpty()) text += QStringLiteral("\n") + reason;
  m_services.dialogs->warning(this, tr("Инструкция"), text);
}

void Form1::mnuHelpAvtors_Click() {
  if (!m_form2) {
    m_form2 = new Form2();
    m_form2->setWindowIcon(windowIcon());
  }
  m_form2->showAuthors(this);
}

void Form1::mnuHelpAbout_Click() {
  m_services.dialogs->information(this, tr("О ПРОГРАММЕ"), aboutText());
}

void Form1::mnuHelpAbout2_Click() {
  m_services.dialogs->information(this, tr("РЕГИСТРАЦИЯ"), registrationText());
}

void Form1::mnuFileExit_Click() { close(); }

void Form1::stopRun() {
  m_runState.requestEnd(RunState::EndRequest::Stop);  // seen when the run's pause ends
}

QString Form1::stoppedRunText(std::int64_t steps) {
  return tr("Расчет остановлен по вашей команде после %1 шагов, раньше заданного времени.")
      .arg(QLocale(QLocale::Russian).toString(qint64(steps)));
}

void Form1::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange && m_binding) {
    retranslateUi();
    // What the panel wrote over the design texts stays the panel's (a second event of one
    // change finds the panel in the new language already).
    for (int n = 1; n < 30; ++n) {
      if (!m_panel.tooltip(n).empty()) Label[n]->setToolTip(QString::fromStdString(m_panel.tooltip(n)));
      if (!m_panel.caption(n).empty()) Label[n]->setText(QString::fromStdString(m_panel.caption(n)));
    }
    // The captions, tooltips and views again from the panel, every value kept; the
    // captions' widths are fitted anew.
    m_views->setLanguage(uiLanguage());
    if (m_panel.language() != uiLanguage()) m_panel.setLanguage(uiLanguage());
    fitTexts();
    rebuildDiagnostics();
    rebuildOrbitView();
    // The illustration with the words of this language, where the folder has it; the
    // built-in one has both.
    if (!Image1->property("pictureFile").toString().isEmpty()) loadImage1(QString::fromStdString(m_panel.picture()));
    else showBuiltInPicture();
  }
  QMainWindow::changeEvent(event);
}

void Form1::closeEvent(QCloseEvent* event) {
  if (!m_exitConfirmed && !m_services.dialogs->confirmExit(this)) {
    event->ignore();
    return;
  }
  if (m_runState.running()) {
    // A run waiting between its steps ends first; its handler closes the window after.
    m_runState.requestEnd(RunState::EndRequest::Close);
    if (m_waitLoop) m_waitLoop->quit();
    event->ignore();
    return;
  }
  m_exitConfirmed = false;
  if (m_form2) m_form2->close();
  if (m_diagnostics) m_diagnostics->close();
  event->accept();
}

}  // namespace larmor
