#include "LaunchFiles.h"

#include "settings/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <filesystem>
#include <system_error>

namespace bv {

using namespace launch_error;

namespace {

std::filesystem::path nativePath(const QString& path) {
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// QFile reports most open failures as one OpenError, so the cause is read off the file
// system: the missing directory is the case the report explains to the user.
int openFailureNumber(const QFile& file, bool forWriting) {
    const QFileInfo info(file.fileName());
    if (!info.absoluteDir().exists())
        return kPathNotFound;
    if (file.error() == QFileDevice::ResourceError)
        return kTooManyFiles;
    if (info.isDir())
        return kAccessError;
    if (!forWriting)
        return !info.exists()       ? kFileNotFound
               : !info.isReadable() ? kPermissionDenied
                                    : kAccessError;
    const bool allowed =
        info.exists() ? info.isWritable() : QFileInfo(info.absolutePath()).isWritable();
    return allowed ? kAccessError : kPermissionDenied;
}

int writeFailureNumber(const QFile& file) {
    // The file engine reports a full disk as a resource error.
    return file.error() == QFileDevice::ResourceError ? kDiskFull : kDeviceIo;
}

} // namespace

QString launchFailureText(int error, const QString& cause) {
    if (error == kPathNotFound)
        return QStringLiteral("You need to setup Brimvault");
    if (!cause.isEmpty())
        return QStringLiteral("Error number %1. %2").arg(error).arg(cause);
    return QStringLiteral("Error number %1. This is a bug. Please report this number to the "
                          "Author of Brimvault.")
        .arg(error);
}

int reportLaunchFailure(Platform& platform, int error, const QString& cause) {
    if (error != 0)
        platform.messageBox(launchFailureText(error, cause), false);
    return error;
}

int checkDoomDirectory(const QString& directory) {
    return !directory.isEmpty() && QFileInfo(directory).isDir() ? 0 : kPathNotFound;
}

int writeLaunchFile(const QString& path, const FileLines& content) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return openFailureNumber(file, true);
    const QByteArray bytes = crlfLines(content.lines);
    // Buffered bytes can still fail on the way to the disk, so the flush is checked too.
    if (file.write(bytes) != bytes.size() || !file.flush())
        return writeFailureNumber(file);
    file.close();
    if (file.error() != QFileDevice::NoError)
        return writeFailureNumber(file);
    return content.failure;
}

int replaceUserFile(const QString& path, const FileLines& content) {
    // A device is written into, as before: replacing it would put a file in its place.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir())
        return writeLaunchFile(path, content);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return openFailureNumber(QFile(path), true);
    const QByteArray bytes = crlfLines(content.lines);
    // QSaveFile sees a short write only when flushed; commit() alone would keep half a file.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const int error = file.error() == QFileDevice::ResourceError ? kDiskFull : kDeviceIo;
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return openFailureNumber(QFile(path), true);
    return content.failure;
}

int readTextLines(const QString& path, QStringList& lines) {
    // Only a regular file has an end: a device such as /dev/zero would be read until memory
    // runs out, and a named pipe would wait for a writer that never comes.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return kAccessError;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return openFailureNumber(file, false);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return kDeviceIo;
    lines = splitScriptLines(bytes);
    return 0;
}

int replaceByRename(const QString& from, const QString& to) {
    std::error_code error;
    std::filesystem::rename(nativePath(from), nativePath(to), error);
    if (!error)
        return 0;
    if (error == std::errc::no_such_file_or_directory)
        return QFileInfo(from).absoluteDir().exists() ? kFileNotFound : kPathNotFound;
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted)
        return kPermissionDenied;
    if (error == std::errc::file_exists || error == std::errc::is_a_directory ||
        error == std::errc::directory_not_empty)
        return kFileExists;
    return kAccessError;
}

int startFailureNumber(StartFailure failure) {
    switch (failure) {
    case StartFailure::None:
        return 0;
    case StartFailure::NotFound:
        return kFileNotFound;
    case StartFailure::NotExecutable:
        return kPermissionDenied;
    case StartFailure::Other:
        return kAccessError;
    }
    return kAccessError;
}

} // namespace bv
