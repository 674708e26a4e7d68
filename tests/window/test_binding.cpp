// The window's widgets bound to the control panel, both ways: a user's key on a bar or in a
// box reaches the panel, and what the panel then holds, or sets itself, shows on every
// widget without coming back as a user's change; and every choice of a structure in the list.
#include "WindowTestSupport.h"

#include <functional>

namespace larmor::test {
namespace {

class BindingTest : public WindowTest {
protected:
  // The bound controls that reported a change, by name, from now on.
  std::vector<std::string> reported;
  void recordChanges() {
    for (const char* name : barNames) {
      auto note = [this, name] { reported.push_back(name); };
      if (auto* vertical = qobject_cast<VerticalBar*>(control(name))) QObject::connect(vertical, &VerticalBar::valueChanged, note);
      else QObject::connect(control<QScrollBar>(name), &QScrollBar::valueChanged, note);
    }
    for (const char* name : textNames)
      QObject::connect(control<QLineEdit>(name), &QLineEdit::textChanged, [this, name] { reported.push_back(name); });
  }
  // What the two pictures show, markers included.
  std::pair<QImage, QImage> pictures() { return {control("Picture1")->grab().toImage(), control("Picture2")->grab().toImage()}; }
};

// One after the other, from the second trap (both boxes shown). key: on a bar, which then
// stands at position; typed: into a box over its whole text, keystroke by keystroke
// (nothing: Delete); recomputes: once per change, once per keystroke, never for the
// slow-down and the run length; redraws: the change alters what the pictures show. The
// panel holds what the widget shows when every widget shows what the panel holds.
TEST_F(BindingTest, EveryBarAndBoxReachesThePanelAndThePanelEveryWidget) {
  writeAllPictures();
  showWindow();
  select("Ловушка-2");
  const struct { const char* name; Qt::Key key; int position; const char* typed; int recomputes; bool redraws; } rows[] = {
      {"VScroll1", Qt::Key_Down, 0, nullptr, 1, true},  // a neutral particle: black
      {"VScroll1", Qt::Key_PageDown, -2, nullptr, 1, true},
      {"VScroll2", Qt::Key_Down, 0, nullptr, 1, false},
      {"VScroll3", Qt::Key_Up, 6, nullptr, 1, true},
      {"VScroll4", Qt::Key_PageUp, 23000, nullptr, 1, false},
      {"VScroll5", Qt::Key_Up, 10010, nullptr, 1, false},
      {"VScroll6", Qt::Key_Up, 84, nullptr, 1, true},  // and the velocity picture
      {"VScroll7", Qt::Key_Down, 2, nullptr, 1, true},
      {"VScroll8", Qt::Key_Up, 6, nullptr, 1, true},
      {"VScroll9", Qt::Key_Down, -41, nullptr, 1, true},
      {"VScroll10", Qt::Key_PageDown, 50, nullptr, 1, true},
      {"HScroll1", Qt::Key_Right, 4, nullptr, 0, false},
      {"Text1", {}, 0, "12.5", 4, true},
      {"Text3", {}, 0, "", 1, true},
      {"Text2", {}, 0, "2.5", 0, false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const int before = window().recomputeCount();
    const auto drawn = pictures();
    if (r.typed) typeInto(r.name, QString::fromUtf8(r.typed));
    else QTest::keyClick(innerBar(r.name), r.key);
    EXPECT_EQ(r.typed ? control<QLineEdit>(r.name)->text().toStdString() : std::to_string(barValue(r.name)),
              r.typed ? r.typed : std::to_string(r.position));
    EXPECT_EQ(window().recomputeCount() - before, r.recomputes);
    EXPECT_EQ(pictures() != drawn, r.redraws);
    expectShowsPanel();
  }
}

// From the start state: the S box rewritten and the z bar moved; both bars moved; the x bar
// moved back. The widgets show what the selection set without a change signal, so no
// handler runs twice; the picture is the structure's when its file is there, else the one
// shown before.
TEST_F(BindingTest, WhatASelectionSetsShowsWithoutComingBackAsAUsersChange) {
  for (const bool withPictures : {false, true}) {
    SCOPED_TRACE(withPictures ? "pictures present" : "pictures absent");
    closeWindow();
    if (withPictures) writeAllPictures();
    showWindow();
    recordChanges();
    const QColor startPicture = image1Colour();
    const struct { const char* entry; int recomputes; } rows[] = {
        {"Магнитный монополь", 3}, {"Ловушка-2", 3}, {"Однородное поле", 2}};
    for (const auto& r : rows) {
      SCOPED_TRACE(r.entry);
      const int before = window().recomputeCount();
      select(r.entry);
      EXPECT_EQ(window().recomputeCount() - before, r.recomputes);
      EXPECT_EQ(reported, std::vector<std::string>());
      expectShowsPanel();
      if (!withPictures) {
        EXPECT_EQ(image1Colour(), startPicture);
      }
    }
  }
}

// The selection runs on every choice of an entry, once: a click on a new entry, a click on
// the entry already chosen (which brings its picture back after a velocity change), a
// double click (its first click chooses), and a key that moves the choice.
TEST_F(BindingTest, EveryChoiceOfAnEntryRunsTheSelectionOnce) {
  writeAllPictures();
  showWindow();
  auto* list = control<QListWidget>("List1");
  std::vector<int> configs;  // fieldConfig at every recompute
  QObject::connect(&window(), &Form1::recomputed, [&] { configs.push_back(window().state().fieldConfig); });
  auto centre = [list](int row) { list->scrollToItem(list->item(row)); return list->visualItemRect(list->item(row)).center(); };
  const struct { const char* gesture; std::function<void()> act; std::vector<int> runs; int picture; } rows[] = {
      {"click on the chosen entry", [&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre(0)); }, {1}, 1},
      {"velocity angle", [&] { QTest::keyClick(innerBar("VScroll6"), Qt::Key_Up); }, {1}, 8},
      {"click on the chosen entry", [&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre(0)); }, {1}, 1},
      {"click on a new entry", [&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre(1)); }, {2}, 2},
      {"double click", [&] {  // press, release, then the second press as a double click, release
         QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre(1));
         QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre(1));
         QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centre(1)); }, {2}, 2},
      {"key down", [&] { QTest::keyClick(list, Qt::Key_Down); }, {3}, 3},
      {"key up", [&] { QTest::keyClick(list, Qt::Key_Up); }, {2}, 2},
      {"right button on the chosen entry", [&] { QTest::mouseClick(list->viewport(), Qt::RightButton, {}, centre(1)); }, {}, 2},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.gesture);
    configs.clear();
    r.act();
    EXPECT_EQ(configs, r.runs);
    EXPECT_EQ(image1Colour(), pictureColour(r.picture));
  }
}

}  // namespace
}  // namespace larmor::test
