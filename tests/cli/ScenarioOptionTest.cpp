// larmor-trace --scenario FILE, run as a process: a lesson sets the controls as its options
// would, later options change it, and a file that cannot be taken stops the companion with
// one line naming the first problem and nothing on standard output.
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "TraceProcess.h"
#include "tests/FileBytes.h"

#include <gtest/gtest.h>

namespace {

using larmor::test::expectRefusal;
using larmor::test::fileBytes;
using larmor::test::Outcome;
using larmor::test::trace;

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
    if (!c.bytes.isEmpty()) larmor::test::writeFile(path, c.bytes);
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

}  // namespace
