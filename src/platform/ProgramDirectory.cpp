#include "ProgramDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace bv {

namespace {

const char* const kDelivered[] = {"main.brv", "config.brv", "colour.brc", "help"};

// Copies what is missing below target; returns false if something could not be copied.
bool copyMissing(const QString& source, const QString& target) {
    const QFileInfo info(source);
    if (!info.exists())
        return true;
    if (info.isFile())
        return QFileInfo::exists(target) || QFile::copy(source, target);
    if (!QDir().mkpath(target))
        return false;
    bool ok = true;
    const QDir dir(source);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
        ok = copyMissing(dir.filePath(name), QDir(target).filePath(name)) && ok;
    return ok;
}

} // namespace

QString installedDataDirectory(const QString& executableDirectory) {
    return QDir::cleanPath(executableDirectory + QStringLiteral("/../share/brimvault"));
}

bool isInstalledLayout(const QString& executableDirectory) {
    return QDir::cleanPath(QFileInfo(executableDirectory).absoluteFilePath())
               .endsWith(QLatin1String("/bin")) &&
           QFileInfo(installedDataDirectory(executableDirectory)).isDir();
}

bool isPortableFolder(const QString& executableDirectory) {
    return QFileInfo(executableDirectory).isWritable() && !isInstalledLayout(executableDirectory);
}

ProgramDirectoryChoice chooseProgramDirectory(const QString& executableDirectory,
                                              const QString& userDataDirectory) {
    if (isPortableFolder(executableDirectory))
        return {executableDirectory, true, QString()};

    const QString sharedDataDirectory = installedDataDirectory(executableDirectory);
    ProgramDirectoryChoice choice{userDataDirectory, false, QString()};
    if (!QDir().mkpath(userDataDirectory)) {
        choice.problem = QStringLiteral("could not create %1").arg(userDataDirectory);
        return choice;
    }
    for (const char* name : kDelivered) {
        const QString file = QString::fromLatin1(name);
        if (!copyMissing(QDir(sharedDataDirectory).filePath(file),
                         QDir(userDataDirectory).filePath(file)))
            choice.problem =
                QStringLiteral("could not copy %1 into %2").arg(file, userDataDirectory);
    }
    return choice;
}

} // namespace bv
