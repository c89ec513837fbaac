#include "EngineReport.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace bv {

namespace {

// The output is read backwards in pieces of this size; beyond this much of it no line is
// looked for, so that a huge file of blank lines cannot hold the interface.
constexpr qint64 kPiece = 64 * 1024;
constexpr qint64 kSearchedBytes = 16 * 1024 * 1024;

bool isBlankByte(char c) {
    return c == ' ' || c == '\t';
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// wine prints "0024:fixme:..." and the like about itself, not about the game.
bool isWineDiagnostic(const QByteArray& start) {
    if (start.size() < 5 || start.at(4) != ':')
        return false;
    for (int i = 0; i < 4; ++i) {
        if (!isHexDigit(start.at(i)))
            return false;
    }
    const QByteArray rest = start.mid(5);
    for (const char* kind : {"fixme:", "err:", "warn:", "trace:"}) {
        if (rest.startsWith(kind))
            return true;
    }
    return false;
}

QString shownLine(const QByteArray& bytes) {
    QString line = QString::fromLatin1(bytes.left(kReportedLineLength));
    for (QChar& c : line) {
        if (c.unicode() < 32 || c.unicode() == 127)
            c = QLatin1Char('?');
    }
    return line;
}

} // namespace

QStringList lastOutputLines(QIODevice& output, int count) {
    QStringList lines;
    const qint64 size = output.size();
    const qint64 stop = std::max<qint64>(0, size - kSearchedBytes);
    // The line being scanned ends at lineEnd; it is blank until a byte other than a blank or
    // a tab is met on the way back to its start.
    qint64 lineEnd = size;
    bool blank = true;
    const auto take = [&](qint64 lineStart) {
        if (!blank) {
            output.seek(lineStart);
            const QByteArray start =
                output.read(std::min<qint64>(lineEnd - lineStart, kReportedLineLength));
            if (!isWineDiagnostic(start))
                lines.prepend(shownLine(start));
        }
        blank = true;
    };
    const auto byteAt = [&](qint64 at) {
        char c = 0;
        return output.seek(at) && output.getChar(&c) ? c : '\0';
    };
    qint64 crOfLineEnd = -1; // a CR that, with the LF after it, makes one line end
    qint64 pieceStart = size;
    while (pieceStart > stop && lines.size() < count) {
        const qint64 length = std::min(kPiece, pieceStart - stop);
        pieceStart -= length;
        if (!output.seek(pieceStart))
            return lines;
        const QByteArray piece = output.read(length);
        if (piece.size() != length)
            return lines;
        for (qint64 i = length - 1; i >= 0 && lines.size() < count; --i) {
            const qint64 at = pieceStart + i;
            const char c = piece.at(i);
            if (at == crOfLineEnd)
                continue;
            if (c != '\n' && c != '\r') {
                blank = blank && isBlankByte(c);
                continue;
            }
            take(at + 1);
            lineEnd = at;
            if (c == '\n' && at > 0 && (i > 0 ? piece.at(i - 1) : byteAt(at - 1)) == '\r') {
                crOfLineEnd = at - 1;
                lineEnd = at - 1;
            }
        }
    }
    // The first line of the output has no line end before it. Where the search stopped short
    // of the start, the line there is only the end of one and is left out.
    if (stop == 0 && pieceStart == 0 && lines.size() < count)
        take(0);
    return lines;
}

QString signalDescription(int signal) {
#ifdef Q_OS_UNIX
    if (const char* text = sigdescr_np(signal))
        return QString::fromLocal8Bit(text);
#endif
    return QStringLiteral("unknown signal");
}

QStringList engineEndReplies(const QString& name, const ProcessEnd& end, QIODevice* output,
                             bool outputReplaced, const GivenOptions& given) {
    if (!end.bySignal && end.number == 0)
        return {};
    QStringList replies;
    if (end.bySignal)
        replies << QStringLiteral("%1 ended by signal %2 (%3)")
                       .arg(name)
                       .arg(end.number)
                       .arg(signalDescription(end.number));
    else
        replies << QStringLiteral("%1 ended with status %2").arg(name).arg(end.number);
    if (!output)
        return replies;
    const QStringList lines = lastOutputLines(*output);
    for (const QString& line : lines)
        replies << name + QStringLiteral(": ") + line;
    if (!outputReplaced)
        replies << name + QStringLiteral("'s output is in engine.txt");
    if (const QString refused = refusedOptionReply(given, lines); !refused.isEmpty())
        replies << refused;
    return replies;
}

QString outputNotKeptReply(const QString& problem) {
    return QStringLiteral("engine.txt could not be written (%1); the game's output is not kept.")
        .arg(problem);
}

} // namespace bv
