#include "Latin1Text.h"

#include <QIODevice>

namespace bv {

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

} // namespace bv
