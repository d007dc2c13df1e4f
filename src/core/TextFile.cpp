#include "TextFile.h"

#include "ClockError.h"
#include "Cp1252.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <cerrno>

QStringList TextFile::readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw ClockError(
            QStringLiteral("Cannot read %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw ClockError(
            QStringLiteral("Cannot read %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    // Notepad saves with a UTF-8 byte-order mark; the mark says the rest is UTF-8 as well. When the
    // rest is no valid UTF-8 after all, its bytes are kept as Windows-1252 rather than replaced.
    static const QByteArray utf8Mark("\xEF\xBB\xBF");
    if (bytes.startsWith(utf8Mark)) {
        const QByteArray rest = bytes.mid(utf8Mark.size());
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(rest);
        return splitLines(utf8.hasError() ? Cp1252::decode(rest) : text);
    }
    return splitLines(Cp1252::decode(bytes));
}

QStringList TextFile::splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < n) {
        lines.append(text.mid(start));
    }
    return lines;
}

void TextFile::writeLines(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes.append(Cp1252::encode(line));
        bytes.append("\r\n");
    }
    writeBytes(path, bytes);
}

void TextFile::writeBytes(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // The system's own reason (a full disk, a read-only folder), read before cancelWriting() replaces it
    // by its own. A failed flush leaves only errno to tell it: Qt then says "Unknown error".
    const auto fail = [&path, &file](int code) {
        const QString cause = code != 0 ? qt_error_string(code) : file.errorString();
        file.cancelWriting();
        return ClockError(QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), cause));
    };
    if (!file.open(QIODevice::WriteOnly)) {
        throw fail(0);
    }
    // The explicit flush matters: QSaveFile::commit() renames a file whose buffered tail failed to reach
    // the disk (file size limit, full disk) over the good old one.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        throw fail(errno);
    }
    if (!file.commit()) {
        throw ClockError(
            QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    }
}
