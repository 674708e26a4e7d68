// The window as the user first sees it: every control's caption, tooltip, colours, font and
// range, the menu tree, the start-up state, the placement and the layout at every size; and
// its building blocks alone: the Symbol-font captions and the vertical bar whose top is its
// largest value.
#include "WindowTestSupport.h"

#include "ui/SymbolFont.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QSignalSpy>
#include <QStyleOptionViewItem>
#include <QWheelEvent>

namespace larmor::test {
namespace {

const QColor yellow(255, 255, 192), cyan(192, 255, 255);

TEST_F(WindowTest, StartsWithEveryControlAsDesigned) {
  // kind: 'c' caption (centred, 12 pt) with its design text, 'y' yellow value centred, 'Y'
  // yellow value left, 'b' cyan result, left. The charge and mass captions keep their
  // design tooltips (with the trailing blank) as long as no handler has run; what the
  // values show is the panel's.
  const struct { const char* name; char kind; const char *text = nullptr, *tooltip = nullptr; } labels[] = {
      {"Label1", 'c', "q, Кл", "Элементарный заряд |е| точно. СИ с 2022 года "},
      {"Label2", 'c', "m, кг", "Атомная единица массы. С 2022 года"}, {"Label15", 'c', "α"},
      {"Label24", 'c', "β"}, {"Label7", 'c', "Хо, м"} /* Cyrillic Х */,
      {"Label20", 'c', "Yо, м"} /* Latin Y, Cyrillic о */, {"Label8", 'c', "Время"},
      {"Label4", 'y'}, {"Label5", 'y'}, {"Label10", 'Y'}, {"Label16", 'y'}, {"Label25", 'y'}, {"Label12", 'Y'},
      {"Label6", 'y'}, {"Label19", 'y'}, {"Label21", 'y'}, {"Label23", 'y'}, {"Label29", 'y'}, {"Label13", 'b'},
      {"Label14", 'b'}, {"Label17", 'b'}, {"Label18", 'b'}, {"Label26", 'b', "Точность вычислений"},
  };
  for (const auto& r : labels) {
    SCOPED_TRACE(r.name);
    auto* label = control<QLabel>(r.name);
    ASSERT_NE(label, nullptr);
    if (r.text) {
      EXPECT_EQ(label->text(), QString::fromUtf8(r.text));
    }
    if (r.tooltip) {
      EXPECT_EQ(label->toolTip(), QString::fromUtf8(r.tooltip));
    }
    EXPECT_EQ(std::pair(label->font().family(), label->font().pointSize()), std::pair(QStringLiteral("Times New Roman"), 12));
    EXPECT_TRUE(label->alignment() & (r.kind == 'c' || r.kind == 'y' ? Qt::AlignHCenter : Qt::AlignLeft));
    if (r.kind == 'c') continue;
    EXPECT_TRUE(label->autoFillBackground());
    EXPECT_EQ(label->palette().color(QPalette::Window), r.kind == 'b' ? cyan : yellow);
    EXPECT_TRUE(label->frameShape() == QFrame::Box && label->lineWidth() == 1);
  }
  // α and β are stored as the Symbol font's Latin letters.
  EXPECT_EQ(control("Label15")->property("symbolCaption").toString() + control("Label24")->property("symbolCaption").toString(), "ab");
  for (const char* name : textNames) EXPECT_EQ(control<QLineEdit>(name)->palette().color(QPalette::Base), yellow) << name;
  // Start-up's positions, texts, captions and hidden inputs, set by the panel, on the widgets.
  expectShowsPanel();
  EXPECT_EQ(std::tuple(control<QListWidget>("List1")->count(), window().ready()), std::tuple(7, true));

  EXPECT_EQ(window().windowTitle(), QStringLiteral("Моделирование движения заряженной частицы в различных магнитных полях"));
  EXPECT_FALSE(window().windowIcon().isNull());
  EXPECT_EQ(control<QAction>("mnuFilespravka")->text().front(), QLatin1Char('C'));  // the Latin C
  // Every item but the separators got its icon from a holder, and the holders stay hidden.
  for (QAction* menu : window().menuBar()->actions())
    for (QAction* item : menu->menu()->actions())
      EXPECT_TRUE(item->isSeparator() || !item->icon().isNull()) << item->objectName().toStdString();
  for (const char* holder : {"Picture4", "Picture6", "Picture7", "Picture8", "Picture9", "Picture10", "Picture11"})
    EXPECT_TRUE(control(holder)->isHidden() && !control<QLabel>(holder)->pixmap().isNull()) << holder;

  // Placed 2 % from the top left of the free screen.
  const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
  const QRect outer = window().frameGeometry();
  EXPECT_NEAR(outer.left(), free.left() + (free.width() - outer.width()) * 0.02, 1);
  EXPECT_NEAR(outer.top(), free.top() + (free.height() - outer.height()) * 0.02, 1);
}

// At the size the layout gives them and in their own fonts, the labels show every text
// whole, each at its widest: the extreme charge and mass, the results and their infinite
// forms, the start point at its edges, the accuracy after a run; the list every entry and
// the start button its caption. In either language of the window.
using TextFitTest = InEachLanguage<WindowTest>;
INSTANTIATE_TEST_SUITE_P(BothLanguages, TextFitTest, ::testing::Values(Language::Russian, Language::English), languageName);

TEST_P(TextFitTest, EveryTextStandsWholeInItsControl) {
  showWindow();
  auto expectWhole = [this](const char* when) {
    SCOPED_TRACE(when);
    for (auto* label : window().centralWidget()->findChildren<QLabel*>(QRegularExpression("^Label\\d+$"))) {
      if (label->isHidden()) continue;
      const QFontMetrics metrics(label->font());
      int room = label->contentsRect().width();  // a framed label's text keeps half an x from its side
      if (label->frameWidth() > 0 && (label->alignment() & Qt::AlignLeft)) room -= metrics.horizontalAdvance('x') / 2;
      EXPECT_LE(metrics.horizontalAdvance(label->text()), room) << label->objectName().toStdString() << " " << label->text().toStdString();
      EXPECT_LE(metrics.height(), label->contentsRect().height()) << label->objectName().toStdString();
      EXPECT_EQ(label->font().pointSize(), 12) << label->objectName().toStdString();
    }
    auto* list = control<QListWidget>("List1");
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.font = list->font();  // as the list draws its entries
    for (int row = 0; row < list->count(); ++row)
      EXPECT_LE(list->itemDelegate()->sizeHint(option, list->model()->index(row, 0)).width(), list->viewport()->width())
          << list->item(row)->text().toStdString();
    auto* start = control<QPushButton>("CmdOK");  // the caption inside the button's frame
    EXPECT_LE(QFontMetrics(start->font()).horizontalAdvance(start->text()),
              start->width() - 2 * start->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, start))
        << start->text().toStdString();
  };
  expectWhole("start");
  const struct { const char* when; std::vector<std::pair<const char*, int>> bars; } states[] = {
      {"heaviest, most negative, strongest", {{"VScroll1", -5}, {"VScroll2", 10}, {"VScroll5", 30000}, {"VScroll9", -100}}},
      {"electron, no field", {{"VScroll2", 0}, {"VScroll5", 0}, {"VScroll7", -50}, {"VScroll8", -50}, {"VScroll3", 10}}},
      {"backwards along the field", {{"VScroll1", 1}, {"VScroll5", 10000}, {"VScroll6", 97}, {"VScroll10", -180}}},
  };
  for (const auto& s : states) {
    for (const auto& [bar, position] : s.bars) moveBar(bar, position);
    expectWhole(s.when);
  }
  selectRow(6);  // the second trap: the S and d inputs shown
  setSlowdown(10);
  typeInto("Text2", QStringLiteral("1"));
  runAtFullSpeed();
  ASSERT_TRUE(caption("Label26").startsWith("dV=")) << caption("Label26").toStdString();
  expectWhole("after a run");
}

class LayoutTest : public WindowTest {
protected:
  void resizeClient(int width, int height) {
    window().resize(width, height + window().height() - window().centralWidget()->height());
    (void)QTest::qWaitFor([&] { return window().centralWidget()->size() == QSize(width, height); });  // asserted below
    ASSERT_EQ(window().centralWidget()->size(), QSize(width, height));
  }
  void expectNear(const char* name, double left, double top, double width, double height) {
    const QRect g = control(name)->geometry();
    EXPECT_TRUE(std::abs(g.left() - left) <= 0.5 && std::abs(g.top() - top) <= 0.5 &&
                std::abs(g.width() - width) <= 0.5 && std::abs(g.height() - height) <= 0.5)
        << name << " at " << g.left() << "," << g.top() << " " << g.width() << "x" << g.height();
  }
};

TEST_F(LayoutTest, FirstShowLaysOutAndRecomputesThenEverySizeReachesTheControls) {
  EXPECT_EQ(window().recomputeCount(), 1) << "only the first selection recomputes during start-up";
  showWindow();  // the first resize: the layout and a second recompute
  EXPECT_EQ(window().recomputeCount(), 2);
  ASSERT_EQ(window().centralWidget()->size(), QSize(720, 480));
  const struct { const char* name; double left, top, width, height; } rows[] = {
      {"Label1", 4, 4, 132, 24},          {"VScroll1", 136, 4, 22, 48},      {"Label25", 4, 236, 132, 24},
      {"Label11", 166, 4, 116.16, 24},    {"VScroll5", 282.16, 4, 22, 48},   {"List1", 166, 56, 135.52, 48},
      {"Text2", 166, 236, 116.16, 24},    {"Label3", 309.52, 4, 66, 24},     {"VScroll3", 375.52, 4, 22, 48},
      {"Label23", 309.52, 184, 66, 24},   {"HScroll1", 309.52, 216, 88, 24}, {"Label29", 342.52, 240, 22, 24},
      {"Label13", 398.52, 4, 132, 24},    {"Label26", 398.52, 116, 132, 24}, {"CmdOK", 431.52, 224, 66, 24},
      {"Image1", 534.52, 4, 181.48, 151.23}, {"Picture1", 4, 268, 208, 208}, {"Picture2", 216, 268, 416, 208},
      {"Text1", 166, 132, 116.16, 24},  // hidden, placed ready to be shown
  };
  for (const auto& r : rows) expectNear(r.name, r.left, r.top, r.width, r.height);
  EXPECT_EQ(control<PictureBox>("Picture2")->canvas().logicalSize(), QSize(416, 208));

  // Only the illustration and the pictures follow the client area; the panel stays, and a
  // client area smaller than the panel gives zero sizes, never a failure.
  const struct { int width, height; double imageWidth, side, top; } sizes[] = {
      {1200, 700, 300, 428, 268}, {600, 480, 61.48, 208, 268}, {300, 200, 0, 0, 196}};
  for (const auto& z : sizes) {
    SCOPED_TRACE(z.width);
    const int before = window().recomputeCount();
    resizeClient(z.width, z.height);
    EXPECT_GT(window().recomputeCount(), before);
    for (const auto& r : rows)
      if (r.name[0] != 'I' && r.name[0] != 'P') expectNear(r.name, r.left, r.top, r.width, r.height);
    expectNear("Image1", 534.52, 4, z.imageWidth, z.imageWidth * 5 / 6);
    expectNear("Picture1", 4, z.top, z.side, z.side);
    expectNear("Picture2", 4 + z.side + 4, z.top, 2 * z.side, z.side);
  }
  resizeClient(720, 480);
  window().showMinimized();
  QTest::qWait(20);
  window().showNormal();
  (void)QTest::qWaitFor([&] { return window().centralWidget()->size() == QSize(720, 480); });  // asserted below
  ASSERT_EQ(window().centralWidget()->size(), QSize(720, 480));
  expectNear("Picture1", 4, 268, 208, 208);
}

// Files are added row by row; picture 0: the built-in one.
TEST_F(WindowTest, PictureAtStartComesFromTheFilesWhenTheyAreThere) {
  for (const auto& [file, k] : {std::pair{"", 0}, {"1.gif", 1}, {"mudr.gif", 9}}) {
    if (k) writePicture(file, k);
    closeWindow();
    const QPixmap shown = control<QLabel>("Image1")->pixmap();
    ASSERT_FALSE(shown.isNull()) << file;
    if (k) EXPECT_EQ(shown.toImage().pixelColor(0, 0), pictureColour(k)) << file;
    else EXPECT_EQ(shown.size(), QSize(300, 250));
    EXPECT_EQ(control("Image1")->property("pictureFile").toString().isEmpty(), !k) << file;
  }
}

// The window built under a German locale: the result captions take its comma, the value
// captions keep their point.
TEST_F(WindowTest, ResultsTakeTheDecimalSeparatorOfTheLocale) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  window();
  QLocale::setDefault(QLocale::c());
  EXPECT_EQ(QStringList({caption("Label13"), caption("Label18"), caption("Label12")}),
            QStringList({"w=4,824e+04 рад/с", "H=3,492e-01 м", "5.000e-04"}));
}

TEST(SymbolFont, LatinLettersShowAsTheGreekOfTheFont) {
  const char* rows[][2] = {{"a", "α"}, {"b", "β"}, {"q", "θ"}, {"w", "ω"}, {"f", "φ"}, {"c", "χ"}, {"D", "Δ"},
                           {"W", "Ω"}, {"J", "ϑ"}, {"abz", "αβζ"}, {"a, b=1", "α, β=1"}, {"Кл", "Кл"}, {"", ""}};
  for (const auto& [stored, shown] : rows)
    EXPECT_EQ(symbolFontToUnicode(QString::fromUtf8(stored)), QString::fromUtf8(shown)) << stored;
}

// The bar of the speed: 30000 at the top, 1 at the bottom. The wheel turned forward raises
// it, as the keys do, and it reports once. (Its ends, keys and mouse in the window, at the
// laid-out size, are the bars' tests'.)
TEST(VerticalBar, TheWheelRaisesItOnce) {
  VerticalBar bar{30000, 1, 100, 1000, 22000};
  QSignalSpy changes(&bar, &VerticalBar::valueChanged);
  bar.resize(22, 300);
  bar.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
  QScrollBar* inner = bar.scrollBar();
  const QPointF at = inner->rect().center();
  QWheelEvent wheel(at, inner->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
  QApplication::sendEvent(inner, &wheel);
  EXPECT_GT(bar.value(), 22000);
  ASSERT_EQ(changes.size(), 1);  // reported once, with the new value
  EXPECT_EQ(changes.front().front().toInt(), bar.value());
}

}  // namespace
}  // namespace larmor::test
