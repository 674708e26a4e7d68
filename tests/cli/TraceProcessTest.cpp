// The real larmor-trace binary, run as a user runs it.
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

int count(const QImage& image, const QRect& area, QRgb colour) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
  return n;
}

TEST(TraceProcess, StartUpRunAsSummaryCsvAndPicture) {
  const Outcome summary = trace({QStringLiteral("--summary")});
  ASSERT_EQ(summary.exitCode, 0) << summary.err.toStdString();
  const QJsonObject s = QJsonDocument::fromJson(summary.out).object();
  EXPECT_EQ(s.value(QStringLiteral("captions")).toArray().toVariantList(),
            QVariantList({QStringLiteral("w=4.824e+04 рад/с"), QStringLiteral("T=1.302e-04 с"),
                          QStringLiteral("R=4.526e-01 м"), QStringLiteral("H=3.492e-01 м")}));
  EXPECT_EQ(s.value(QStringLiteral("steps")).toInt(), 2501);
  EXPECT_EQ(s.value(QStringLiteral("dV")).toString(), QStringLiteral("dV=0.0001%"));

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("views.png"));
  for (const auto& [w, charge, trail] : {std::tuple{208, "1", qRgb(255, 0, 0)}, {150, "-2", qRgb(0, 0, 255)}}) {
    const Outcome o = trace({QStringLiteral("--png"), path, QStringLiteral("--width"), QString::number(w),
                             QStringLiteral("--charge"), QString::fromLatin1(charge)});
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    const QList<QByteArray> lines = o.out.trimmed().split('\n');  // the CSV still goes to standard output
    ASSERT_EQ(lines.size(), 2502);
    EXPECT_EQ(lines.front(), "step,t,x,y,z,vx,vy,vz,dV");
    for (int i = 1; i < 2502; ++i)  // whole rows across the writer's buffer flushes
      ASSERT_TRUE(lines[i].startsWith(QByteArray::number(i) + ',') && lines[i].count(',') == 8) << lines[i].data();
    const QList<QByteArray> last = lines.back().split(',');
    EXPECT_NEAR(std::hypot(last[5].toDouble(), last[6].toDouble(), last[7].toDouble()), 22000, 22000 * 1e-5);
    const double end[] = {1.015, 0.524, 4.733};
    for (int i = 0; i < 3 && w == 208; ++i) {
      EXPECT_NEAR(last[2 + i].toDouble(), end[i], 5e-4);
      EXPECT_EQ(last[2 + i].toDouble(), s.value(QString(QChar(u'x' + i))).toDouble());  // shortest round trip
    }

    const QImage image(path);
    ASSERT_EQ(image.size(), QSize(3 * w + 4, w));
    EXPECT_EQ(count(image, QRect(w, 0, 4, w), qRgb(255, 255, 255)), 4 * w);  // the gap
    for (const QRect& view : {QRect(0, 0, w, w), QRect(w + 4, 0, 2 * w, w)}) {
      EXPECT_GT(count(image, view, qRgb(128, 255, 128)), 4 * w);  // the grid
      EXPECT_GT(count(image, view, qRgb(255, 0, 255)), w);        // the field marks
      EXPECT_GT(count(image, view, trail), w / 2);                // the trail and marker
    }
    // The XZ marker is painted last, centred on the end point (region 5).
    const double x = last[2].toDouble(), z = last[4].toDouble();
    const QPoint centre(w + 4 + static_cast<int>((z + 5) / 10 * 2 * w), static_cast<int>((2.5 - x) / 5 * w));
    EXPECT_EQ(count(image, QRect(centre - QPoint(2, 2), QSize(5, 5)), trail), 25) << centre.x() << "," << centre.y();
  }
}

TEST(TraceProcess, OptionsActInTheirOrder) {
  const struct {
    QStringList arguments;
    int steps;
    const char* texts[2];  // in the JSON
  } rows[] = {
      {{"--sep", ","}, 2501, {"\"w=4,824e+04 рад/с\"", "\"dV\": \"dV=0,0001%\""}},
      {{"--speed", "30000", "--speed", "22000"}, 2501, {"\"R=4.526e-01 м\"", "\"H=3.492e-01 м\""}},
      {{"--charge", "0"}, 2501, {"\"T - бесконечен\"", "\"R - бесконечен\""}},  // the start-up period kept
      {{"--periods", "-1"}, 0, {"\"dV\": \"Точность вычислений\"", "\"x\": 1, \"y\": 0.5, \"z\": -4,"}},
  };
  for (const auto& row : rows) {
    const Outcome o = trace(row.arguments + QStringList{QStringLiteral("--summary")});
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(o.out)[QStringLiteral("steps")].toInt(), row.steps) << o.out.toStdString();
    for (const char* text : row.texts) EXPECT_TRUE(o.out.contains(text)) << text << " in " << o.out.toStdString();
  }
}

TEST(TraceProcess, BadInputAndUnwritablePictureFailWithOneLineAndNothingOnStandardOutput) {
  const struct {
    QStringList arguments;
    int exitCode;
    const char* mentions;
  } rows[] = {{{"--alpha", "181"}, 2, "--alpha"}, {{"--charge"}, 2, "--charge"}, {{"--png", "/nonexistent/v.png"}, 1, "v.png"}};
  for (const auto& row : rows) {
    const Outcome o = trace(row.arguments + QStringList{QStringLiteral("--summary")});
    EXPECT_EQ(o.exitCode, row.exitCode) << row.mentions;
    EXPECT_TRUE(o.out.isEmpty()) << row.mentions;
    EXPECT_EQ(o.err.count('\n'), 1) << o.err.toStdString();
    EXPECT_TRUE(o.err.contains(row.mentions)) << o.err.toStdString();
  }
  const Outcome help = trace({QStringLiteral("--help")});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.contains("--periods"));
}

}  // namespace
