#pragma once

// Ways to make the file system refuse, that hold for root too: permission bits do not stop
// root, so a write is made to fail by a file size limit, a path through a regular file, a
// name longer than the file system allows, an immutable folder (where the file system has
// one), or a place such as /proc where nothing can be created.

#include "support/TempDir.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <csignal>
#include <ostream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace bv::test {

// Every write of a regular file beyond `bytes` fails for as long as this lives: a file write
// that stops half way, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        if (active_)
            setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return active_; }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
    bool active_ = false;
};

// A folder that nobody, root included, may create, rename or delete files in, for as long as
// this lives. Not every file system has the flag: check active().
class ImmutableFolder {
public:
    explicit ImmutableFolder(QString path) : path_(std::move(path)) {
        active_ = chattr(QStringLiteral("+i")) && !canCreateIn(path_);
        if (!active_)
            chattr(QStringLiteral("-i"));
    }
    ~ImmutableFolder() {
        if (active_)
            chattr(QStringLiteral("-i"));
    }
    ImmutableFolder(const ImmutableFolder&) = delete;
    ImmutableFolder& operator=(const ImmutableFolder&) = delete;

    bool active() const { return active_; }

private:
    bool chattr(const QString& flag) const {
        // Tests may narrow PATH to their own fakes; chattr lives in the system's folders.
        const QString chattr = QStandardPaths::findExecutable(
            QStringLiteral("chattr"), {QStringLiteral("/usr/bin"), QStringLiteral("/bin"),
                                       QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
        if (chattr.isEmpty())
            return false;
        QProcess process;
        process.start(chattr, {flag, path_});
        return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }
    static bool canCreateIn(const QString& folder) {
        QFile probe(folder + QStringLiteral("/.probe"));
        if (!probe.open(QIODevice::WriteOnly))
            return false;
        probe.close();
        probe.remove();
        return true;
    }

    QString path_;
    bool active_ = false;
};

// A folder path below a regular file: every attempt to create something there fails with
// "not a directory".
inline QString pathThroughAFile(const QTemporaryDir& dir) {
    const QString file = pathIn(dir, QStringLiteral("plain-file"));
    if (!QFileInfo::exists(file))
        writeBytes(file, "not a folder");
    return file + QStringLiteral("/program");
}

// A file name longer than the 255 bytes a file system allows.
inline QString tooLongName() {
    return QString(300, QLatin1Char('n')) + QStringLiteral(".brv");
}

inline bool makeFifo(const QString& path) {
    return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

// A device node like /dev/null (which swallows what is written), made in a test's own folder
// so that nothing the test does can touch the system's devices. Only root may make one.
inline bool makeNullDevice(const QString& path) {
    return mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
}

inline bool isCharacterDevice(const QString& path) {
    struct stat info {};
    return lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISCHR(info.st_mode);
}

// The names in a folder, hidden ones included: shows that no temporary file was left behind.
inline QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// A file's lines split at CR LF; a file that does not end in CR LF gets "<no line end>" last.
inline QStringList crlfSplit(const QByteArray& bytes) {
    QStringList lines = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
    if (lines.constLast().isEmpty())
        lines.removeLast();
    else
        lines.append(QStringLiteral("<no line end>"));
    return lines;
}

// False when any character of the text outside Latin-1 reached the bytes in another encoding
// (UTF-8, the usual way such a character breaks a Latin-1 file).
inline bool noForeignBytes(const QByteArray& bytes, const QString& text) {
    for (const char32_t c : text.toUcs4()) {
        if (c >= 0x100 && bytes.contains(QString::fromUcs4(&c, 1).toUtf8()))
            return false;
    }
    return true;
}

inline bool runningAsRoot() {
    return geteuid() == 0;
}

} // namespace bv::test
