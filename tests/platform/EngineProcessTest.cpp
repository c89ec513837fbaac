// Games stood in for by a small program and shell scripts, started apart and ended their own way.
#include "support/Files.h"

#include "launch/Launches.h"
#include "platform/QtPlatform.h"
#include "settings/LaunchSettings.h"

#include <QTest>

#include <cerrno>
#include <deque>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs a shell script from dir with its output in dir/engine.txt; each end it hears is added to
// `ends` as "status|output (- none)|whether a newer start replaced engine.txt".
StartFailure startScript(QtPlatform& host, const QTemporaryDir& dir, const char* script,
                         QStringList& ends, QString& problem) {
    return host.startWatchedProcess(
        u"/bin/sh"_s, {"-c", script}, dir.path(), pathIn(dir, u"engine.txt"_s), problem,
        [&ends](const ProcessEnd& end, QIODevice* output, bool replaced) {
            ends << u"%1|%2|%3"_s.arg(end.number)
                        .arg(output ? output->readAll() : QByteArray("-"))
                        .arg(int(replaced));
        });
}

// The processes whose working directory is dir: a game started from that Doom directory. With
// no dir, every child of the test's, wherever a fault may have started it.
QList<pid_t> processesIn(const QString& dir = QString()) {
    QList<pid_t> found;
    const QDir proc(u"/proc"_s);
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        const pid_t pid = entry.toInt(&number);
        const QByteArray stat = readBytes(proc.filePath(entry + "/stat")); // "pid (name) S ppid"
        if (number &&
            (dir.isEmpty() ? stat.mid(stat.lastIndexOf(')') + 4).split(' ')[0].toInt() == getpid()
                           : QFileInfo(proc.filePath(entry + "/cwd")).symLinkTarget() == dir))
            found << pid;
    }
    return found;
}

// A game with a Doom directory, an engine.txt and a host of its own, whose replies it keeps.
struct Game {
    Game() {
        host.setConsoleReplies([this](const QString& text) { replies << text; });
    }
    QTemporaryDir doom;
    QtPlatform host{doom.path()};
    QStringList replies;
    LaunchSettings settings;
};

} // namespace

class EngineProcessTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A launch runs the engine from the Doom directory, each word plain (no shell), and hears its
    // end; the engine runs apart: input /dev/null, its own session, no blocked signal or extra fd.
    void aLaunchStartsTheEngineApartAndHearsItsEnd() {
        Game game;
        auto& [doom, host, replies, settings] = game;
        settings.setText(Text::doomDirectory, doom.path());
        settings.setText(Text::executable, QStringLiteral(BRIMVAULT_ENGINE_STAND_IN " exit 3"));
        settings.setText(Text::pwads, u"; touch pwned && echo $(id) `id` 'q\" $HOME"_s);
        // Input and a blocked signal of the launcher's own, which the game must not get.
        sigset_t usr1, before;
        sigemptyset(&usr1);
        sigaddset(&usr1, SIGUSR1);
        pthread_sigmask(SIG_BLOCK, &usr1, &before);
        int input[2];
        QCOMPARE(::pipe(input), 0);
        const int savedInput = ::dup(0);
        ::dup2(input[0], 0);
        const LaunchError launched = launchSinglePlayer(settings, host);
        ::dup2(savedInput, 0);
        for (int fd : {savedInput, input[0], input[1]})
            ::close(fd);
        pthread_sigmask(SIG_SETMASK, &before, nullptr);
        QCOMPARE(launched, LaunchError::none);
        QTRY_VERIFY(!replies.isEmpty());
        const QString name = u"engine_stand_in"_s;
        QStringList expected{name + " ended with status 3"};
        for (const char* word :
             {"touch", "pwned", "&&", "echo", "$(id)", "`id`", "'q\"", "$HOME", "-mb", "10"})
            expected << name + ": " + QLatin1String(word);
        // The stand-in prints the options it was given, as an engine does that refuses one.
        QCOMPARE(replies, expected << name + "'s output is in engine.txt"
                                   << name + " did not take -mb, which comes from Heap Size in "
                                             "the Advanced pane.");
        QVERIFY(!QFile::exists(pathIn(doom, u"pwned"_s)));
        QVERIFY(readBytes(pathIn(doom, u"engine.txt"_s))
                    .startsWith("0 1 2 \ninput null\nown session\nnothing blocked\n" +
                                QFile::encodeName(doom.path()) + "\n-file\n;\n"));
        replies.clear();
        settings.setText(Text::executable, QStringLiteral(BRIMVAULT_ENGINE_STAND_IN " signal 11"));
        QCOMPARE(launchSinglePlayer(settings, host), LaunchError::none);
        QTRY_VERIFY(!replies.isEmpty());
        QCOMPARE(replies.constFirst(), name + " ended by signal 11 (Segmentation fault)");
        // Programs that cannot be run: a plain file, a Windows program, none.
        writeBytes(pathIn(doom, u"plain"_s), "#!/bin/sh\n");
        makeExecutable(pathIn(doom, u"Doom3.exe"_s), "MZ\x90");
        QString problem;
        for (auto [file, failure] : {std::pair{"plain", StartFailure::NotExecutable},
                                     {"Doom3.exe", StartFailure::Other},
                                     {"missing", StartFailure::NotFound}}) {
            const QString program = pathIn(doom, QLatin1String(file));
            QCOMPARE(host.startWatchedProcess(program, {}, doom.path(),
                                              pathIn(doom, u"engine.txt"_s), problem, nullptr),
                     failure);
            QCOMPARE(host.startProcess(program, {}, doom.path()), failure); // unwatched
        }

        // Each start puts a new engine.txt in place, an older one keeps its own; nothing is left.
        const uint descriptors = QDir(u"/proc/self/fd"_s).count();
        std::vector<QStringList> ended(10);
        for (QStringList& one : ended)
            QCOMPARE(startScript(host, doom, "echo x; exit 1", one, problem), StartFailure::None);
        for (const QStringList& one : ended)
            QTRY_VERIFY(one.size() == 1);
        QCOMPARE(ended.front()[0] + ' ' + ended.back()[0], u"1|x\n|1 1|x\n|0"_s);
        QCOMPARE(QDir(u"/proc/self/fd"_s).count(), descriptors);
        QVERIFY(::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD); // every end reaped
        // An engine.txt that cannot be made leaves the game running with its output discarded.
        QVERIFY(QFile::remove(pathIn(doom, u"engine.txt"_s)));
        QVERIFY(QDir(doom.path()).mkdir(u"engine.txt"_s));
        QStringList lost;
        QCOMPARE(startScript(host, doom, "echo lost; exit 4", lost, problem), StartFailure::None);
        QCOMPARE(problem, qt_error_string(EISDIR));
        QTRY_COMPARE(lost, QStringList{u"4|-|0"_s});
        QVERIFY(QDir(doom.path()).entryList({"engine.txt.*"}, QDir::Files).isEmpty());
    }

    // Each engine the Exe list offers on Debian, found off the PATH, starts a game from the
    // program's own launch with the settings of a first start and with every setting such engines
    // used to refuse, and runs on four seconds later; all at once, with no display needed.
    void everyDebianEngineStartsAGame() {
        // The last test of its program: what it sets in the environment need not be put back.
        QTemporaryDir home;
        const QByteArray at = QFile::encodeName(home.path());
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            qputenv(name, at);
        qputenv("PATH", "/usr/bin:/bin");
        qputenv("SDL_VIDEODRIVER", "dummy");
        qputenv("SDL_AUDIODRIVER", "dummy");
        std::deque<Game> games;
        // However the test ends, it leaves no game running.
        const auto endAll = qScopeGuard([&] {
            for (pid_t pid : processesIn())
                ::kill(pid, SIGKILL);
        });
        QStringList missing;
        for (const char* engine : {"chocolate-doom", "crispy-doom", "dsda-doom", "woof"}) {
            if (!QFileInfo::exists(u"/usr/games/"_s + engine)) {
                missing << QLatin1String(engine);
                continue;
            }
            for (const bool everything : {false, true}) {
                Game& game = games.emplace_back();
                LaunchSettings& s = game.settings;
                s.setText(Text::doomDirectory, game.doom.path());
                s.setText(Text::executable, QLatin1String(engine));
                if (everything) {
                    s.setText(Text::warp, u"map07"_s);
                    s.setText(Text::configFile, u"brimvault.cfg"_s);
                    s.setText(Text::demoFile, u"demo1"_s);
                    for (Check check : {Check::threeDfx, Check::captureTheFlag, Check::recordDemo})
                        s.setCheck(check, 1);
                    s.setCheck(Check::monsters, 0);
                    s.setDm(DmOption::deathmatch);
                }
                QCOMPARE(launchSinglePlayer(s, game.host), LaunchError::none);
            }
        }
        QTest::qWait(4000);
        for (Game& game : games) {
            QVERIFY2(game.replies.filter(" ended").isEmpty(), qPrintable(game.replies.join('\n')));
            QCOMPARE(processesIn(game.doom.path()).size(), 1);
        }
        // dsda-doom ignores SIGTERM while it runs: what is left after half a second gets SIGKILL.
        for (pid_t pid : processesIn())
            ::kill(pid, SIGTERM);
        static_cast<void>(QTest::qWaitFor([&] { return processesIn().isEmpty(); }, 500));
        if (!missing.isEmpty())
            QSKIP(qPrintable("not installed: " + missing.join(", ")));
    }
};

QTEST_GUILESS_MAIN(EngineProcessTest)
#include "EngineProcessTest.moc"
