// The real larmor-trace binary, run as a user runs it: it must print what its own parts
// compute. The summary with --theory holds the theory object of every field structure, null
// where a run could not measure; --scenario FILE sets the controls as the lesson's own
// options would, later options change it, and a file that cannot be taken stops the
// companion with one line naming its first problem; an ensemble's slices run as separate
// processes merge to the summary of one whole run, bit for bit.
#include "panel/CpuState.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "TraceProcess.h"
#include "tests/FileBytes.h"

#include <gtest/gtest.h>

#include <cmath>

#include <tuple>

namespace larmor {
namespace {

using test::expectRefusal;
using test::fileBytes;
using test::Outcome;
using test::trace;

int count(const QImage& image, const QRect& area, QRgb colour) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
  return n;
}

// The start-up run as the window shows it: the captions of the start-up state, 2501 steps
// with a speed error of a ten-thousandth of a per cent (where it ends is the model's test);
// the CSV holds whole rows across the writer's buffer flushes and ends at the summary's point.
TEST(TraceProcess, TheStartUpRunAsSummaryAndCsv) {
  const Outcome summary = trace({"--summary"}), csv = trace({});
  ASSERT_EQ(summary.exitCode + csv.exitCode, 0) << summary.err.toStdString() << csv.err.toStdString();
  EXPECT_TRUE(summary.err.isEmpty() && csv.err.isEmpty());
  const QJsonObject json = QJsonDocument::fromJson(summary.out).object();
  EXPECT_EQ(json.value("captions").toArray().toVariantList(),
            QVariantList({"w=4.824e+04 рад/с", "T=1.302e-04 с", "R=4.526e-01 м", "H=3.492e-01 м"}));
  EXPECT_EQ(json.value("steps").toInt(), 2501);
  EXPECT_TRUE(json.value("complete").toBool() && !json.contains("stopped"));
  EXPECT_EQ(json.value("dV").toString(), QStringLiteral("dV=0.0001%"));
  const QList<QByteArray> lines = csv.out.trimmed().split('\n');
  ASSERT_EQ(lines.size(), 2502);
  EXPECT_EQ(lines.front(), "step,t,x,y,z,vx,vy,vz,dV");
  for (int i = 1; i < lines.size(); ++i)
    ASSERT_TRUE(lines[i].startsWith(QByteArray::number(i) + ',') && lines[i].count(',') == 8) << lines[i].data();
  const QList<QByteArray> last = lines.back().split(',');
  EXPECT_EQ(std::tuple(last[2].toDouble(), last[3].toDouble(), last[4].toDouble()),
            std::tuple(json.value("x").toDouble(), json.value("y").toDouble(), json.value("z").toDouble()));
}

// Every way a run ends, as the companion tells it: only a run to its end time is complete;
// any other says why in the summary and in one line on standard error, writes every step
// it made and no step that did not happen, and still exits 0.
TEST(TraceProcess, EveryStopIsToldAndNoStepThatDidNotHappenIsWritten) {
  const struct {
    QStringList arguments;
    int steps;
    const char* stopped;  // null for a complete run
    const char* says;     // in the line on standard error
  } rows[] = {
      {{"--max-steps", "2501"}, 2501, nullptr, ""},
      {{"--max-steps", "2500"}, 2500, "step limit", "cut after 2500 steps, before its end time"},
      {{"--config", "2", "--S", "0.01", "--x0", "-5"}, 0, "non-finite state", "stopped after 0 steps, before its end time"},
      {{"--config", "4", "--x0", "0", "--y0", "0"}, 0, "start on the axis", "made no step"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.arguments.join(' ').toStdString());
    const Outcome summary = trace(row.arguments + QStringList{"--summary"}), csv = trace(row.arguments);
    EXPECT_EQ(std::pair(summary.exitCode, csv.exitCode), std::pair(0, 0));
    const QJsonObject json = QJsonDocument::fromJson(summary.out).object();
    EXPECT_EQ(json.value("steps").toInt(), row.steps);
    EXPECT_EQ(json.value("complete").toBool(), row.stopped == nullptr);
    EXPECT_EQ(json.value("stopped").toString(), QString::fromLatin1(row.stopped ? row.stopped : ""));
    EXPECT_EQ(csv.out.trimmed().split('\n').size(), row.steps + 1);
    for (const QByteArray& err : {summary.err, csv.err}) {
      EXPECT_EQ(err.count('\n'), row.stopped ? 1 : 0) << err.toStdString();
      const QByteArray why = row.stopped ? QByteArray("(") + row.stopped + ")" : QByteArray();
      EXPECT_TRUE(err.contains(why) && err.contains(row.says)) << err.toStdString();
    }
  }
}

// A toolkit's start-up can leave the upper halves of the vector registers in use (the probe,
// preloaded, does so before main()); every call of the run's mathematics into pow and exp
// still finds them clean, in the structures that call them, with the theory measuring too.
TEST(TraceProcess, TheRunsMathematicsRunWithTheUpperRegisterStateClean) {
  if (!upperRegisterStateReadable()) GTEST_SKIP() << "this CPU does not report the upper register state (XGETBV 1)";
  for (const char* config : {"2", "4", "6", "7"}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LD_PRELOAD", QStringLiteral(LARMOR_MATH_PROBE));
    // The sanitizers' runtime need not come first: the probe only forwards to the maths library.
    environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(LARMOR_TRACE_BINARY), {"--config", config, "--periods", "3", "--summary", "--theory"});
    ASSERT_TRUE(process.waitForFinished(120000));
    const QString err = QString::fromUtf8(process.readAllStandardError());
    const QRegularExpressionMatch counts = QRegularExpression("math calls: (\\d+), dirty: (\\d+)").match(err);
    ASSERT_TRUE(counts.hasMatch()) << config << ": " << err.toStdString();
    EXPECT_GT(counts.captured(1).toLongLong(), 1000) << config;
    EXPECT_EQ(counts.captured(2).toLongLong(), 0) << config << ": " << err.toStdString();
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

// The picture in space seen from straight above at azimuth 90°: the screen's right is -OX
// and its down +OY, so the run's end point lands at (400 - s·x, 300 + s·y), s the pixels
// per metre of the region's bounding sphere (region 5: x, y within 2.5 m, z within 5 m)
// across the 600 px height.
TEST(TraceProcess, PictureInSpaceHasTheParticleWhereTheCameraPutsIt) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("space.png"));
  for (const auto& [charge, colour] : {std::pair{"1", qRgb(255, 0, 0)}, {"-2", qRgb(0, 0, 255)}}) {
    const Outcome o = trace({"--png3d", path, "--azimuth", "90", "--elevation", "90", "--charge", charge});
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    const QList<QByteArray> last = o.out.trimmed().split('\n').back().split(',');
    const QImage image(path);
    ASSERT_EQ(image.size(), QSize(800, 600));
    const double s = 600 / (2 * std::sqrt(2 * 2.5 * 2.5 + 5.0 * 5.0));
    const QPoint end(int(std::floor(400 - s * last[2].toDouble())), int(std::floor(300 + s * last[3].toDouble())));
    EXPECT_EQ(count(image, QRect(end - QPoint(1, 1), QSize(3, 3)), colour), 9) << end.x() << "," << end.y();
    EXPECT_GT(count(image, image.rect(), colour), 50);  // the helix, a circle from above
  }
  // From the side the uniform field's lines stand upright across the region's 10 m of z,
  // about 490 px of the default 600: two columns beside OZ (the third lies under the axis).
  // At a width asked for, the height keeps 4:3 and the whole picture is scaled with it.
  double defaultSpan = 0;
  for (const auto& [width, size] : {std::pair{"", QSize(800, 600)}, {"1001", QSize(1001, 751)}, {"200", QSize(200, 150)}}) {
    QStringList options{"--png3d", path, "--azimuth", "90", "--elevation", "0", "--summary"};
    if (*width) options << "--png3d-width" << width;
    ASSERT_EQ(trace(options).exitCode, 0) << width;
    const QImage side(path);
    ASSERT_EQ(side.size(), size);
    int top = size.height(), bottom = -1;
    for (int y = 0; y < size.height(); ++y)
      if (count(side, QRect(0, y, size.width(), 1), qRgb(255, 0, 255)) > 0) top = std::min(top, y), bottom = y;
    if (!*width) defaultSpan = bottom - top;
    EXPECT_NEAR(defaultSpan, 490, 8);
    EXPECT_NEAR(bottom - top, defaultSpan * size.height() / 600, 2) << width;
  }
}

// What --help says of the two options that shape the output, held to what they do: where
// the separator goes and its default, what the width measures and its default.
TEST(TraceProcess, HelpSaysWhatTheSeparatorAndTheWidthDo) {
  const Outcome helpRun = trace({"--help"});
  EXPECT_EQ(helpRun.exitCode, 0);
  const QString help = QString::fromUtf8(helpRun.out);
  const auto line = [&help](const char* option) {
    for (const QString& text : help.split(QLatin1Char('\n')))
      if (text.trimmed().startsWith(QLatin1String(option) + QLatin1Char(' '))) return text;
    return QString();
  };
  const QRegularExpression defaultValue(QStringLiteral("\\(default ([^)\\s]+)\\)"));
  EXPECT_FALSE(line("--periods").isEmpty());
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
  for (const auto& row : rows) expectRefusal(trace(row.arguments + QStringList{"--summary"}), row.exitCode, row.mentions);
}

// The summary's theory object; empty (and a failure) when the run or its JSON went wrong.
QJsonObject theory(const QStringList& arguments) {
  const Outcome o = trace(QStringList{"--summary", "--theory"} + arguments);
  EXPECT_EQ(o.exitCode, 0) << o.err.toStdString();
  QJsonParseError error{};
  const QJsonDocument document = QJsonDocument::fromJson(o.out, &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << o.out.toStdString();
  return document.object().value("theory").toObject();
}

double measured(const QJsonObject& theory, const char* key) {
  return theory.value(key).toObject().value("measured").toDouble(NAN);
}

// Each structure's own quantities and no other, each as a predicted/measured pair; the
// summary before the object is the summary without --theory, byte for byte.
TEST(TraceTheory, EveryStructureHasItsOwnKeysAfterTheUnchangedSummary) {
  const QStringList keys[] = {{"period", "radius", "pitch", "muSpread"},
                              {"driftVelocity", "muSpread"},
                              {"driftVelocity", "muSpread"},
                              {"muSpread", "turningField", "reflections", "bouncePeriod", "trapped"},
                              {"driftVelocity", "muSpread"},
                              {"poincareSpread", "coneAngleDeg", "muSpread"},
                              {"muSpread", "turningField", "reflections", "bouncePeriod", "trapped"}};
  for (int config = 1; config <= 7; ++config) {
    SCOPED_TRACE(config);
    const QStringList arguments{"--summary", "--config", QString::number(config)};
    const Outcome plain = trace(arguments), measuredRun = trace(arguments + QStringList{"--theory"});
    ASSERT_EQ(plain.exitCode + measuredRun.exitCode, 0) << plain.err.toStdString() << measuredRun.err.toStdString();
    EXPECT_TRUE(plain.err.isEmpty() && measuredRun.err.isEmpty());
    EXPECT_FALSE(plain.out.contains("theory"));
    EXPECT_TRUE(measuredRun.out.startsWith(plain.out.chopped(2) + ", \"theory\": {") && measuredRun.out.endsWith("}}\n"))
        << measuredRun.out.toStdString();

    const QJsonObject t = QJsonDocument::fromJson(measuredRun.out).object().value("theory").toObject();
    QStringList got = t.keys(), expected = keys[config - 1];
    got.sort(), expected.sort();
    EXPECT_EQ(got, expected);
    for (const QString& key : got) {
      const QJsonObject pair = t.value(key).toObject();
      EXPECT_EQ(pair.keys(), (QStringList{"holds", "measured", "predicted", "why"})) << key.toStdString();
      const QJsonValue holds = pair.value("holds");
      EXPECT_TRUE(holds.isNull() || QStringList({"yes", "marginal", "no"}).contains(holds.toString())) << key.toStdString();
      EXPECT_FALSE(pair.value("why").toString().isEmpty()) << key.toStdString();
    }
    // The default runs hold many gyrations: the invariant is measured, and kept to a few per cent
    // where the field is smooth on the scale of the gyration.
    if (config != 4) {
      EXPECT_LT(measured(t, "muSpread"), 0.1);
    }
  }
}

// Half a period holds no whole gyration: what is measured per gyration is null while its
// prediction stands; the monopole's J is measured at every step all the same. In the trap
// (gyrating faster where the field is stronger) half a period turns the particle back nowhere.
TEST(TraceTheory, AFractionOfAPeriodLeavesThePerGyrationQuantitiesNull) {
  const QJsonObject uniform = theory({"--periods", "0.5"});
  for (const char* key : {"period", "radius", "pitch", "muSpread"}) {
    EXPECT_TRUE(uniform.value(key).toObject().value("measured").isNull()) << key;
    EXPECT_TRUE(uniform.value(key).toObject().value("predicted").isDouble()) << key;
  }
  const QJsonObject trap = theory({"--config", "7", "--periods", "0.5"});
  for (const char* key : {"turningField", "bouncePeriod", "trapped"})
    EXPECT_TRUE(trap.value(key).toObject().value("measured").isNull()) << key;
  EXPECT_EQ(trap.value("reflections").toObject().value("measured"), QJsonValue(0));
  const QJsonObject monopole = theory({"--config", "6", "--periods", "0.5"});
  EXPECT_TRUE(monopole.value("poincareSpread").toObject().value("measured").isDouble());
  EXPECT_TRUE(monopole.value("muSpread").toObject().value("measured").isNull());
}

QString holds(const QJsonObject& theory, const char* key) {
  return theory.value(key).toObject().value("holds").toString(QStringLiteral("null"));
}

// The verdicts and their reasons are the model's (its tests judge them against the physics);
// here, that each grade reaches the JSON as the model gave it.
TEST(TraceTheory, VerdictsReachTheJsonAsGraded) {
  const QJsonObject nearAxis = theory({"--config", "3", "--speed", "3000", "--alpha", "90", "--beta", "-90", "--x0",
                                       "0.1", "--y0", "0", "--z0", "0", "--periods", "60"});
  EXPECT_EQ(holds(nearAxis, "driftVelocity"), "no");
  EXPECT_TRUE(nearAxis.value("driftVelocity").toObject().value("why").toString().contains("rho_gc"));
  EXPECT_EQ(holds(theory({}), "period"), "yes");
}

TEST(TraceTheory, RefusedWithoutTheSummary) {
  for (const QStringList& arguments : {QStringList{"--theory"}, QStringList{"--config", "2", "--theory", "--diagnostics"},
                                       QStringList{"--summary", "--theory=yes"}})
    expectRefusal(trace(arguments), 2, "--theory");
  EXPECT_TRUE(trace({"--theory"}).err.contains("only accepted together with --summary"));
}

// The options that name the same controls as the file, the structure first as the
// companion takes it; the slow-down and the picture do not change a run.
QStringList optionsOf(const QByteArray& file) {
  const QJsonObject json = QJsonDocument::fromJson(file).object();
  QStringList options{"--config", QString::number(json.value("config").toInt())};
  for (const char* key : {"charge", "mass", "speed", "alpha", "beta", "field", "region", "x0", "y0", "z0"})
    options << QStringLiteral("--") + key << QString::number(json.value(key).toDouble(), 'g', QLocale::FloatingPointShortest);
  for (const char* key : {"S", "d", "periods", "integrator"})
    options << QStringLiteral("--") + key << json.value(key).toString();
  return options;
}

// Every example lesson, alone and with options after it that change it.
TEST(ScenarioOption, ALessonRunsAsItsOwnOptionsDo) {
  const QStringList lessons = QDir(QStringLiteral(LARMOR_EXAMPLES_DIR)).entryList({"*.larmor"}, QDir::Files, QDir::Name);
  ASSERT_EQ(lessons.size(), 10);
  for (const QString& name : lessons) {
    SCOPED_TRACE(name.toStdString());
    const QString path = QStringLiteral(LARMOR_EXAMPLES_DIR "/") + name;
    const QStringList options = optionsOf(fileBytes(path));
    for (const QStringList& after : {QStringList{}, QStringList{"--integrator", "boris", "--speed", "12345", "--periods", "2"}}) {
      const Outcome byFile = trace(QStringList{"--scenario", path, "--summary"} + after);
      const Outcome byOptions = trace(options + QStringList{"--summary"} + after);
      ASSERT_EQ(byFile.exitCode, 0) << byFile.err.toStdString();
      ASSERT_EQ(byOptions.exitCode, 0) << byOptions.err.toStdString();
      EXPECT_TRUE(byFile.out.contains("\"steps\"")) << byFile.out.toStdString();
      EXPECT_EQ(byFile.out.toStdString(), byOptions.out.toStdString()) << options.join(' ').toStdString();
      EXPECT_EQ(byFile.err.toStdString(), byOptions.err.toStdString());
    }
  }
}

// Every kind of refusal and its text, and the reasons a file cannot be read, are the panel
// tests'; here, that the companion stops on each of the two with one line naming the file.
TEST(ScenarioOption, ARefusedFileStopsWithOneLineNamingItsFirstProblem) {
  QTemporaryDir dir;
  const QByteArray good = fileBytes(QStringLiteral(LARMOR_EXAMPLES_DIR "/01-cyclotron-circle.larmor"));
  auto with = [&good](const char* from, const char* to) {
    EXPECT_TRUE(good.contains(from)) << from;
    return QByteArray(good).replace(from, to);
  };
  const struct {
    const char* file;
    QByteArray bytes;  // none: the file is not written
    const char* says;
  } cases[] = {
      {"missing.larmor", {}, "cannot read the scenario"},
      {"range.larmor", with("\"speed\": 22000", "\"speed\": 40000"), "\"speed\" = 40000 is out of range"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const QString path = dir.filePath(QString::fromUtf8(c.file));
    if (!c.bytes.isEmpty()) test::writeFile(path, c.bytes);
    for (const QStringList& rest : {QStringList{"--summary"}, QStringList{}}) {
      const Outcome o = trace(QStringList{"--scenario", path} + rest);
      expectRefusal(o, 2, c.says);
      EXPECT_TRUE(o.err.contains(c.file)) << o.err.toStdString();
    }
  }
  // Given twice, even the same file: refused before either is read.
  const QString lesson = QStringLiteral(LARMOR_EXAMPLES_DIR "/01-cyclotron-circle.larmor");
  expectRefusal(trace({"--scenario", lesson, "--scenario", lesson, "--summary"}), 2, "--scenario may be given only once");
}

QByteArray ensembleObject(const QByteArray& summary) {
  const qsizetype at = summary.indexOf("\"ensemble\": ");
  return at < 0 ? QByteArray() : summary.mid(at, summary.lastIndexOf('}') - at);
}

TEST(TraceEnsemble, SlicesRunAsProcessesMergeToTheWholeRunsSummary) {
  const QStringList common{"--config", "4", "--ensemble", "10", "--seed", "5"};
  const test::Outcome whole = trace(common + QStringList{"--summary", "--threads", "2"});
  ASSERT_EQ(whole.exitCode, 0) << whole.err.toStdString();
  const QByteArray object = ensembleObject(whole.out);
  ASSERT_FALSE(object.isEmpty()) << whole.out.toStdString();
  EXPECT_TRUE(object.contains("\"particles\": 10,")) << object.toStdString();
  // The summary still begins with the one run of the start button.
  EXPECT_TRUE(whole.out.startsWith("{\"captions\": [")) << whole.out.toStdString();

  QTemporaryDir dir;
  QStringList files;
  for (const char* slice : {"1/3", "2/3", "3/3"}) {
    const test::Outcome part = trace(common + QStringList{"--ensemble-shard", slice, "--threads", "1"});
    ASSERT_EQ(part.exitCode, 0) << part.err.toStdString();
    files << dir.filePath(QString::number(files.size()) + ".csv");
    test::writeFile(files.back(), part.out);
  }
  const test::Outcome merged = trace(QStringList{"--merge-ensemble"} + files);
  ASSERT_EQ(merged.exitCode, 0) << merged.err.toStdString();
  EXPECT_EQ(ensembleObject(merged.out), object);

  // A slice of another seed is another ensemble's (a slice short or given twice is the
  // merge's own test), or an option that needs --ensemble: one line on standard error, exit 2.
  const test::Outcome other = trace({"--config", "4", "--ensemble", "10", "--seed", "6", "--ensemble-shard", "2/3"});
  test::writeFile(dir.filePath("other.csv"), other.out);
  expectRefusal(trace({"--merge-ensemble", files[0], dir.filePath("other.csv"), files[2]}), 2,
                      "larmor-trace: cannot merge: the slices belong to different ensembles");
  expectRefusal(trace({"--seed", "3", "--summary"}), 2, "only accepted together with --ensemble");
}

}  // namespace
}  // namespace larmor
