#include "ui/Form1.h"

#include "model/FieldChoice.h"
#include "model/TextRules.h"
#include "ui/DefaultServices.h"
#include "ui/Form2.h"
#include "ui/InfoTexts.h"
#include "ui/PictureBox.h"
#include "ui/ProportionalLayout.h"
#include "ui/VerticalBar.h"

#include <QAction>
#include <QCloseEvent>
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

namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

QString Form1::mainTitle() {
  return QStringLiteral("Моделирование движения заряженной частицы в различных магнитных полях");
}

Form1::Form1(Services services, QWidget* parent) : QMainWindow(parent), m_services(services) {
  if (!m_services.opener || !m_services.launcher || !m_services.tonePlayer ||
      !m_services.dialogs) {
    const Services real = defaultServices();
    if (!m_services.opener) m_services.opener = real.opener;
    if (!m_services.launcher) m_services.launcher = real.launcher;
    if (!m_services.tonePlayer) m_services.tonePlayer = real.tonePlayer;
    if (!m_services.dialogs) m_services.dialogs = real.dialogs;
  }

  setWindowTitle(mainTitle());
  m_client = new QWidget(this);
  m_client->setObjectName(QStringLiteral("ClientArea"));
  setCentralWidget(m_client);
  buildControls();
  buildMenus();
  buildHolders();
  setTabOrder();
  m_views = std::make_unique<Views>(Picture1->canvas(), Picture2->canvas());

  // The initial client area is 720 × 480; the menu bar lies above it.
  const int menuHeight = std::max(menuBar()->heightForWidth(720), menuBar()->sizeHint().height());
  resize(720, 480 + menuHeight);

  // Every selection of an entry runs List1_Click once: a press, a key or the program that
  // moves the selection, or a click on the entry already selected (a click whose press
  // moved the selection has run it already).
  connect(List1, &QListWidget::currentRowChanged, this, [this] { List1_Click(); });
  connect(List1, &QAbstractItemView::clicked, this, [this] {
    if (m_list1Runs == m_list1RunsAtPress) List1_Click();
  });
  List1->viewport()->installEventFilter(this);
  connect(VScroll1, &VerticalBar::valueChanged, this, &Form1::VScroll1_Change);
  connect(VScroll2, &VerticalBar::valueChanged, this, &Form1::VScroll2_Change);
  connect(VScroll3, &VerticalBar::valueChanged, this, &Form1::VScroll3_Change);
  connect(VScroll4, &VerticalBar::valueChanged, this, &Form1::VScroll4_Change);
  connect(VScroll5, &VerticalBar::valueChanged, this, &Form1::VScroll5_Change);
  connect(VScroll6, &VerticalBar::valueChanged, this, &Form1::VScroll6_Change);
  connect(VScroll7, &VerticalBar::valueChanged, this, &Form1::VScroll7_Change);
  connect(VScroll8, &VerticalBar::valueChanged, this, &Form1::VScroll8_Change);
  connect(VScroll9, &VerticalBar::valueChanged, this, &Form1::VScroll9_Change);
  connect(VScroll10, &VerticalBar::valueChanged, this, &Form1::VScroll10_Change);
  // Every change of the text, typed or set by the program, as the handlers expect.
  connect(Text1, &QLineEdit::textChanged, this, &Form1::Text1_Change);
  connect(Text2, &QLineEdit::textChanged, this, &Form1::Text2_Change);
  connect(Text3, &QLineEdit::textChanged, this, &Form1::Text3_Change);
  connect(HScroll1, &QScrollBar::valueChanged, this, &Form1::HScroll1_Change);
  connect(CmdOK, &QPushButton::clicked, this, &Form1::CmdOK_Click);
  connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
  m_client->installEventFilter(this);

  Form_Load();
}

Form1::~Form1() {
  m_abortRun = true;
  if (m_waitLoop) m_waitLoop->quit();
  delete m_form2.data();
}

void Form1::Form_Load() {
  m_ready = 0;

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

  InitState();
  fitTexts();  // once every list entry and value caption has its text
  m_ready = 1;
}

void Form1::InitState() {
  SimParams& p = m_state.params;
  p = SimParams{};

  VScroll1->setValue(startPosition::charge);
  Label[4]->setText(qs(chargeText(p.q)));
  Label[4]->setToolTip(qs(chargeValueTooltip(VScroll1->value())));
  m_views->SetMarkerColours(VScroll1->value());

  VScroll2->setValue(startPosition::mass);
  Label[5]->setToolTip(qs(massValueTooltip(VScroll2->value())));
  Label[5]->setText(qs(massText(p.m, VScroll2->value())));

  VScroll4->setValue(startPosition::speed);
  Label[10]->setText(qs(integerText(p.v)));
  VScroll6->setValue(startPosition::alpha);
  Label[16]->setText(qs(integerText(p.alpha)));
  VScroll10->setValue(startPosition::beta);
  Label[25]->setText(qs(integerText(p.beta)));
  VScroll5->setValue(startPosition::field);
  Label[12]->setText(qs(fieldText(p.Bo)));

  List1->clear();
  for (const std::string_view text : fieldConfigTexts) {
    List1->addItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  }
  List1->setCurrentRow(0);  // runs List1_Click, which ends with the first recompute

  Text1->setText(qs(valueText(p.S, "0.00")));
  Text3->setText(qs(valueText(p.d, "0.00")));
  Text2->setText(qs(signedText(static_cast<long long>(p.periods))));
  Label[27]->hide();
  Text1->hide();
  Label[28]->hide();
  Text3->hide();

  VScroll3->setValue(startPosition::region);
  Label[6]->setText(qs(twoDecimalsText(p.regionSize)));
  VScroll7->setValue(positionFromCoordinate(p.x0));
  Label[19]->setText(qs(twoDecimalsText(p.x0)));
  VScroll8->setValue(positionFromCoordinate(p.y0));
  Label[21]->setText(qs(twoDecimalsText(p.y0)));
  VScroll9->setValue(positionFromCoordinate(p.z0));
  Label[23]->setText(qs(twoDecimalsText(p.z0)));

  HScroll1->setValue(startPosition::slowdown);
  Label[29]->setText(qs(integerText(p.slowdown)));

  m_state.fieldConfig = 1;
  loadImage1(QStringLiteral("mudr.gif"));
}

void Form1::List1_Click() {
  ++m_list1Runs;
  // Whatever goes wrong before the recompute (a picture that cannot be read) ends the
  // selection there; the recompute always runs.
  const QListWidgetItem* item = List1->currentItem();
  const QByteArray text = item ? item->text().toUtf8() : QByteArray();
  const FieldConfig config = fieldConfigFromText(std::string_view(text.constData(), text.size()));
  if (config >= 1 && config <= fieldConfigCount) {
    const FieldChoice& choice = fieldChoice(config);
    SimParams& p = m_state.params;
    m_state.fieldConfig = config;
    Label[27]->setVisible(choice.showS);
    Text1->setVisible(choice.showS);
    Label[28]->setVisible(choice.showD);
    Text3->setVisible(choice.showD);
    if (choice.S) {
      p.S = *choice.S;
      Text1->setText(qs(valueText(p.S, "0.00")));  // may run Text1_Change at once
    }
    p.x0 = choice.x0;
    VScroll7->setValue(positionFromCoordinate(p.x0));  // may run VScroll7_Change
    Label[19]->setText(qs(twoDecimalsText(p.x0)));
    p.z0 = choice.z0;
    VScroll9->setValue(positionFromCoordinate(p.z0));  // may run VScroll9_Change
    Label[23]->setText(qs(twoDecimalsText(p.z0)));
    loadImage1(QString::fromLatin1(choice.picture));
  }
  RecomputeQuantities();
}

char Form1::decimalSeparator() const {
  // The result captions use the locale's separator; one the texts cannot hold as a
  // single byte falls back to the point.
  const QString point = QLocale().decimalPoint();
  if (point.size() == 1 && point.at(0).unicode() < 0x80) return point.at(0).toLatin1();
  return '.';
}

void Form1::RecomputeQuantities() {
  const ResultCaptions captions = m_state.computeQuantities(decimalSeparator());
  Label[13]->setText(qs(captions.frequency));
  Label[14]->setText(qs(captions.period));
  Label[17]->setText(qs(captions.radius));
  Label[18]->setText(qs(captions.pitch));
  m_views->Redraw(m_state);
  Picture1->syncMarker();
  Picture2->syncMarker();
  ++m_recomputeCount;
  emit recomputed();
}

bool Form1::loadImage1(const QString& bareFileName) {
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
  if (!m_ready) return;
  razmer();
  RecomputeQuantities();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_client && event->type() == QEvent::Resize) Form_Resize();
  if (event->type() == QEvent::MouseButtonPress && watched->parent() == List1)
    m_list1RunsAtPress = m_list1Runs;
  return QMainWindow::eventFilter(watched, event);
}

void Form1::mnuFilespravka_Click() { m_services.opener->open(QStringLiteral("spravka.pdf")); }

void Form1::mnuHelpUprav_Click() { m_services.opener->open(QStringLiteral("uprav.pdf")); }

void Form1::mnuHelpInstruction_Click() {
  // The original gave no word when the editor did not start; a user would want to know.
  QString reason;
  if (m_services.launcher->launch(QStringLiteral("instruction.txt"), &reason)) return;
  QString text = QStringLiteral("Не удалось открыть файл instruction.txt в текстовом редакторе.");
  if (!reason.isEmpty()) text += QStringLiteral("\n") + reason;
  m_services.dialogs->warning(this, QStringLiteral("Инструкция"), text);
}

void Form1::mnuHelpAvtors_Click() {
  if (!m_form2) {
    m_form2 = new Form2();
    m_form2->setWindowIcon(windowIcon());
  }
  m_form2->showAuthors(this);
}

void Form1::mnuHelpAbout_Click() {
  m_services.dialogs->information(this, QStringLiteral("О ПРОГРАММЕ"), aboutText());
}

void Form1::mnuHelpAbout2_Click() {
  m_services.dialogs->information(this, QStringLiteral("РЕГИСТРАЦИЯ"), registrationText());
}

void Form1::mnuFileExit_Click() { close(); }

void Form1::closeEvent(QCloseEvent* event) {
  if (!m_exitConfirmed && !m_services.dialogs->confirmExit(this)) {
    event->ignore();
    return;
  }
  if (m_running) {
    // A run waiting between its steps ends first; its handler closes the window after.
    m_abortRun = true;
    m_closeAfterRun = true;
    if (m_waitLoop) m_waitLoop->quit();
    event->ignore();
    return;
  }
  m_exitConfirmed = false;
  if (m_form2) m_form2->close();
  event->accept();
}

}  // namespace larmor
