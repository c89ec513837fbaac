#include "LaunchFiles.h"

#include "core/Latin1Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <filesystem>
#include <system_error>

namespace bv {

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
LaunchError openFailure(const QString& path, QFileDevice::FileError error, bool forWriting) {
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        return LaunchError::pathNotFound;
    if (error == QFileDevice::ResourceError)
        return LaunchError::tooManyFiles;
    if (info.isDir())
        return LaunchError::accessError;
    if (!forWriting)
        return !info.exists()       ? LaunchError::fileNotFound
               : !info.isReadable() ? LaunchError::permissionDenied
                                    : LaunchError::accessError;
    const bool allowed =
        info.exists() ? info.isWritable() : QFileInfo(info.absolutePath()).isWritable();
    return allowed ? LaunchError::accessError : LaunchError::permissionDenied;
}

LaunchResult openFailed(const QFileDevice& file, const QString& path, LaunchAction action) {
    return launchFailure(openFailure(path, file.error(), action == LaunchAction::writing), action,
                         path);
}

LaunchResult writeFailed(const QFileDevice& file, const QString& path) {
    // The file engine reports a full disk as a resource error.
    return launchFailure(file.error() == QFileDevice::ResourceError ? LaunchError::diskFull
                                                                    : LaunchError::deviceIo,
                         LaunchAction::writing, path);
}

} // namespace

LaunchResult checkDoomDirectory(const QString& directory) {
    if (!directory.isEmpty() && QFileInfo(directory).isDir())
        return {};
    return launchFailure(LaunchError::pathNotFound, LaunchAction::findingDoomDirectory, directory);
}

LaunchResult writeLaunchFile(const QString& path, const FileLines& content) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return openFailed(file, path, LaunchAction::writing);
    const QByteArray bytes = crlfLines(content.lines);
    // Buffered bytes can still fail on the way to the disk, so the flush is checked too.
    if (file.write(bytes) != bytes.size() || !file.flush())
        return writeFailed(file, path);
    file.close();
    if (file.error() != QFileDevice::NoError)
        return writeFailed(file, path);
    return launchFailure(content.failure, LaunchAction::writing, path);
}

LaunchResult replaceUserFile(const QString& path, const FileLines& content) {
    // A device is written into, as before: replacing it would put a file in its place.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir())
        return writeLaunchFile(path, content);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return openFailed(QFile(path), path, LaunchAction::writing);
    const QByteArray bytes = crlfLines(content.lines);
    // QSaveFile sees a short write only when flushed; commit() alone would keep half a file.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const LaunchResult failed = writeFailed(file, path);
        file.cancelWriting();
        return failed;
    }
    if (!file.commit())
        return openFailed(QFile(path), path, LaunchAction::writing);
    return launchFailure(content.failure, LaunchAction::writing, path);
}

LaunchResult readTextLines(const QString& path, QStringList& lines) {
    // Only a regular file has an end: a device such as /dev/zero would be read until memory
    // runs out, and a named pipe would wait for a writer that never comes.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return launchFailure(LaunchError::accessError, LaunchAction::reading, path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return openFailed(file, path, LaunchAction::reading);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return launchFailure(LaunchError::deviceIo, LaunchAction::reading, path);
    lines = splitScriptLines(bytes);
    return {};
}

LaunchResult replaceByRename(const QString& from, const QString& to) {
    std::error_code error;
    std::filesystem::rename(nativePath(from), nativePath(to), error);
    if (!error)
        return {};
    LaunchError failure = LaunchError::accessError;
    if (error == std::errc::no_such_file_or_directory)
        failure = QFileInfo(from).absoluteDir().exists() ? LaunchError::fileNotFound
                                                         : LaunchError::pathNotFound;
    else if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted)
        failure = LaunchError::permissionDenied;
    else if (error == std::errc::file_exists || error == std::errc::is_a_directory ||
             error == std::errc::directory_not_empty)
        failure = LaunchError::fileExists;
    // The file being moved aside is what the player knows by name.
    return launchFailure(failure, LaunchAction::writing, from);
}

LaunchError startFailureError(StartFailure failure) {
    switch (failure) {
    case StartFailure::None:
        return LaunchError::none;
    case StartFailure::NotFound:
        return LaunchError::fileNotFound;
    case StartFailure::NotExecutable:
        return LaunchError::permissionDenied;
    case StartFailure::Other:
        return LaunchError::accessError;
    }
    return LaunchError::accessError;
}

} // namespace bv
