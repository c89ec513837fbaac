#include "AtomicFile.h"

#include <QFileInfo>
#include <QSaveFile>

namespace bv {

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
