// Draws the illustrations of the runtime folder as GIF files:
//   larmor_asset_tool OUTPUT_FOLDER BUILT_IN_PICTURE.svg
#include "assets/tool/GifWriter.h"
#include "assets/tool/Pictures.h"
#include "model/FieldChoice.h"

#include <QByteArray>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <string>

namespace larmor {

QImage svgPicture(const QString& path) {
  QImage image(pictureWidth, pictureHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QSvgRenderer renderer(path);
  if (!renderer.isValid()) return {};
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter, QRectF(0, 0, pictureWidth, pictureHeight));
  return image;
}

}  // namespace larmor

namespace {

// The build log shows the tool's own failures, not Qt's notes about a headless session.
void keepSeriousMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "larmor_asset_tool: %s\n", qPrintable(message));
}

bool save(const QImage& picture, const QString& path) {
  if (picture.isNull()) {
    std::fprintf(stderr, "larmor_asset_tool: nothing drawn for %s\n", qPrintable(path));
    return false;
  }
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  std::string error;
  if (!larmor::writeGif(path.toStdString(), rgb.width(), rgb.height(),
                        reinterpret_cast<const std::uint32_t*>(rgb.constBits()), &error)) {
    std::fprintf(stderr, "larmor_asset_tool: %s: %s\n", qPrintable(path), error.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: larmor_asset_tool OUTPUT_FOLDER BUILT_IN_PICTURE.svg\n");
    return 2;
  }
  // Drawn at build time, on machines without a display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(keepSeriousMessages);
  QGuiApplication app(argc, argv);
  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!QDir().mkpath(out.path())) return 1;

  bool ok = true;
  // Each picture with words also in English, for the English window: "1-en.gif" beside "1.gif".
  auto english = [](const char* name) { return QString::fromLatin1(name).replace(QLatin1String(".gif"), QLatin1String("-en.gif")); };
  for (larmor::FieldConfig config = 1; config <= larmor::fieldConfigCount; ++config) {
    const char* name = larmor::fieldChoice(config).picture;
    ok = save(larmor::fieldPicture(config), out.filePath(QString::fromLatin1(name))) && ok;
    ok = save(larmor::fieldPicture(config, larmor::Language::English), out.filePath(english(name))) && ok;
  }
  ok = save(larmor::velocityPicture(), out.filePath(QString::fromLatin1(larmor::velocityPictureName))) && ok;
  ok = save(larmor::velocityPicture(larmor::Language::English), out.filePath(english(larmor::velocityPictureName))) && ok;
  // The built-in picture's English form lies beside it ("mudr-en.svg").
  const QString builtIn = QString::fromLocal8Bit(argv[2]);
  ok = save(larmor::svgPicture(builtIn), out.filePath(QString::fromLatin1(larmor::startUpPictureName))) && ok;
  ok = save(larmor::svgPicture(builtIn.chopped(4) + QLatin1String("-en.svg")),
            out.filePath(english(larmor::startUpPictureName))) && ok;
  return ok ? 0 : 1;
}
