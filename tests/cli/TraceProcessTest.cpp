// The real larmor-trace binary, run as a user runs it.
#include <QColor>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Outcome {
  int exitCode = -1;
  QByteArray out, err;
};

Outcome trace(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral(LARMOR_TRACE_BINARY), arguments);
  EXPECT_TRUE(process.waitForFinished(120000));
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
          process.readAllStandardError()};
}

QJsonObject summary(const QStringList& arguments) {
  const Outcome o = trace(arguments + QStringList{QStringLiteral("--summary")});
  EXPECT_EQ(o.exitCode, 0) << o.err.toStdString();
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(o.out, &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << o.out.toStdString();
  return document.object();
}

QStringList captions(const QJsonObject& s) {
  QStringList texts;
  for (const auto& v : s.value(QStringLiteral("captions")).toArray()) texts << v.toString();
  return texts;
}

TEST(TraceProcess, SummaryOfTheStartUpState) {
  const QJsonObject s = summary({});
  EXPECT_EQ(captions(s), (QStringList{QStringLiteral("w=4.824e+04 рад/с"), QStringLiteral("T=1.302e-04 с"),
                                      QStringLiteral("R=4.526e-01 м"), QStringLiteral("H=3.492e-01 м")}));
  EXPECT_EQ(s.value(QStringLiteral("steps")).toInt(), 2501);
  EXPECT_NEAR(s.value(QStringLiteral("x")).toDouble(), 1.015, 5e-4);
  EXPECT_NEAR(s.value(QStringLiteral("y")).toDouble(), 0.524, 5e-4);
  EXPECT_NEAR(s.value(QStringLiteral("z")).toDouble(), 4.733, 5e-4);
  EXPECT_EQ(s.value(QStringLiteral("dV")).toString(), QStringLiteral("dV=0.0001%"));
}

TEST(TraceProcess, CsvHasOneRowPerStepEndingWhereTheSummaryEnds) {
  const Outcome o = trace({});
  ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
  const QList<QByteArray> lines = o.out.trimmed().split('\n');
  ASSERT_EQ(lines.size(), 2502);
  EXPECT_EQ(lines.front(), "step,t,x,y,z,vx,vy,vz,dV");
  const QList<QByteArray> last = lines.back().split(',');
  ASSERT_EQ(last.size(), 9);
  EXPECT_EQ(last[0], "2501");
  const QJsonObject s = summary({});
  // Shortest round-trip text: the same doubles in both outputs.
  EXPECT_EQ(last[2].toDouble(), s.value(QStringLiteral("x")).toDouble());
  EXPECT_EQ(last[3].toDouble(), s.value(QStringLiteral("y")).toDouble());
  EXPECT_EQ(last[4].toDouble(), s.value(QStringLiteral("z")).toDouble());
  // The speed stays 22000 m/s to the shown accuracy.
  const double speed = std::hypot(last[5].toDouble(), last[6].toDouble(), last[7].toDouble());
  EXPECT_NEAR(speed, 22000, 22000 * 1e-5);
}

TEST(TraceProcess, SeparatorAndOptionsInTheirOrder) {
  const QJsonObject comma = summary({QStringLiteral("--sep"), QStringLiteral(",")});
  EXPECT_EQ(captions(comma).value(0), QStringLiteral("w=4,824e+04 рад/с"));
  EXPECT_EQ(comma.value(QStringLiteral("dV")).toString(), QStringLiteral("dV=0,0001%"));

  // Charge 0 keeps the start-up period: the run is as long as at start-up, on a line.
  const QJsonObject neutral = summary({QStringLiteral("--charge"), QStringLiteral("0")});
  EXPECT_EQ(captions(neutral).value(1), QStringLiteral("T - бесконечен"));
  EXPECT_EQ(neutral.value(QStringLiteral("steps")).toInt(), 2501);

  // No period before the zero charge but a doubled one with the mass first.
  const QJsonObject massFirst = summary({QStringLiteral("--mass"), QStringLiteral("2"), QStringLiteral("--charge"),
                                         QStringLiteral("0"), QStringLiteral("--periods"), QStringLiteral("1")});
  const QJsonObject chargeFirst = summary({QStringLiteral("--charge"), QStringLiteral("0"), QStringLiteral("--mass"),
                                           QStringLiteral("2"), QStringLiteral("--periods"), QStringLiteral("1")});
  EXPECT_EQ(massFirst.value(QStringLiteral("steps")).toInt(), chargeFirst.value(QStringLiteral("steps")).toInt());
  const double zMassFirst = massFirst.value(QStringLiteral("z")).toDouble() + 4;
  const double zChargeFirst = chargeFirst.value(QStringLiteral("z")).toDouble() + 4;
  EXPECT_NEAR(zMassFirst / zChargeFirst, 2.0, 1e-6);  // twice the time at the same speed

  // No step at all: the accuracy label keeps its design caption.
  const QJsonObject none = summary({QStringLiteral("--periods"), QStringLiteral("-1")});
  EXPECT_EQ(none.value(QStringLiteral("steps")).toInt(), 0);
  EXPECT_EQ(none.value(QStringLiteral("dV")).toString(), QStringLiteral("Точность вычислений"));
  EXPECT_EQ(none.value(QStringLiteral("x")).toDouble(), 1.0);
  EXPECT_EQ(none.value(QStringLiteral("z")).toDouble(), -4.0);
}

struct BadRow {
  const char* name;
  QStringList arguments;
  const char* mentions;
};

TEST(TraceProcess, BadInputExitsWithTwoAndOneLineOnStandardError) {
  const std::vector<BadRow> rows{
      {"unknown option", {QStringLiteral("--colour")}, "--colour"},
      {"missing value", {QStringLiteral("--charge")}, "--charge"},
      {"not a number", {QStringLiteral("--speed"), QStringLiteral("x")}, "--speed"},
      {"out of range", {QStringLiteral("--alpha"), QStringLiteral("181")}, "--alpha"},
      {"field off its grid", {QStringLiteral("--field"), QStringLiteral("3e-8")}, "--field"},
      {"start point off its grid", {QStringLiteral("--x0"), QStringLiteral("0.15")}, "--x0"},
      {"positional argument", {QStringLiteral("now")}, "now"},
  };
  for (const BadRow& row : rows) {
    const Outcome o = trace(row.arguments + QStringList{QStringLiteral("--summary")});
    EXPECT_EQ(o.exitCode, 2) << row.name;
    EXPECT_TRUE(o.out.isEmpty()) << row.name;
    EXPECT_EQ(o.err.count('\n'), 1) << row.name << ": " << o.err.toStdString();
    EXPECT_TRUE(o.err.contains(row.mentions)) << row.name << ": " << o.err.toStdString();
  }
  const Outcome help = trace({QStringLiteral("--help")});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.contains("--periods"));
}

int count(const QImage& image, const QRect& area, QRgb colour) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
  return n;
}

TEST(TraceProcess, PictureShowsBothViewsAfterTheRun) {
  QTemporaryDir dir;
  struct Row {
    int width;
    const char* charge;
    QRgb trail;
  };
  for (const Row row : {Row{208, "1", qRgb(255, 0, 0)}, Row{150, "-2", qRgb(0, 0, 255)}}) {
    const QString path = dir.filePath(QStringLiteral("views.png"));
    const Outcome o = trace({QStringLiteral("--png"), path, QStringLiteral("--width"), QString::number(row.width),
                             QStringLiteral("--charge"), QString::fromLatin1(row.charge)});
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_EQ(o.out.count('\n'), 2502);  // the CSV still goes to standard output
    const QImage image(path);
    ASSERT_EQ(image.size(), QSize(3 * row.width + 4, row.width));
    const int w = row.width;
    const QRect xy(0, 0, w, w), gap(w, 0, 4, w), xz(w + 4, 0, 2 * w, w);
    EXPECT_EQ(count(image, gap, qRgb(255, 255, 255)), 4 * w);
    for (const QRect& view : {xy, xz}) {
      EXPECT_GT(count(image, view, qRgb(128, 255, 128)), 4 * w);  // the grid
      EXPECT_GT(count(image, view, qRgb(255, 0, 255)), w);        // the field marks
      EXPECT_GT(count(image, view, row.trail), w / 2);            // the trail and marker
    }
    // The XZ marker is painted last, centred on the end point: its middle is the trail colour
    // whatever lies under it. End point (x, z) from the last CSV row; region 5.
    const QList<QByteArray> last = o.out.trimmed().split('\n').back().split(',');
    const double x = last[2].toDouble(), z = last[4].toDouble();
    const QPoint centre(w + 4 + static_cast<int>((z + 5) / 10 * 2 * w), static_cast<int>((2.5 - x) / 5 * w));
    EXPECT_EQ(count(image, QRect(centre - QPoint(2, 2), QSize(5, 5)), row.trail), 25)
        << "marker at " << centre.x() << "," << centre.y();
  }
}

TEST(TraceProcess, UnwritablePictureFailsBeforeAnyOutput) {
  const Outcome o = trace({QStringLiteral("--png"), QStringLiteral("/nonexistent-folder/v.png")});
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_TRUE(o.out.isEmpty());
  EXPECT_TRUE(o.err.contains("v.png"));
}

}  // namespace
