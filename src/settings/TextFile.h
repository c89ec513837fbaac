#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <QStringList>

class QIODevice;

namespace bv {

// Joins a directory text and a name with the host's separator, without normalising:
// a directory that ends in a separator gives a doubled one.
QString joinPath(const QString& directory, const QString& name);

// A path that does not need the program directory in front: a drive letter, or on a
// POSIX host a leading "/".
bool isCompletePath(const QString& path);

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

struct WriteResult {
    bool ok = true;
    QFileDevice::FileError error = QFileDevice::NoError;
    QString message; // the host's error text, for reports
};

// Replaces the file atomically: the old file stays whole until the new one is complete.
WriteResult writeFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace bv
