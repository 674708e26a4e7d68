// larmor-docgen: renders a help document from its Markdown source into an A4 PDF, with
// the figures drawn by the program's own views. Run by the build, never by hand:
//   larmor-docgen [--language en] --title TITLE input.md output.pdf
#include "docgen/FigureRenderer.h"
#include "docgen/FigureRequest.h"
#include "docgen/MarkdownPdf.h"

#include <QFile>
#include <QApplication>
#include <QStringList>

#include <cstdio>

namespace {

int usage() {
  std::fputs("usage: larmor-docgen [--language en] --title TITLE input.md output.pdf\n", stderr);
  return 2;
}

QImage figureFor(const QString& address, larmor::Language language, QString* error) {
  const std::optional<larmor::FigureRequest> request = larmor::parseFigureUrl(address, error);
  larmor::FigureStyle style;
  style.language = language;
  return request ? larmor::renderFigure(*request, style) : QImage();
}

}  // namespace

int main(int argc, char** argv) {
  // A build step has no display: draw off screen unless told otherwise.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);  // the plots of the figures are widgets

  QStringList args = QApplication::arguments().mid(1);
  larmor::PdfOptions options;
  // The English documents draw their figures' words in English too.
  larmor::Language language = larmor::Language::Russian;
  if (args.size() >= 2 && args[0] == QLatin1String("--language")) {
    if (args[1] != QLatin1String("en") && args[1] != QLatin1String("ru")) return usage();
    if (args[1] == QLatin1String("en")) language = larmor::Language::English;
    args = args.mid(2);
  }
  if (args.size() >= 2 && args[0] == QLatin1String("--title")) {
    options.title = args[1];
    args = args.mid(2);
  }
  if (args.size() != 2) return usage();

  QFile input(args[0]);
  if (!input.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "larmor-docgen: cannot read %s\n", qPrintable(args[0]));
    return 1;
  }
  const QString markdown = QString::fromUtf8(input.readAll());

  QString error;
  const auto figures = [language](const QString& address, QString* why) { return figureFor(address, language, why); };
  const int pages = larmor::writeMarkdownPdf(markdown, args[1], options, figures, &error);
  if (pages == 0) {
    std::fprintf(stderr, "larmor-docgen: %s: %s\n", qPrintable(args[0]), qPrintable(error));
    QFile::remove(args[1]);  // no half-written document for the build to take as done
    return 1;
  }
  return 0;
}
