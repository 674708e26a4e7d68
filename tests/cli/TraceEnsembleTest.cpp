// The companion's ensemble as a user meets it: slices run as separate processes merge to the
// summary of one whole run, bit for bit; a bad slice or option fails with one line.
#include "tests/cli/TraceProcess.h"
#include "tests/FileBytes.h"

#include <QTemporaryDir>

namespace larmor {
namespace {

using test::trace;

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
  test::expectRefusal(trace({"--merge-ensemble", files[0], dir.filePath("other.csv"), files[2]}), 2,
                      "larmor-trace: cannot merge: the slices belong to different ensembles");
  test::expectRefusal(trace({"--seed", "3", "--summary"}), 2, "only accepted together with --ensemble");
}

}  // namespace
}  // namespace larmor
