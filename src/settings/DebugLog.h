#pragma once

#include <QFile>
#include <QString>

namespace bv {

// The log of every line the interpreter is handed, in memory and in debug.txt. Each line
// reaches the file as it is logged, so the file shows what ran even while a message box
// holds a script, or after the program was killed half way through one.
class DebugLog {
public:
    // Appends a line feed and the line, to the file in `directory` too. Returns a text for
    // the console the first time the file cannot be written; the log then goes on in memory.
    QString append(const QString& line, const QString& directory);
    const QString& text() const { return text_; }
    void close() { file_.close(); }

private:
    QString fileFailed(QString why);

    QString text_;
    QFile file_;
    bool failed_ = false;
};

} // namespace bv
