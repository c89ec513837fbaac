// Starts a game stand-in that writes a growing amount of output and ends with a failure, and
// prints what hearing its end cost: the launcher's peak memory growth and the time to read the
// last lines, which are read from the end of engine.txt however large it is.
#include "launch/EngineReport.h"
#include "platform/QtPlatform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

#include <sys/resource.h>

namespace {

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    std::printf("%10s %14s %16s %12s  %s\n", "output", "peak growth", "reading lines", "lines",
                "last line");
    for (const int megabytes : {1, 20, 200}) {
        QTemporaryDir dir;
        bv::QtPlatform host(dir.path());
        QString problem;
        const long before = peakKilobytes();
        const QString script =
            QStringLiteral("yes 'a line of output' | head -c %1; echo end; exit 1")
                .arg(qint64(megabytes) * 1000 * 1000);
        QStringList last;
        qint64 readingNs = 0;
        host.startWatchedProcess(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script},
                                 dir.path(), dir.path() + QStringLiteral("/engine.txt"), problem,
                                 [&](const bv::ProcessEnd&, QIODevice* output, bool) {
                                     QElapsedTimer reading;
                                     reading.start();
                                     if (output)
                                         last = bv::lastOutputLines(*output);
                                     readingNs = reading.nsecsElapsed();
                                     app.quit();
                                 });
        app.exec();
        std::printf("%7d MB %11ld KB %13.2f ms %12lld  %s\n", megabytes, peakKilobytes() - before,
                    double(readingNs) / 1e6, static_cast<long long>(last.size()),
                    last.isEmpty() ? "" : qPrintable(last.constLast()));
    }
    return 0;
}
