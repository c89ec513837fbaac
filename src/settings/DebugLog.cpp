#include "DebugLog.h"

#include "core/Latin1Text.h"
#include "core/Paths.h"

#include <QFileInfo>

namespace bv {

QString DebugLog::append(const QString& line, const QString& directory) {
    const QString chunk = QLatin1Char('\n') + line;
    text_.append(chunk);
    if (failed_)
        return QString();
    // The file starts empty with the run and grows by appending, unbuffered: one write per
    // line, whose cost does not grow with the log.
    if (!file_.isOpen()) {
        file_.setFileName(joinPath(directory, QStringLiteral("debug.txt")));
        // Opening a named pipe that nobody reads would hold the first command for good.
        const QFileInfo existing(file_.fileName());
        if (existing.exists() && !existing.isFile())
            return fileFailed(QStringLiteral("it is not a file"));
        if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            return fileFailed(file_.errorString());
    }
    const QByteArray bytes = toLatin1Lossy(chunk);
    if (file_.write(bytes) != bytes.size())
        return fileFailed(file_.errorString());
    return QString();
}

QString DebugLog::fileFailed(QString why) {
    // A write that stops part way carries no reason of its own, only the generic text.
    if (why == QFile().errorString())
        why = QStringLiteral("only part of it could be written (the disk may be full)");
    failed_ = true;
    file_.close();
    return QStringLiteral("debug.txt could not be written (%1); the debug log goes on in the "
                          "debug window only.")
        .arg(why);
}

} // namespace bv
