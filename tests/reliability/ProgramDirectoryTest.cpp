// A program directory that cannot be written, and an exit that is interrupted half way: the
// commands go on, the exit still ends the program, and the settings files of the last good
// exit stay whole.

#include "BadInput.h"

#include "core/Latin1Text.h"
#include "settings/ColourTheme.h"
#include "settings/InterpreterFixture.h"
#include "settings/CommandTable.h"
#include "settings/SettingsScript.h"

#include <QDir>
#include <QFile>

using namespace bv;
using namespace bv::test;

namespace {

const QByteArray kOldConfig = "zun_exe legacy.exe\r\nzun_warp 07\r\nsetdoompath /games/doom\r\n";
const QByteArray kOldColours = " 10 \r\n 20 \r\n 30 \r\n 40 \r\n 50 \r\n 60 \r\n";

bool mentions(const QStringList& lines, const QString& text) {
    for (const QString& line : lines) {
        if (line.contains(text))
            return true;
    }
    return false;
}

class BadProgramDirectory : public InterpreterFixture {
protected:
    void writeOldSettings(const QString& folder) {
        ASSERT_TRUE(writeBytes(folder + QStringLiteral("/config.brv"), kOldConfig));
        ASSERT_TRUE(writeBytes(folder + QStringLiteral("/colour.brc"), kOldColours));
    }
    QByteArray bytesIn(const QString& folder, const char* name) const {
        return readBytes(folder + QLatin1Char('/') + QLatin1String(name));
    }
    // The commands still work, the log goes on in memory, exit still ends the program.
    void expectCommandsWorkAndExitEnds() {
        EXPECT_TRUE(run(QStringLiteral("warp 07")).contains(QStringLiteral("Warp Set")));
        EXPECT_EQ(settings.text(Text::warp), QStringLiteral("07"));
        EXPECT_EQ(run(QStringLiteral("heap 16")).constLast(), QStringLiteral("Heap Set"));
        EXPECT_TRUE(interpreter.debugLog().endsWith(QStringLiteral("\nheap 16\necho Heap Set")));
        run(QStringLiteral("exit"));
        EXPECT_EQ(platform.quitCount, 1);
        EXPECT_TRUE(interpreter.ended());
    }
    QString exitReport() const {
        return platform.messages.empty() ? QString() : platform.messages.back().text;
    }
};

} // namespace

// Three places where nothing can be created, root or not: below a regular file, below a
// name too long for the file system, and /proc.
TEST_F(BadProgramDirectory, UnwritableFolderReportsTheDebugFileOnceAndStillEnds) {
    const QString folders[] = {pathThroughAFile(programDir),
                               pathIn(programDir, QString(300, QLatin1Char('p'))),
                               QStringLiteral("/proc/self")};
    for (const QString& folder : folders) {
        SCOPED_TRACE(folder.left(80).toStdString());
        LaunchSettings fresh;
        ConsoleOptions colours;
        FakePlatform host;
        host.programDir = folder;
        CommandInterpreter commands(fresh, colours, host);
        commands.interpret(QStringLiteral("warp 07"));
        commands.interpret(QStringLiteral("exec main.brv"));
        commands.interpret(QStringLiteral("exit"));

        const QStringList out = commands.consoleText().split(QLatin1Char('\n'));
        EXPECT_EQ(out.filter(QStringLiteral("debug.txt could not be written")).size(), 1);
        EXPECT_TRUE(out.contains(QStringLiteral("Warp Set")));
        EXPECT_TRUE(out.contains(QStringLiteral("Could not execute script")));
        EXPECT_EQ(fresh.text(Text::warp), QStringLiteral("07"));
        EXPECT_TRUE(commands.debugLog().contains(QStringLiteral("\nexec main.brv\n")));
        EXPECT_EQ(host.quitCount, 1);
        EXPECT_EQ(host.storeWrites.size(), 6u); // the store is elsewhere and still written
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_TRUE(host.messages[0].text.contains(QStringLiteral("config.brv could not be")));
        EXPECT_TRUE(host.messages[0].text.contains(QStringLiteral("colour.brc could not be")));
    }
}

TEST_F(BadProgramDirectory, DebugFileThatIsAFolderLeavesTheLogInMemory) {
    ASSERT_TRUE(QDir(programDir.path()).mkdir(QStringLiteral("debug.txt")));
    expectCommandsWorkAndExitEnds();
    EXPECT_EQ(outputLines().filter(QStringLiteral("debug.txt could not be written")).size(), 1);
    EXPECT_TRUE(platform.messages.empty()); // config.brv and colour.brc were written
    EXPECT_TRUE(QFileInfo(programFile(QStringLiteral("debug.txt"))).isDir());
    EXPECT_EQ(readBytes(programFile(QStringLiteral("config.brv"))),
              crlfLines(savedSettingsLines(settings)));
}

// A named pipe that nobody reads would block the first command for good.
TEST_F(BadProgramDirectory, DebugFileThatIsAPipeIsNotWaitedFor) {
    ASSERT_TRUE(makeFifo(programFile(QStringLiteral("debug.txt"))));
    expectCommandsWorkAndExitEnds();
    EXPECT_EQ(outputLines()
                  .filter(QStringLiteral("debug.txt could not be written (it is not a "
                                         "file)"))
                  .size(),
              1);
}

// A disk that fills up: every write stops after a few bytes. The debug log is a log and may
// stop part way; the settings files must not.
TEST_F(BadProgramDirectory, WritesThatStopHalfWayKeepTheOldSettingsWhole) {
    writeOldSettings(programDir.path());
    {
        FileSizeLimit limit(16);
        ASSERT_TRUE(limit.active());
        expectCommandsWorkAndExitEnds();
    }
    EXPECT_EQ(bytesIn(programDir.path(), "config.brv"), kOldConfig);
    EXPECT_EQ(bytesIn(programDir.path(), "colour.brc"), kOldColours);
    EXPECT_EQ(entriesOf(programDir.path()),
              (QStringList{"colour.brc", "config.brv", "debug.txt"})); // no temporary left over
    EXPECT_EQ(outputLines()
                  .filter(QStringLiteral("debug.txt could not be written (only part of "
                                         "it could be written"))
                  .size(),
              1);
    EXPECT_TRUE(exitReport().contains(programFile(QStringLiteral("config.brv"))));
    EXPECT_TRUE(exitReport().contains(programFile(QStringLiteral("colour.brc"))));
    EXPECT_TRUE(exitReport().contains(QStringLiteral("the disk may be full")));
}

TEST_F(BadProgramDirectory, ImmutableFolderKeepsTheOldSettingsWhole) {
    writeOldSettings(programDir.path());
    ImmutableFolder frozen(programDir.path());
    if (!frozen.active())
        GTEST_SKIP() << "this file system has no immutable flag";
    expectCommandsWorkAndExitEnds();
    EXPECT_EQ(bytesIn(programDir.path(), "config.brv"), kOldConfig);
    EXPECT_EQ(bytesIn(programDir.path(), "colour.brc"), kOldColours);
    EXPECT_EQ(entriesOf(programDir.path()), (QStringList{"colour.brc", "config.brv"}));
    EXPECT_EQ(outputLines().filter(QStringLiteral("debug.txt could not be written")).size(), 1);
    EXPECT_TRUE(exitReport().contains(QStringLiteral("config.brv could not be written")));
}

// The everyday case of a program folder the user may not write: permission bits, which do
// not stop root.
TEST_F(BadProgramDirectory, ReadOnlyFolderForAnOrdinaryUser) {
    if (runningAsRoot())
        GTEST_SKIP() << "permission bits do not stop root";
    writeOldSettings(programDir.path());
    const QFile::Permissions before = QFile::permissions(programDir.path());
    ASSERT_TRUE(QFile::setPermissions(programDir.path(), QFile::ReadOwner | QFile::ExeOwner));
    expectCommandsWorkAndExitEnds();
    QFile::setPermissions(programDir.path(), before);
    EXPECT_EQ(bytesIn(programDir.path(), "config.brv"), kOldConfig);
    EXPECT_EQ(bytesIn(programDir.path(), "colour.brc"), kOldColours);
}

// The exit sequence stopped at each of its steps in turn: the program ends every time, the
// files before the failing step are written whole, the ones after it too, and nothing that
// failed is half there.
TEST_F(BadProgramDirectory, StoreThatFailsHalfWayStillSavesBothFiles) {
    writeOldSettings(programDir.path());
    settings.setText(Text::warp, QStringLiteral("12"));
    colours.setValue(ConsoleOptions::backgroundRed, 99);
    platform.failStoreAfter = 3;
    run(QStringLiteral("exit"));
    EXPECT_EQ(platform.quitCount, 1);
    EXPECT_EQ(platform.storeWrites.size(), 3u);
    EXPECT_EQ(readBytes(programFile(QStringLiteral("config.brv"))),
              crlfLines(savedSettingsLines(settings)));
    EXPECT_EQ(readBytes(programFile(QStringLiteral("colour.brc"))),
              colourThemeBytes(colours.values()));
    EXPECT_TRUE(exitReport().contains(QStringLiteral("Window Settings/ConLeft could not be")));
    EXPECT_TRUE(exitReport().contains(QStringLiteral("Console Settings/Show could not be")));
    EXPECT_FALSE(exitReport().contains(QStringLiteral("MainTop")));
}

TEST_F(BadProgramDirectory, ColourFileThatIsAFolderIsLeftAloneAndTheRestIsSaved) {
    writeOldSettings(programDir.path());
    ASSERT_TRUE(QFile::remove(programFile(QStringLiteral("colour.brc"))));
    ASSERT_TRUE(QDir(programDir.path()).mkpath(QStringLiteral("colour.brc/inside")));
    run(QStringLiteral("exit"));
    EXPECT_EQ(platform.quitCount, 1);
    EXPECT_EQ(platform.storeWrites.size(), 6u);
    EXPECT_EQ(readBytes(programFile(QStringLiteral("config.brv"))),
              crlfLines(savedSettingsLines(settings)));
    EXPECT_TRUE(QFileInfo(programFile(QStringLiteral("colour.brc/inside"))).isDir());
    EXPECT_TRUE(exitReport().contains(QStringLiteral("colour.brc could not be written")));
    EXPECT_FALSE(exitReport().contains(QStringLiteral("config.brv")));
}

TEST_F(BadProgramDirectory, ConfigThatCannotBeWrittenStillLetsTheRestBeSaved) {
    writeOldSettings(programDir.path());
    ASSERT_TRUE(QFile::remove(programFile(QStringLiteral("config.brv"))));
    ASSERT_TRUE(QDir(programDir.path()).mkdir(QStringLiteral("config.brv")));
    colours.setValue(ConsoleOptions::textBlue, 77);
    run(QStringLiteral("exit"));
    EXPECT_EQ(platform.quitCount, 1);
    EXPECT_EQ(platform.storeWrites.size(), 6u);
    EXPECT_EQ(readBytes(programFile(QStringLiteral("colour.brc"))),
              colourThemeBytes(colours.values()));
    EXPECT_TRUE(exitReport().contains(QStringLiteral("config.brv could not be written")));
}

// A failed exit is still an exit: a second one, or any command after it, does nothing.
TEST_F(BadProgramDirectory, NothingRunsAfterAFailedExit) {
    platform.programDir = pathThroughAFile(programDir);
    platform.onMessage = [this](const QString&) {
        interpreter.interpret(QStringLiteral("warp 99"));
    };
    run(QStringLiteral("exit"));
    run(QStringLiteral("exit"));
    EXPECT_EQ(platform.quitCount, 1);
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(settings.text(Text::warp), QStringLiteral("99"));
    EXPECT_FALSE(mentions(logLines(), QStringLiteral("warp 99")));
}

// Settings saved onto a device (a slip in the save dialog, or a config.brv that is one): the
// write is refused and the device stays in place, where renaming a new file over it would
// have replaced it.
TEST_F(BadProgramDirectory, DeviceInThePlaceOfASettingsFileStaysADevice) {
    const QString config = programFile(QStringLiteral("config.brv"));
    if (!makeNullDevice(config))
        GTEST_SKIP() << "only root may make a device node";
    const WriteResult saved = writeSettingsScript(config, settings);
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(saved.message, QStringLiteral("it is a device or a pipe, not a file"));
    run(QStringLiteral("exit"));
    EXPECT_EQ(platform.quitCount, 1);
    EXPECT_TRUE(isCharacterDevice(config));
    EXPECT_TRUE(exitReport().contains(QStringLiteral("config.brv could not be written: it is a "
                                                     "device or a pipe")));
}
