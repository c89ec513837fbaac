// Real games are stood in for by small shell scripts: each starts apart from the test,
// writes where the game's output goes, and ends in its own way.
#include "support/Files.h"

#include "launch/EngineReport.h"
#include "launch/Launches.h"
#include "platform/QtPlatform.h"
#include "settings/LaunchSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTest>

#include <cerrno>
#include <csignal>

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

// Starts programs for real; its message boxes are recorded.
struct RealHost : QtPlatform {
    using QtPlatform::QtPlatform;
    void messageBox(const QString& text, bool) override { shown << text; }
    QStringList shown;
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
        // A signal Brimvault blocks stays Brimvault's: the game starts with none blocked.
        sigset_t usr1, before;
        sigemptyset(&usr1);
        sigaddset(&usr1, SIGUSR1);
        pthread_sigmask(SIG_BLOCK, &usr1, &before);
        QCOMPARE(host.startWatchedProcess(QStringLiteral(BRIMVAULT_ENGINE_STAND_IN),
                                          {how, QString::number(number)}, dir.path(),
                                          pathIn(dir, QStringLiteral("engine.txt")), problem,
                                          recorder(ended)),
                 StartFailure::None);
        pthread_sigmask(SIG_SETMASK, &before, nullptr);
        QTRY_COMPARE(ended.calls, 1);
        QCoreApplication::processEvents();
        QCOMPARE(ended.calls, 1);
        QCOMPARE(ended.end.bySignal, how == QLatin1String("signal"));
        QCOMPARE(ended.end.number, number);
        QVERIFY(!ended.replaced);
        QCOMPARE(ended.output,
                 "0 1 2 \nown session\nnothing blocked\n" + QFile::encodeName(dir.path()) + "\n");
    }

    // A launch runs the engine itself, from the Doom directory, each word as plain text (no
    // shell sees them), and the console hears how it ended.
    void aLaunchStartsTheEngineItselfAndHearsItsEnd() {
        QTemporaryDir doom, bin;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit()); // no wine
        RealHost host(doom.path());
        QStringList replies;
        host.setConsoleReplies([&replies](const QString& text) { replies << text; });
        LaunchSettings settings;
        settings.setText(Text::doomDirectory, doom.path());
        settings.setText(Text::executable, QStringLiteral(BRIMVAULT_ENGINE_STAND_IN " exit 3"));
        settings.setText(Text::extraParameters,
                         QStringLiteral("; touch pwned && echo $(id) `id` 'q\" $HOME"));
        QCOMPARE(launchSinglePlayer(settings, host), LaunchError::none);
        QTRY_VERIFY(!replies.isEmpty());
        const QString name = QStringLiteral("engine_stand_in");
        QStringList expected{name + " ended with status 3"};
        for (const char* word :
             {"10", ";", "touch", "pwned", "&&", "echo", "$(id)", "`id`", "'q\"", "$HOME"})
            expected << name + ": " + QLatin1String(word);
        QCOMPARE(replies, expected << name + "'s output is in engine.txt");
        QVERIFY(!QFile::exists(pathIn(doom, QStringLiteral("pwned"))));
        QVERIFY(readBytes(pathIn(doom, QStringLiteral("engine.txt")))
                    .contains("\n" + QFile::encodeName(doom.path()) + "\n-mb\n"));
        // Engines that cannot be run: the number and what failed.
        writeBytes(pathIn(doom, QStringLiteral("engine")), "#!/bin/sh\n");
        makeExecutable(pathIn(doom, QStringLiteral("Doom3.exe")), "MZ\x90");
        for (const char* engine : {"engine", "missing", "Doom3.exe"}) {
            settings.setText(Text::executable, QLatin1String(engine));
            launchSinglePlayer(settings, host);
        }
        qputenv("PATH", path);
        QCOMPARE(host.shown,
                 QStringList({"Error number 70. " + doom.path() + "/engine may not be run.",
                              "Error number 53. missing was not found in the Doom directory " +
                                  doom.path() + " or on the PATH.",
                              QStringLiteral("Error number 75. Doom3.exe is a Windows program, "
                                             "and wine, which runs Windows programs on this "
                                             "system, is not installed. Install wine, then "
                                             "launch again.")}));
        QtPlatform bare(doom.path());
        QString problem;
        QCOMPARE(bare.startWatchedProcess(pathIn(doom, QStringLiteral("missing")), {}, doom.path(),
                                          pathIn(doom, QStringLiteral("e.txt")), problem, nullptr),
                 StartFailure::NotFound);
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
