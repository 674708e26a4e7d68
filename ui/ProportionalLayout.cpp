#include "ui/ProportionalLayout.h"

#include <algorithm>

namespace larmor {

namespace {

constexpr double gapX = 4;         // left margin and gap between columns
constexpr double gapY = 4;         // top margin and gap between groups
constexpr double baseWidth = 132;  // labels of the first and fourth columns
constexpr double rowHeight = 24;   // one label, text box or button
constexpr double barWidth = baseWidth / 6;
constexpr double barHeight = 2 * rowHeight;

double right(const PlacedControl& c) { return c.left + c.width; }
double bottom(const PlacedControl& c) { return c.top + c.height; }

class Placer {
public:
  std::vector<PlacedControl> placed;

  const PlacedControl& add(const char* name, double left, double top, double width,
                           double height) {
    placed.push_back({name, left, top, width, height});
    return placed.back();
  }
  // A caption label with its value control directly below and its bar to the right;
  // returns the value control.
  PlacedControl group(const char* caption, const char* value, const char* bar, double left,
                      double top, double width) {
    const PlacedControl captionLabel = add(caption, left, top, width, rowHeight);
    const PlacedControl valueLabel = add(value, left, bottom(captionLabel), width, rowHeight);
    add(bar, right(captionLabel), captionLabel.top, barWidth, barHeight);
    return valueLabel;
  }
};

}  // namespace

std::vector<PlacedControl> proportionalLayout(double scaleWidth, double scaleHeight) {
  Placer p;
  p.placed.reserve(64);

  // Column 1: charge, mass, speed, the two angles.
  const double left1 = gapX;
  PlacedControl last = p.group("Label1", "Label4", "VScroll1", left1, gapY, baseWidth);
  last = p.group("Label2", "Label5", "VScroll2", left1, bottom(last) + gapY, baseWidth);
  last = p.group("Label9", "Label10", "VScroll4", left1, bottom(last) + gapY, baseWidth);
  last = p.group("Label15", "Label16", "VScroll6", left1, bottom(last) + gapY, baseWidth);
  const PlacedControl label25 =
      p.group("Label24", "Label25", "VScroll10", left1, bottom(last) + gapY, baseWidth);

  // Column 2: the field, the list of structures and the three text boxes.
  const double left2 = left1 + (1.0 / 6 + 1) * baseWidth + 2 * gapX;
  const double width2 = 0.88 * baseWidth;
  last = p.group("Label11", "Label12", "VScroll5", left2, gapY, width2);
  last = p.add("List1", left2, bottom(last) + gapY, (1.0 / 6 + 1) * width2, barHeight);
  last = p.add("Label27", left2, bottom(last) + gapY, width2, rowHeight);
  last = p.add("Text1", left2, bottom(last), width2, rowHeight);
  last = p.add("Label28", left2, bottom(last) + gapY, width2, rowHeight);
  last = p.add("Text3", left2, bottom(last), width2, rowHeight);
  const PlacedControl label8 = p.add("Label8", left2, bottom(last) + gapY, width2, rowHeight);
  p.add("Text2", left2, bottom(label8), width2, rowHeight);

  // Column 3: region, start point, then the slow-down slider with its value below.
  const double left3 = left2 + (1.0 / 6 + 1) * width2 + 2 * gapX;
  const double width3 = 0.5 * baseWidth;
  last = p.group("Label3", "Label6", "VScroll3", left3, gapY, width3);
  last = p.group("Label7", "Label19", "VScroll7", left3, bottom(last) + gapY, width3);
  last = p.group("Label20", "Label21", "VScroll8", left3, bottom(last) + gapY, width3);
  last = p.group("Label22", "Label23", "VScroll9", left3, bottom(last) + gapY, width3);
  const PlacedControl slider =
      p.add("HScroll1", left3, bottom(last) + 2 * gapY, width3 + barWidth, rowHeight);
  const double width29 = slider.width / 4;
  p.add("Label29", slider.left + slider.width / 2 - width29 / 2, bottom(slider), width29,
        rowHeight);

  // Column 4: the outputs, each row after a gap, and the start button (half as wide,
  // centred in the column, level with the run-length box).
  const double left4 = left3 + (1.0 / 6 + 1) * width3 + 3 * gapX;
  last = p.add("Label13", left4, gapY, baseWidth, rowHeight);
  for (const char* name : {"Label14", "Label17", "Label18", "Label26"}) {
    last = p.add(name, left4, bottom(last) + gapY, baseWidth, rowHeight);
  }
  const PlacedControl label26 = last;
  p.add("CmdOK", left4 + width3 / 2, label8.top + rowHeight / 2, width3, rowHeight);

  // The illustration: what is left of the width, 300 at most, 6 : 5.
  const double imageLeft = right(label26) + gapX;
  const double imageWidth = std::clamp(scaleWidth - imageLeft - gapX, 0.0, 300.0);
  p.add("Image1", imageLeft, gapY, imageWidth, imageWidth * 5 / 6);

  // The pictures fill the height below the panel; their widths follow their height.
  const double pictureSide = std::max(0.0, scaleHeight - bottom(label25) - 3 * gapY);
  const PlacedControl picture1 =
      p.add("Picture1", gapX, scaleHeight - pictureSide - gapY, pictureSide, pictureSide);
  p.add("Picture2", right(picture1) + gapX, picture1.top, 2 * picture1.width, pictureSide);
  return std::move(p.placed);
}

}  // namespace larmor
