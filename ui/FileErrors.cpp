#include "ui/FileErrors.h"

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
    {EACCES, "нет прав доступа"},
    {EPERM, "операция не разрешена"},
    {ENOENT, "нет такого файла или папки"},
    {EROFS, "файловая система доступна только для чтения"},
    {ENOSPC, "на диске не осталось места"},
    {EDQUOT, "исчерпана дисковая квота"},
    {EISDIR, "на этом месте папка, а не файл"},
    {ENOTDIR, "часть пути — не папка"},
    {ENAMETOOLONG, "слишком длинное имя файла"},
    {ELOOP, "слишком много символических ссылок в пути"},
    {EEXIST, "файл уже существует"},
    {EFBIG, "файл слишком велик"},
    {EIO, "ошибка ввода-вывода на устройстве"},
    {EBUSY, "файл или устройство заняты"},
    {ETXTBSY, "файл занят"},
    {EMFILE, "открыто слишком много файлов"},
    {ENFILE, "в системе открыто слишком много файлов"},
    {ENOMEM, "не хватает памяти"},
    {EINVAL, "недопустимое имя файла или действие"},
    {EXDEV, "файл нельзя перенести на другое устройство"},
    {ENODEV, "нет такого устройства"},
    {ENXIO, "нет такого устройства или адреса"},
    {EAGAIN, "ресурс временно недоступен"},
    {EINTR, "операция прервана"},
    {ESTALE, "файл на сетевом диске больше недоступен"},
    {ETIMEDOUT, "истекло время ожидания"},
};

// Qt's own words for a failed save, where no translation of Qt is installed.
const struct {
  const char* pattern;
  const char* words;
} qtReasons[] = {
    {"^Filename refers to a directory$", "на этом месте папка, а не файл"},
    {"^Existing file .* is not writable$", "файл защищён от записи"},
    {"^Partial write\\. Partition full\\?$", "записано не всё: возможно, диск заполнен"},
    {"^Writing canceled by application$", "запись прервана"},
};

bool hasCyrillic(const QString& text) {
  for (const QChar c : text)
    if (c.unicode() >= 0x0400 && c.unicode() <= 0x04FF) return true;
  return false;
}

}  // namespace

QString russianReason(const QString& reason) {
  const QString text = reason.trimmed();
  if (text.isEmpty()) return QStringLiteral("причина неизвестна");
  if (hasCyrillic(text)) return text;
  for (const Described& d : described)
    if (text.compare(QString::fromLocal8Bit(std::strerror(d.code)), Qt::CaseInsensitive) == 0)
      return QString::fromUtf8(d.words);
  for (const auto& qt : qtReasons)
    if (QRegularExpression(QString::fromLatin1(qt.pattern)).match(text).hasMatch()) return QString::fromUtf8(qt.words);
  // A system error we have no words for: its number, which a search finds.
  for (int code = 1; code < 256; ++code)
    if (text == QString::fromLocal8Bit(std::strerror(code))) return QStringLiteral("ошибка системы № %1").arg(code);
  if (text.compare(QLatin1String("Unknown error"), Qt::CaseInsensitive) == 0) return QStringLiteral("причина неизвестна");
  return text;
}

QString fileErrorReason(const QFileDevice& file) { return russianReason(file.errorString()); }

}  // namespace larmor
