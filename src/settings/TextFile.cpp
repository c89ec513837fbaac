#include "TextFile.h"

#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>

namespace bv {

QString joinPath(const QString& directory, const QString& name) {
#ifdef Q_OS_WIN
    return directory + QLatin1Char('\\') + name;
#else
    return directory + QLatin1Char('/') + name;
#endif
}

bool isCompletePath(const QString& path) {
    if (path.size() >= 2 && path.at(1) == QLatin1Char(':'))
        return true;
#ifdef Q_OS_WIN
    return path.startsWith(QLatin1String("\\\\"));
#else
    return path.startsWith(QLatin1Char('/'));
#endif
}

QString lowerAscii(const QString& text) {
    QString lowered = text;
    for (QChar& c : lowered) {
        const char16_t u = c.unicode();
        if (u >= u'A' && u <= u'Z')
            c = QChar(static_cast<char16_t>(u + (u'a' - u'A')));
    }
    return lowered;
}

QByteArray toLatin1Lossy(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (u < 0x100) {
            bytes.append(static_cast<char>(u));
            continue;
        }
        // A surrogate pair is one character and gives one "?".
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text.at(i + 1).unicode()))
            ++i;
        bytes.append('?');
    }
    return bytes;
}

QByteArray crlfLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes.append(toLatin1Lossy(line));
        bytes.append("\r\n", 2);
    }
    return bytes;
}

QStringList splitScriptLines(const QByteArray& bytes) {
    QStringList lines;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < bytes.size()) {
        if (bytes.at(i) == '\r') {
            lines.append(QString::fromLatin1(bytes.constData() + start, i - start));
            ++i;
            if (i < bytes.size() && bytes.at(i) == '\n')
                ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < bytes.size())
        lines.append(QString::fromLatin1(bytes.constData() + start, bytes.size() - start));
    return lines;
}

bool ScriptLineReader::next(QString& line) {
    if (failed_ || device_.atEnd())
        return false;
    QByteArray bytes;
    char c = 0;
    bool any = false;
    while (device_.getChar(&c)) {
        any = true;
        if (c == '\r') {
            char following = 0;
            if (device_.peek(&following, 1) == 1 && following == '\n')
                device_.getChar(&following);
            line = QString::fromLatin1(bytes);
            return true;
        }
        bytes.append(c);
    }
    if (!device_.atEnd()) {
        failed_ = true;
        return false;
    }
    if (!any)
        return false;
    line = QString::fromLatin1(bytes);
    return true;
}

WriteResult writeFileAtomically(const QString& path, const QByteArray& bytes) {
    WriteResult result;
    // Replacing works by renaming a new file over the old name: over a device such as
    // /dev/null that would put a plain file in the device's place (root may write /dev).
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile() && !existing.isDir()) {
        result.ok = false;
        result.error = QFileDevice::OpenError;
        result.message = QStringLiteral("it is a device or a pipe, not a file");
        return result;
    }
    QSaveFile file(path);
    // The explicit flush matters: a short write (a full disk, a file size limit) fails only
    // there, and commit() would otherwise rename the truncated file over the old one.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() ||
        !file.commit()) {
        result.ok = false;
        result.error =
            file.error() == QFileDevice::NoError ? QFileDevice::WriteError : file.error();
        result.message = file.errorString();
        // A write that stops part way carries no reason of its own, only the generic text.
        if (result.message == QSaveFile().errorString())
            result.message = QStringLiteral("only part of it could be written (the disk may be "
                                            "full)");
        file.cancelWriting();
    }
    return result;
}

} // namespace bv
