// What the window asks of the desktop, without a desktop: the document opener, the editor
// launcher, the tone and Qt's own texts; and what it shows itself: the information texts,
// the authors window and the message boxes.
#include "ui/DesktopDocumentOpener.h"
#include "ui/DesktopEditorLauncher.h"
#include "ui/Form2.h"
#include "ui/InfoTexts.h"
#include "ui/MessageDialogs.h"
#include "ui/QtTranslations.h"
#include "ui/QtTonePlayer.h"
#include "ui/ToneSamples.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

namespace larmor {
namespace {

// A save dialog as the window opens one without a desktop: its buttons in Russian.
TEST(QtTranslations, FileDialogsSpeakRussian) {
  ASSERT_TRUE(installQtTranslations(*QCoreApplication::instance())) << "qtbase_ru.qm is not installed";
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  auto* buttons = dialog.findChild<QDialogButtonBox*>();
  ASSERT_NE(buttons, nullptr);
  EXPECT_EQ(buttons->button(QDialogButtonBox::Save)->text().remove(QLatin1Char('&')), QStringLiteral("Сохранить"));
  EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Отмена"));
}

// Offscreen the desktop has no launcher: a document that is there cannot be opened, and the
// reason says so; a missing one is named as missing.
TEST(DesktopDocumentOpener, SaysWhyNothingOpenedTheDocument) {
  QTemporaryDir folder;
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(folder.path()));
  QFile pdf(QStringLiteral("spravka.pdf"));
  ASSERT_TRUE(pdf.open(QIODevice::WriteOnly) && pdf.write("%PDF-1.4\n") > 0);
  pdf.close();
  DesktopDocumentOpener opener;
  QString present, missing;
  EXPECT_FALSE(opener.open(QStringLiteral("spravka.pdf"), &present));
  EXPECT_FALSE(opener.open(QStringLiteral("uprav.pdf"), &missing));
  QDir::setCurrent(previous);
  EXPECT_TRUE(present.contains(QStringLiteral("не найдена программа"))) << present.toStdString();
  EXPECT_TRUE(missing.contains(QStringLiteral("файла нет"))) << missing.toStdString();
}

TEST(DesktopEditorLauncher, TriesCandidatesInOrder) {
  // installed: names the finder knows; failToStart: of those, ones that fail; ran: the one
  // that ends up running, empty when none; reasonPart: in the reason on failure.
  const struct { QStringList installed, failToStart; QString ran, reasonPart; } rows[] = {
      {{"kate", "gedit"}, {}, "/usr/bin/gedit", {}}, {{"gedit", "kate"}, {"gedit"}, "/usr/bin/kate", {}},
      {{}, {}, {}, "Не найден текстовый редактор"}, {{"kate"}, {"kate"}, {}, "Не удалось запустить"}};
  const QString file = QDir::current().absoluteFilePath(QStringLiteral("instruction.txt"));
  for (const auto& r : rows) {
    SCOPED_TRACE((r.installed.join(' ') + " / " + r.failToStart.join(' ')).toStdString());
    QList<QPair<QString, QStringList>> started;
    DesktopEditorLauncher launcher(
        [] { return QList<EditorCommand>{{"gedit", {}}, {"kate", {"-b"}}, {"absent", {}}}; },
        [&](const QString& name) { return r.installed.contains(name) ? "/usr/bin/" + name : QString(); },
        [&](const QString& program, const QStringList& arguments) {
          started.append({program, arguments});
          return !r.failToStart.contains(QFileInfo(program).fileName());
        });
    QString reason;
    EXPECT_EQ(launcher.launch(QStringLiteral("instruction.txt"), &reason), !r.ran.isEmpty());
    if (r.ran.isEmpty()) EXPECT_TRUE(reason.contains(r.reasonPart) && reason.contains("instruction.txt")) << reason.toStdString();
    else EXPECT_TRUE(reason.isEmpty() && !started.isEmpty() && started.last().first == r.ran);
    for (const auto& [program, arguments] : started)  // the candidate's own arguments, then the file
      EXPECT_EQ(arguments, (program.endsWith("/kate") ? QStringList{"-b", file} : QStringList{file}));
  }
}

TEST(DesktopEditorLauncher, DesktopEntryExecLines) {
  const struct { QString exec, program; QStringList arguments; } rows[] = {  // for the file "/w/a b.txt"
      {"gedit %U", "gedit", {"/w/a b.txt"}},
      {"env LANG=C mousepad", "env", {"LANG=C", "mousepad", "/w/a b.txt"}},  // no code: file appended
      {"\"/opt/My Editor/ed\" --new-window %f", "/opt/My Editor/ed", {"--new-window", "/w/a b.txt"}},
      {"kate -b %i %c %u", "kate", {"-b", "/w/a b.txt"}},  // icon and name codes dropped
      {"ed \"say \\\"hi\\\"\" 100%% %F %F", "ed", {"say \"hi\"", "100%", "/w/a b.txt"}}};
  for (const auto& r : rows) {
    const auto command = DesktopEditorLauncher::parseExec(r.exec);
    ASSERT_TRUE(command.has_value()) << r.exec.toStdString();
    EXPECT_EQ(command->program, r.program);
    EXPECT_EQ(DesktopEditorLauncher::argumentsFor(*command, "/w/a b.txt"), r.arguments) << r.exec.toStdString();
  }
  EXPECT_FALSE(DesktopEditorLauncher::parseExec(QStringLiteral("   ")).has_value());
}

TEST(DesktopEditorLauncher, DesktopDefaultForPlainText) {
  QTemporaryDir root;
  const QString apps = root.filePath("apps"), absent = root.filePath("absent.list");
  const QString user = root.filePath("user.list"), system = root.filePath("system.list");
  // "notes-editor.desktop" may live in the subfolder "notes"; only the main group's Exec counts.
  const char* files[][2] = {
      {"user.list", "[Added Associations]\ntext/plain=added.desktop;\n[Default Applications]\n"
                    "text/html=browser.desktop\ntext/plain=missing.desktop;notes-editor.desktop;\n"},
      {"system.list", "[Default Applications]\ntext/plain=added.desktop\n"},
      {"apps/added.desktop", "[Desktop Entry]\nExec=added %f\n"},
      {"apps/notes/editor.desktop", "[Desktop Action new]\nExec=wrong\n[Desktop Entry]\nExec=notes-edit --new %F\n"}};
  for (const auto& [path, content] : files) {
    QDir().mkpath(QFileInfo(root.filePath(path)).absolutePath());
    QFile f(root.filePath(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(content) > 0);
  }
  EXPECT_EQ(DesktopEditorLauncher::desktopDefaultEditor({user, system}, {apps}), (EditorCommand{"notes-edit", {"--new", "%F"}}));
  EXPECT_EQ(DesktopEditorLauncher::desktopDefaultEditor({absent, system}, {apps}), (EditorCommand{"added", {"%f"}}));
  EXPECT_FALSE(DesktopEditorLauncher::desktopDefaultEditor({absent}, {apps}).has_value());
}

TEST(ToneSamples, FrequencyDurationAndFades) {
  const int rows[][3] = {{880, 120, 48000}, {880, 120, 44100}, {440, 1000, 8000}, {880, 37, 22050}};  // Hz, ms, rate
  for (const auto& [hz, ms, rate] : rows) {
    SCOPED_TRACE(::testing::Message() << hz << " Hz " << ms << " ms at " << rate);
    const auto s = toneSamples(hz, ms, rate);
    const std::size_t n = s.size(), fade = std::size_t(toneFadeMs) * rate / 1000;
    ASSERT_EQ(n, std::size_t(ms) * rate / 1000);
    int crossings = 0, lastSign = 0;  // two per period, zeros skipped
    for (auto v : s) {
      const int sign = (v > 0) - (v < 0);
      crossings += sign != 0 && lastSign != 0 && sign != lastSign;
      lastSign = sign != 0 ? sign : lastSign;
    }
    const double seconds = double(n) / rate;
    EXPECT_NEAR(crossings / (2 * seconds), hz, 1 / seconds);
    auto peak = [&s](std::size_t from, std::size_t to) {  // largest |s[i]| for i in [from, to)
      return std::abs(int(*std::max_element(s.begin() + from, s.begin() + to, [](int a, int b) { return std::abs(a) < std::abs(b); })));
    };
    const int full = peak(0, n);
    EXPECT_GT(full, 8000) << "audible";
    EXPECT_EQ(peak(fade, n - fade), full) << "full level between the fades";
    EXPECT_LE(std::max(peak(0, 1), peak(n - 1, n)), full / 50) << "no click at either end";
    EXPECT_LT(std::max(peak(0, fade / 4), peak(n - fade / 4, n)), full / 3);
  }
  const int nothing[][3] = {{0, 120, 48000}, {880, 0, 48000}, {880, -5, 48000}, {880, 120, 0}};
  for (const auto& [hz, ms, rate] : nothing) EXPECT_TRUE(toneSamples(hz, ms, rate).empty()) << hz << " " << ms << " " << rate;
}

// A sound server that hangs on the device query must not hold up the caller of play(),
// and the device is looked up once, on the player's own thread, only when first needed.
TEST(QtTonePlayer, ProbesOnceOffTheCallersThreadWithoutBlockingIt) {
  QSemaphore entered, release;
  std::atomic<bool> releasedInTime{false};
  std::atomic<int> probes{0};
  std::thread::id probeThread;
  {
    QtTonePlayer player([&] {
      ++probes, probeThread = std::this_thread::get_id(), entered.release();
      releasedInTime = release.tryAcquire(1, 20000);  // times out if play() waited for us
      return QAudioDevice();
    });
    EXPECT_EQ(probes.load(), 0);
    for (int i = 0; i < 5; ++i) player.play(880, 120);
    ASSERT_TRUE(entered.tryAcquire(1, 20000));
    release.release();
    player.play(880, 120);  // silent for good after finding no device
  }  // the destructor joins the audio thread
  EXPECT_TRUE(releasedInTime);
  EXPECT_NE(probeThread, std::this_thread::get_id());
  EXPECT_EQ(probes.load(), 1);
}

TEST(InfoTexts, LinesJoinedByCrLfWithoutTrailingBreak) {
  // The texts themselves are the program's words as written; here, how they are put together.
  const struct { const char* name; QString text; int lineCount; } rows[] = {
      {"about", aboutText(), 13}, {"registration", registrationText(), 8}, {"authors", authorsText(), 6}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const QStringList lines = r.text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), r.lineCount);
    for (const QString& line : lines)  // no empty line, no lone CR or LF, no break after the last
      EXPECT_TRUE(!line.isEmpty() && !line.contains(u'\r') && !line.contains(u'\n')) << line.toStdString();
  }
  // Addresses only under example.org: the bulletin and the authors' e-mail.
  const QStringList registration = registrationText().split(QStringLiteral("\r\n"));
  const QStringList authors = authorsText().split(QStringLiteral("\r\n"));
  EXPECT_TRUE(registration[6].contains(QRegularExpression("^https://[\\w.-]*example\\.org/"))) << registration[6].toStdString();
  EXPECT_TRUE(authors[5].contains(QRegularExpression("^[\\w.+-]+@example\\.org$"))) << authors[5].toStdString();
  // The authors' column: lines two to five 36 characters, padded where the lines say so.
  for (int n = 2; n <= 5; ++n) EXPECT_EQ(authors[n - 1].size(), 36) << n;
  for (int n : {1, 2, 3, 4, 5, 6}) EXPECT_EQ(authors[n - 1].endsWith(QLatin1String("  ")), n != 2 && n != 6) << n;
}

TEST(Form2, CentredOverMainWindowEveryTimeItIsShown) {
  QWidget main;
  main.show();
  Form2 authors(&main);
  auto* text = authors.findChild<QLabel*>(QStringLiteral("Label1"));
  ASSERT_NE(text, nullptr);
  for (const QRect& placement : {QRect(40, 30, 720, 480), QRect(300, 200, 1000, 700), QRect(500, 400, 150, 120)}) {
    main.setGeometry(placement);
    text->setText(QStringLiteral("stale"));  // what the open window may hold meanwhile
    authors.move(0, 0);
    authors.showAuthors(&main);
    EXPECT_TRUE(authors.isVisible() && !authors.isModal() && main.isEnabled()) << "the main window stays usable";
    const QRect m = main.frameGeometry(), a = authors.frameGeometry();
    EXPECT_EQ(a.topLeft(), QPoint(m.left() + (m.width() - a.width()) / 2, m.top() + (m.height() - a.height()) / 2));
    EXPECT_EQ(text->text(), authorsText());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&authors, 2000));
  }
  // Every line whole in the label's 209 × 81 box, in a font still readable.
  EXPECT_EQ(text->geometry(), QRect(8, 200, 209, 81));
  const QFontMetrics metrics(text->font());
  const QStringList lines = authorsText().split(QStringLiteral("\r\n"));
  EXPECT_LE(metrics.lineSpacing() * lines.size(), text->contentsRect().height());
  EXPECT_GE(QFontInfo(text->font()).pixelSize(), 9);
  for (const QString& line : lines) {  // trailing blanks need no room
    EXPECT_LE(metrics.horizontalAdvance(QString(line).remove(QRegularExpression(" +$"))), text->contentsRect().width())
        << line.toStdString();
  }
}

TEST(MessageDialogs, BoxesShowTheirTextsAndButtons) {
  using Box = QMessageBox;
  QWidget parent;
  parent.show();
  MessageDialogs dialogs;
  const auto confirm = [&] { return dialogs.confirmExit(&parent); };
  const QStringList exitBox = {"На Выход", "Вы абсолютно уверены?", "Да", "Нет", "Нет"};
  // The call (its answer), the button pressed, then what the box shows: title, text, the
  // texts of Yes, No and OK where present, the default's text; and its icon.
  const struct { std::function<bool()> call; Box::StandardButton press; bool answer; QStringList shown; Box::Icon icon; } rows[] = {
      {confirm, Box::Yes, true, exitBox, Box::NoIcon},
      {confirm, Box::No, false, exitBox, Box::NoIcon},
      {[&] { return dialogs.information(&parent, "О ПРОГРАММЕ", "1\r\n<b>2</b>"), true; }, Box::Ok, true,
       {"О ПРОГРАММЕ", "1\r\n<b>2</b>", "OK", "OK"}, Box::NoIcon},
      {[&] { return dialogs.warning(&parent, "Инструкция", "Не найден редактор"), true; }, Box::Ok, true,
       {"Инструкция", "Не найден редактор", "OK", "OK"}, Box::Warning}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.shown.join(' ').toStdString() + " " + std::to_string(r.press));
    QStringList seen;
    Box::Icon icon = Box::Critical;
    QTimer poll;  // once the box is up: record it and press the answer
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<Box*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      poll.stop();
      seen << box->windowTitle() << box->text();
      for (auto b : {Box::Yes, Box::No, Box::Ok}) if (box->button(b)) seen << box->button(b)->text();
      EXPECT_EQ(box->buttons().size(), seen.size() - 2);
      seen << (box->defaultButton() ? box->defaultButton()->text() : QString());
      icon = box->icon();
      EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
      box->button(r.press)->click();
    });
    poll.start(5);
    EXPECT_EQ(r.call(), r.answer);
    EXPECT_EQ(seen, r.shown);
    EXPECT_EQ(icon, r.icon);
  }
}

}  // namespace
}  // namespace larmor
