#pragma once

// Files for tests, and ways to make the file system refuse that hold for root too (permission bits
// do not stop root): a file size limit, a path through a file, a pipe.

#include <QtCore>

#include <csignal>
#include <ostream>

#include <sys/resource.h>
#include <sys/stat.h>

// Failed comparisons of texts print the texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '{' << texts.join(QLatin1Char('|')).toStdString() << '}';
}

namespace bv::test {

using namespace Qt::StringLiterals; // u"text"_s and "text"_L1

// A table cell of several texts written as one: "a|b|c".
inline QStringList list(const char* joined) {
    return QString::fromLatin1(joined).split(QLatin1Char('|'));
}

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

inline QString pathIn(const QTemporaryDir& dir, const QString& name) {
    return dir.path() + QLatin1Char('/') + name;
}

inline bool makeExecutable(const QString& path, const QByteArray& bytes = "#!/bin/sh\n") {
    return writeBytes(path, bytes) &&
           QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
}

// A folder path below a regular file: creating anything there fails.
inline QString pathThroughAFile(const QTemporaryDir& dir) {
    const QString file = pathIn(dir, u"plain-file"_s);
    writeBytes(file, "not a folder");
    return file + u"/below"_s;
}

inline bool makeFifo(const QString& path) {
    return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

// Every write of a regular file beyond `bytes` fails while the guard lives, as on a full disk.
inline auto fileSizeLimit(rlim_t bytes) {
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limited = previous;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
    return qScopeGuard([previous, handler = std::signal(SIGXFSZ, SIG_IGN)] {
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, handler);
    });
}

} // namespace bv::test

// Tests speak the program's own names unqualified.
using namespace bv;
using namespace bv::test;
