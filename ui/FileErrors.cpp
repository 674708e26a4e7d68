#include "ui/FileErrors.h"

#include <QCoreApplication>
#include <QFileDevice>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>

namespace larmor {

namespace {

struct Described {
  int code;
  const char* words;
};

// The errors a file dialog's choice can meet, and a few the system may add.
constexpr Described described[] = {
    {EACCES, QT_TRANSLATE_NOOP("larmor::FileErrors", "нет прав доступа")},
    {EPERM, QT_TRANSLATE_NOOP("larmor::FileErrors", "операция не разрешена")},
    {ENOENT, QT_TRANSLATE_NOOP("larmor::FileErrors", "нет такого файла или папки")},
    {EROFS, QT_TRANSLATE_NOOP("larmor::FileErrors", "файловая система доступна только для чтения")},
    {ENOSPC, QT_TRANSLATE_NOOP("larmor::FileErrors", "на диске не осталось места")},
    {EDQUOT, QT_TRANSLATE_NOOP("larmor::FileErrors", "исчерпана дисковая квота")},
    {EISDIR, QT_TRANSLATE_NOOP("larmor::FileErrors", "на этом месте папка, а не файл")},
    {ENOTDIR, QT_TRANSLATE_NOOP("larmor::FileErrors", "часть пути — не папка")},
    {ENAMETOOLONG, QT_TRANSLATE_NOOP("larmor::FileErrors", "слишком длинное имя файла")},
    {ELOOP, QT_TRANSLATE_NOOP("larmor::FileErrors", "слишком много символических ссылок в пути")},
    {EEXIST, QT_TRANSLATE_NOOP("larmor::FileErrors", "файл уже существует")},
    {EFBIG, QT_TRANSLATE_NOOP("larmor::FileErrors", "файл слишком велик")},
    {EIO, QT_TRANSLATE_NOOP("larmor::FileErrors", "ошибка ввода-вывода на устройстве")},
    {EBUSY, QT_TRANSLATE_NOOP("larmor::FileErrors", "файл или устройство заняты")},
    {ETXTBSY, QT_TRANSLATE_NOOP("larmor::FileErrors", "файл занят")},
    {EMFILE, QT_TRANSLATE_NOOP("larmor::FileErrors", "открыто слишком много файлов")},
    {ENFILE, QT_TRANSLATE_NOOP("larmor::FileErrors", "в системе открыто слишком много файлов")},
    {ENOMEM, QT_TRANSLATE_NOOP("larmor::FileErrors", "не хватает памяти")},
    {EINVAL, QT_TRANSLATE_NOOP("larmor::FileErrors", "недопустимое имя файла или действие")},
    {EXDEV, QT_TRANSLATE_NOOP("larmor::FileErrors", "файл нельзя перенести на другое устройство")},
    {ENODEV, QT_TRANSLATE_NOOP("larmor::FileErrors", "нет такого устройства")},
    {ENXIO, QT_TRANSLATE_NOOP("larmor::FileErrors", "нет такого устройства или адреса")},
    {EAGAIN, QT_TRANSLATE_NOOP("larmor::FileErrors", "ресурс временно недоступен")},
    {EINTR, QT_TRANSLATE_NOOP("larmor::FileErrors", "операция прервана")},
    {ESTALE, QT_TRANSLATE_NOOP("larmor::FileErrors", "файл на сетевом диске больше недоступен")},
    {ETIMEDOUT, QT_TRANSLATE_NOOP("larmor::FileErrors", "истекло время ожидания")},
};

// Qt's own words for a failed save, where no translation of Qt is installed.
const struct {
  const char* pattern;
  const char* words;
} qtReasons[] = {
    {"^Filename refers to a directory$", QT_TRANSLATE_NOOP("larmor::FileErrors", "на этом месте папка, а не файл")},
    {"^Existing file .* is not writable$", QT_TRANSLATE_NOOP("larmor::FileErrors", "файл защищён от записи")},
    {"^Partial write\\. Partition full\\?$", QT_TRANSLATE_NOOP("larmor::FileErrors", "записано не всё: возможно, диск заполнен")},
    {"^Writing canceled by application$", QT_TRANSLATE_NOOP("larmor::FileErrors", "запись прервана")},
};

// Our words in the window's language.
QString words(const char* russian) { return QCoreApplication::translate("larmor::FileErrors", russian); }

bool hasCyrillic(const QString& text) {
  for (const QChar c : text)
    if (c.unicode() >= 0x0400 && c.unicode() <= 0x04FF) return true;
  return false;
}

}  // namespace

QString russianReason(const QString& reason) {
  const QString text = reason.trimmed();
  if (text.isEmpty()) return words(QT_TRANSLATE_NOOP("larmor::FileErrors", "причина неизвестна"));
  if (hasCyrillic(text)) return text;
  for (const Described& d : described)
    if (text.compare(QString::fromLocal8Bit(std::strerror(d.code)), Qt::CaseInsensitive) == 0)
      return words(d.words);
  for (const auto& qt : qtReasons)
    if (QRegularExpression(QString::fromLatin1(qt.pattern)).match(text).hasMatch()) return words(qt.words);
  // A system error we have no words for: its number, which a search finds.
  for (int code = 1; code < 256; ++code)
    if (text == QString::fromLocal8Bit(std::strerror(code))) return words(QT_TRANSLATE_NOOP("larmor::FileErrors", "ошибка системы № %1")).arg(code);
  if (text.compare(QLatin1String("Unknown error"), Qt::CaseInsensitive) == 0) return words(QT_TRANSLATE_NOOP("larmor::FileErrors", "причина неизвестна"));
  return text;
}

QString fileErrorReason(const QFileDevice& file) { return russianReason(file.errorString()); }

}  // namespace larmor
