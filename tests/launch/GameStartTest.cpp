#include "LaunchFixture.h"

#include "launch/GameStart.h"
#include "launch/Launches.h"
#include "platform/QtPlatform.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

using namespace bv;
using namespace bv::test;

namespace {

void makeExecutable(const QString& path, const QByteArray& script) {
    ASSERT_TRUE(writeBytes(path, script));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner));
}

} // namespace

using GameStart = LaunchFixture;

TEST_F(GameStart, ProgramsAreFoundInTheDoomDirectoryFirstThenOnPath) {
    const QString dir = doomDir.path();
    makeExecutable(doomFile(QStringLiteral("Legacy.EXE")), "#!/bin/sh\n");
    makeExecutable(pathIn(binDir, QStringLiteral("prboom")), "#!/bin/sh\n");
    makeExecutable(pathIn(binDir, QStringLiteral("hx8.exe")), "#!/bin/sh\n");

    EXPECT_EQ(findProgram(dir, QStringLiteral("legacy.exe"), true),
              doomFile(QStringLiteral("Legacy.EXE")));
    EXPECT_EQ(findProgram(dir, doomFile(QStringLiteral("Legacy.EXE")), true),
              doomFile(QStringLiteral("Legacy.EXE")));
    EXPECT_EQ(findProgram(dir, QStringLiteral("prboom"), true), pathIn(binDir, "prboom"));
    EXPECT_TRUE(findProgram(dir, QStringLiteral("prboom"), false).isEmpty());
    EXPECT_TRUE(findProgram(dir, QStringLiteral("sub/prboom"), true).isEmpty());
    EXPECT_TRUE(findProgram(dir, QStringLiteral("missing"), true).isEmpty());

    // hx8.exe belongs in the Doom directory; one elsewhere on PATH is not taken.
    EXPECT_EQ(hx8StartCommand(dir, QString()).failure.error, LaunchError::fileNotFound);
    EXPECT_EQ(engineStartCommand(dir, QString(), QString(), {}).failure.error,
              LaunchError::fileNotFound);
}

TEST_F(GameStart, WindowsProgramsRunThroughWineWhenThereIsOne) {
    makeExecutable(doomFile(QStringLiteral("legacy.exe")), "MZ");
    const StartCommand direct =
        engineStartCommand(doomDir.path(), QString(), QStringLiteral("legacy.exe"), {" -warp  01"});
    EXPECT_EQ(direct.program, doomFile(QStringLiteral("legacy.exe")));
    EXPECT_EQ(direct.arguments, (QStringList{"-warp", "01"}));

    makeExecutable(pathIn(binDir, QStringLiteral("wine")), "#!/bin/sh\n");
    const StartCommand wine =
        engineStartCommand(doomDir.path(), QString(), QStringLiteral("legacy.exe"), {" -warp  01"});
    EXPECT_EQ(wine.program, pathIn(binDir, QStringLiteral("wine")));
    EXPECT_EQ(wine.arguments, (QStringList{doomFile(QStringLiteral("legacy.exe")), "-warp", "01"}));
    EXPECT_EQ(wine.workingDirectory, doomDir.path());

    platform.startResult = StartFailure::NotExecutable;
    EXPECT_EQ(launchSinglePlayer(settings, platform), LaunchError::fileNotFound); // no Doom3.exe
    settings.setText(Text::executable, QStringLiteral("legacy.exe"));
    EXPECT_EQ(launchSinglePlayer(settings, platform), LaunchError::permissionDenied);
    EXPECT_EQ(platform.messages.size(), 2u);
}

// The engine really starts: a script that records where it runs and each argument it gets.
TEST_F(GameStart, TheEngineGetsEveryWordAsPlainTextInTheDoomDirectory) {
    makeExecutable(doomFile(QStringLiteral("engine")),
                   "#!/bin/sh\n"
                   "PATH=/usr/bin:/bin\n" // the test's own PATH holds only its fakes
                   "out=\"${0%/*}/record\"\n"
                   "{ pwd -P; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > \"$out.tmp\"\n"
                   "mv \"$out.tmp\" \"$out.txt\"\n");
    settings.setText(Text::executable, QStringLiteral("engine"));
    settings.setText(Text::extraParameters,
                     QStringLiteral("; touch pwned && echo $(id) `id` 'q\" $HOME"));
    QtPlatform host(doomDir.path());
    ASSERT_EQ(launchSinglePlayer(settings, host), LaunchError::none);

    const QString record = doomFile(QStringLiteral("record.txt"));
    QDeadlineTimer deadline(10000);
    while (!QFileInfo::exists(record) && !deadline.hasExpired())
        QThread::msleep(20); // the engine is a separate process; there is no event to await
    ASSERT_TRUE(QFileInfo::exists(record));
    QStringList lines = QString::fromUtf8(readBytes(record)).split(QLatin1Char('\n'));
    lines.removeLast();
    EXPECT_EQ(lines.takeFirst(), QFileInfo(doomDir.path()).canonicalFilePath());
    EXPECT_EQ(lines, (QStringList{"-mb", "10", ";", "touch", "pwned", "&&", "echo", "$(id)", "`id`",
                                  "'q\"", "$HOME"}));
    EXPECT_FALSE(QFileInfo::exists(doomFile(QStringLiteral("pwned"))));
}
