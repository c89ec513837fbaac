// Real games are stood in for by small shell scripts: each starts apart from the test,
// writes where the game's output goes, and ends in its own way.
#include "support/TempDir.h"

#include "launch/EngineReport.h"
#include "platform/QtPlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTest>

#include <cerrno>

#include <sys/resource.h>
#include <sys/wait.h>

using namespace bv;
using namespace bv::test;

namespace {

struct Ended {
    int calls = 0;
    ProcessEnd end;
    QByteArray output;
    bool hadOutput = false;
    bool replaced = false;
};

ProcessEndHandler recorder(Ended& ended) {
    return [&ended](const ProcessEnd& end, QIODevice* output, bool replaced) {
        ++ended.calls;
        ended.end = end;
        ended.hadOutput = output != nullptr;
        ended.output = output ? output->readAll() : QByteArray();
        ended.replaced = replaced;
    };
}

// Starts `sh -c script` from dir with its output in dir/engine.txt, recording its end.
StartFailure startScript(QtPlatform& host, const QTemporaryDir& dir, const QString& script,
                         Ended& ended, QString* problem = nullptr) {
    QString unused;
    return host.startWatchedProcess(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script},
                                    dir.path(), pathIn(dir, QStringLiteral("engine.txt")),
                                    problem ? *problem : unused, recorder(ended));
}

int openDescriptors() {
    return static_cast<int>(QDir(QStringLiteral("/proc/self/fd"))
                                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                                .size());
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

class EngineProcessTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each ending is reported once, with the program apart from the test: a session of its
    // own, no blocked signal, no descriptor but its three standard ones.
    void anEngineThatEndsAtOnceIsReportedOnce_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("number");
        QTest::newRow("status 3") << "exit" << 3;
        QTest::newRow("killed") << "signal" << 11;
        QTest::newRow("ended well") << "exit" << 0;
    }
    void anEngineThatEndsAtOnceIsReportedOnce() {
        QFETCH(QString, how);
        QFETCH(int, number);
        QTemporaryDir dir;
        QtPlatform host(dir.path());
        Ended ended;
        QString problem;
        QCOMPARE(host.startWatchedProcess(QStringLiteral(BRIMVAULT_ENGINE_STAND_IN),
                                          {how, QString::number(number)}, dir.path(),
                                          pathIn(dir, QStringLiteral("engine.txt")), problem,
                                          recorder(ended)),
                 StartFailure::None);
        QTRY_COMPARE(ended.calls, 1);
        QCoreApplication::processEvents();
        QCOMPARE(ended.calls, 1);
        QCOMPARE(ended.end.bySignal, how == QLatin1String("signal"));
        QCOMPARE(ended.end.number, number);
        QVERIFY(!ended.replaced);
        QCOMPARE(ended.output, QByteArray("0 1 2 \nown session\nnothing blocked\n"));
    }

    void tenLaunchesLeaveNoZombieAndNoDescriptor() {
        QTemporaryDir dir;
        QtPlatform host(dir.path());
        Ended first;
        startScript(host, dir, QStringLiteral("exit 0"), first); // the watch is set up
        QTRY_COMPARE(first.calls, 1);
        const int descriptors = openDescriptors();
        std::vector<Ended> ended(10);
        for (Ended& one : ended)
            QCOMPARE(startScript(host, dir, QStringLiteral("echo x; exit 1"), one),
                     StartFailure::None);
        for (const Ended& one : ended)
            QTRY_COMPARE(one.calls, 1);
        QCOMPARE(ended.back().output, QByteArray("x\n"));
        QVERIFY(ended.front().replaced);
        QVERIFY(!ended.back().replaced);
        QCOMPARE(openDescriptors(), descriptors);
        int status = 0;
        QCOMPARE(::waitpid(-1, &status, WNOHANG), -1); // every child was reaped
        QCOMPARE(errno, ECHILD);
    }

    // The launcher ends first; the game goes on writing, into its file, not a closed pipe.
    void anEngineOutlivesItsLauncher() {
        QTemporaryDir dir;
        const QString done = pathIn(dir, QStringLiteral("done"));
        const QString script =
            QStringLiteral("sleep 0.3; i=0; while [ $i -lt 2000 ]; do echo line $i; "
                           "i=$((i+1)); done; : > '%1'")
                .arg(done);
        const QString output = pathIn(dir, QStringLiteral("engine.txt"));
        QCOMPARE(
            QProcess::execute(QStringLiteral(BRIMVAULT_WATCH_LAUNCHER),
                              {output, QStringLiteral("/bin/sh"), QStringLiteral("-c"), script}),
            0);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(done), 20000);
        const QList<QByteArray> lines = readBytes(output).split('\n');
        QCOMPARE(lines.size(), 2001);
        QCOMPARE(lines.at(1999), QByteArray("line 1999"));
    }

    void twentyMegabytesOfOutputCostBoundedMemory() {
        QTemporaryDir dir;
        QtPlatform host(dir.path());
        QStringList lastLines;
        QString problem;
        const long before = peakKilobytes();
        host.startWatchedProcess(
            QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"),
             QStringLiteral("yes 'a line of output' | head -c 20000000; echo end; exit 1")},
            dir.path(), pathIn(dir, QStringLiteral("engine.txt")), problem,
            [&lastLines](const ProcessEnd&, QIODevice* output, bool) {
                lastLines = lastOutputLines(*output);
            });
        QTRY_VERIFY_WITH_TIMEOUT(!lastLines.isEmpty(), 20000);
        QCOMPARE(lastLines.size(), kReportedOutputLines);
        QCOMPARE(lastLines.constLast(), QStringLiteral("a line of end"));
        QVERIFY2(peakKilobytes() - before < 8 * 1024, "more than 8 MB for 20 MB of output");
    }

    // A folder where engine.txt goes: the game runs with its output discarded.
    void outputThatCannotBeMadeIsDiscarded() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("engine.txt")));
        QtPlatform host(dir.path());
        Ended ended;
        QString problem;
        QCOMPARE(startScript(host, dir, QStringLiteral("echo lost; exit 4"), ended, &problem),
                 StartFailure::None);
        QCOMPARE(problem, qt_error_string(EISDIR));
        QTRY_COMPARE(ended.calls, 1);
        QCOMPARE(ended.end.number, 4);
        QVERIFY(!ended.hadOutput);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }
};

QTEST_GUILESS_MAIN(EngineProcessTest)
#include "EngineProcessTest.moc"
