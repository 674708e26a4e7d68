// The real larmor-trace binary, run as a user runs it: it must print what its own parts compute.
#include "cli/PanelScript.h"
#include "cli/TraceOptions.h"
#include "cli/TraceRun.h"
#include "cli/TraceWriters.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "TraceProcess.h"

#include <gtest/gtest.h>

namespace larmor {
namespace {

using test::Outcome;
using test::trace;

int count(const QImage& image, const QRect& area, QRgb colour) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
  return n;
}

// Options act in their order, a repeat undoing the one before, with the separator asked for;
// the CSV holds whole rows across the writer's buffer flushes and ends at the summary's point.
TEST(TraceProcess, SummaryAndCsvAreWhatThePanelAndRunCompute) {
  const QStringList rows[] = {{}, {"--sep", ","}, {"--speed", "30000", "--speed", "22000"}, {"--charge", "0"},
                              {"--periods", "-1"}, {"--config", "7", "--S", "1,5", "--alpha", "90"}};
  for (const QStringList& arguments : rows) {
    const TraceParse parse = parseTraceOptions(QStringList{"larmor-trace"} + arguments);
    ASSERT_TRUE(parse.ok()) << parse.error;
    ControlPanel panel(parse.options.separator);
    applyTraceOptions(panel, parse.options);
    const TraceResult r = runTrace(panel, nullptr, nullptr);
    const SimulationState& s = panel.state();
    const Outcome summary = trace(arguments + QStringList{"--summary"}), csv = trace(arguments);
    ASSERT_EQ(summary.exitCode + csv.exitCode, 0) << summary.err.toStdString() << csv.err.toStdString();
    EXPECT_TRUE(summary.err.isEmpty() && csv.err.isEmpty() && summary.out.contains("\"complete\": true"));
    EXPECT_EQ(summary.out.toStdString(), summaryJson(resultCaptions(panel), r.steps, true, s.x, s.y, s.z, r.accuracyText));
    const QList<QByteArray> lines = csv.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), r.steps + 1);
    EXPECT_EQ(lines.front(), "step,t,x,y,z,vx,vy,vz,dV");
    for (int i = 1; i <= r.steps; ++i)
      ASSERT_TRUE(lines[i].startsWith(QByteArray::number(i) + ',') && lines[i].count(',') == 8) << lines[i].data();
    if (r.steps) {
      EXPECT_EQ(lines.back().split(',').mid(2, 3).join(',').toStdString(),
                numberText(s.x) + ',' + numberText(s.y) + ',' + numberText(s.z));
    }
  }
}

// The start-up run makes 2501 steps: 2500 cut it just before its end time, 2501 let it end
// there. A cut run writes all it made, says so in one line on stderr and still exits 0.
TEST(TraceProcess, ARunCutAtItsStepLimitSaysSoAndIsNotComplete) {
  for (const auto& [limit, cut] : {std::pair{2500, true}, {2501, false}}) {
    SCOPED_TRACE(limit);
    const QStringList arguments{"--max-steps", QString::number(limit)};
    const Outcome summary = trace(arguments + QStringList{"--summary"}), csv = trace(arguments);
    EXPECT_EQ(std::pair(summary.exitCode, csv.exitCode), std::pair(0, 0));
    EXPECT_TRUE(summary.out.contains(cut ? "\"steps\": 2500, \"complete\": false" : "\"steps\": 2501, \"complete\": true"))
        << summary.out.toStdString();
    EXPECT_EQ(csv.out.trimmed().split('\n').size(), (cut ? 2500 : 2501) + 1);
    for (const QByteArray& err : {summary.err, csv.err}) {
      EXPECT_EQ(err.count('\n'), cut ? 1 : 0) << err.toStdString();
      EXPECT_EQ(err.contains("cut after 2500 steps"), cut) << err.toStdString();
    }
  }
}

TEST(TraceProcess, PictureShowsBothViewsWithTheTrailInTheChargesColour) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("views.png"));
  for (const auto& [w, charge, trail] : {std::tuple{208, "1", qRgb(255, 0, 0)}, {150, "-2", qRgb(0, 0, 255)}}) {
    const Outcome o = trace({"--png", path, "--width", QString::number(w), "--charge", charge});
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    const QList<QByteArray> last = o.out.trimmed().split('\n').back().split(',');  // the CSV still on stdout
    const QImage image(path);
    ASSERT_EQ(image.size(), QSize(3 * w + 4, w));
    EXPECT_EQ(count(image, QRect(w, 0, 4, w), qRgb(255, 255, 255)), 4 * w);  // the gap
    for (const QRect& view : {QRect(0, 0, w, w), QRect(w + 4, 0, 2 * w, w)}) {
      EXPECT_GT(count(image, view, qRgb(128, 255, 128)), 4 * w);  // the grid
      EXPECT_GT(count(image, view, qRgb(255, 0, 255)), w);        // the field marks
      EXPECT_GT(count(image, view, trail), w / 2);                // the trail and marker
    }
    // The XZ marker is painted last, centred on the end point (region 5).
    const QPoint centre(w + 4 + int((last[4].toDouble() + 5) / 10 * 2 * w), int((2.5 - last[2].toDouble()) / 5 * w));
    EXPECT_EQ(count(image, QRect(centre - QPoint(2, 2), QSize(5, 5)), trail), 25) << centre.x() << "," << centre.y();
  }
}

// What --help says of the two options that shape the output, held to what they do: where
// the separator goes and its default, what the width measures and its default.
TEST(TraceProcess, HelpSaysWhatTheSeparatorAndTheWidthDo) {
  const QString help = QString::fromUtf8(trace({"--help"}).out);
  const auto line = [&help](const char* option) {
    for (const QString& text : help.split(QLatin1Char('\n')))
      if (text.trimmed().startsWith(QLatin1String(option) + QLatin1Char(' '))) return text;
    return QString();
  };
  const QRegularExpression defaultValue(QStringLiteral("\\(default ([^)\\s]+)\\)"));
  const QRegularExpressionMatch separator = defaultValue.match(line("--sep"));
  ASSERT_TRUE(separator.hasMatch()) << line("--sep").toStdString();
  EXPECT_TRUE(line("--sep").contains(QStringLiteral("captions")) && line("--sep").contains(QStringLiteral("CSV")));
  const QRegularExpression caption(QStringLiteral("\"T=\\d(\\D)\\d{3}e-\\d\\d с\""));
  const Outcome plain = trace({"--summary", "--periods", "1"}), semicolon = trace({"--summary", "--periods", "1", "--sep", ";"});
  EXPECT_EQ(caption.match(QString::fromUtf8(plain.out)).captured(1), separator.captured(1)) << plain.out.toStdString();
  EXPECT_EQ(caption.match(QString::fromUtf8(semicolon.out)).captured(1), QStringLiteral(";")) << semicolon.out.toStdString();
  EXPECT_EQ(trace({"--periods", "1", "--sep", ";"}).out, trace({"--periods", "1"}).out) << "the CSV keeps its point";

  const QRegularExpressionMatch width = defaultValue.match(line("--width"));
  ASSERT_TRUE(width.hasMatch() && line("--width").contains(QStringLiteral("X0Y"))) << line("--width").toStdString();
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("views.png"));
  ASSERT_EQ(trace({"--png", path, "--periods", "1", "--summary"}).exitCode, 0);
  EXPECT_EQ(QImage(path).height(), width.captured(1).toInt()) << "the square X0Y view's side";
}

TEST(TraceProcess, BadInputAndUnwritablePictureFailWithOneLineAndNothingOnStandardOutput) {
  // A refused option (each refusal's words are the option tests') and an unwritable picture.
  const struct { QStringList arguments; int exitCode; const char* mentions; } rows[] = {
      {{"--alpha", "181"}, 2, "--alpha"}, {{"--png", "/nonexistent/v.png"}, 1, "v.png"}};
  for (const auto& row : rows) {
    const Outcome o = trace(row.arguments + QStringList{"--summary"});
    EXPECT_EQ(o.exitCode, row.exitCode) << row.mentions;
    EXPECT_TRUE(o.out.isEmpty()) << row.mentions;
    EXPECT_EQ(o.err.count('\n'), 1) << o.err.toStdString();
    EXPECT_TRUE(o.err.contains(row.mentions)) << o.err.toStdString();
  }
  const Outcome help = trace({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.contains("--periods"));
}

}  // namespace
}  // namespace larmor
