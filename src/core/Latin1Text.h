#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

namespace bv {

// Lower-cases A to Z only; every other character stays, so the length is unchanged.
QString lowerAscii(const QString& text);

// Latin-1 bytes; each character (code point) outside Latin-1 becomes one "?".
QByteArray toLatin1Lossy(const QString& text);

// The lines, each followed by CR LF, in Latin-1.
QByteArray crlfLines(const QStringList& lines);

// Splits by the script rule: a line ends at CR or CR LF, a lone LF stays inside the line,
// a last line without a line end counts too. n line ends at the end give n lines.
QStringList splitScriptLines(const QByteArray& bytes);

// Reads lines one at a time by the same rule, so a script runs before its end is read.
class ScriptLineReader {
public:
    explicit ScriptLineReader(QIODevice& device) : device_(device) {}
    // False at the end of the input or on a read error (see failed()).
    bool next(QString& line);
    bool failed() const { return failed_; }

private:
    QIODevice& device_;
    bool failed_ = false;
};

} // namespace bv
