// A Doom directory that is a file, that cannot be written, or whose doomatic.cfg cannot be
// moved; parameter files that never end; engines that cannot be started. Every launch ends
// with the launch failure report, starts nothing, and leaves the user's files as they were.

#include "BadInput.h"

#include "launch/LaunchFixture.h"
#include "launch/Launches.h"
#include "platform/QtPlatform.h"
#include "settings/CommandTable.h"
#include "settings/SettingsScript.h"

#include <QFile>
#include <QFileInfo>

#include <functional>

using namespace bv;
using namespace bv::test;

namespace {

using Launch = std::function<LaunchError(const LaunchSettings&, Platform&)>;

QString setupReport(const QString& directory) {
    return QStringLiteral("You need to setup Brimvault\nThe Doom directory %1 was not found. "
                          "Choose it in Tools, Options.")
        .arg(directory);
}
const QByteArray kOldDoomatic = "name = \"old\"\r\n#WADSET\r\ndesc = mine\r\n";

QString bugReport(int error) {
    return QStringLiteral("Error number %1. This is a bug. Please report this number to the "
                          "Author of Brimvault.")
        .arg(error);
}

void makeExecutable(const QString& path, const QByteArray& bytes) {
    ASSERT_TRUE(writeBytes(path, bytes));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner));
}

// Starts programs for real, but shows its message boxes through the recording fake.
class RealStarts : public QtPlatform {
public:
    RealStarts(const QString& directory, FakePlatform& shown)
        : QtPlatform(directory), shown_(shown) {}
    void messageBox(const QString& text, bool icon) override { shown_.messageBox(text, icon); }

private:
    FakePlatform& shown_;
};

class BadDoomDirectory : public LaunchFixture {
protected:
    BadDoomDirectory() { settings.addToList(BotList::selectedBots, QStringLiteral("bob")); }

    // Runs a launch that must fail: returns the report shown, and checks that nothing was
    // started and no setting changed.
    QString failedLaunch(const Launch& launch, int expected) {
        const QStringList before = savedSettingsLines(settings);
        platform.messages.clear();
        EXPECT_EQ(static_cast<int>(launch(settings, platform)), expected);
        EXPECT_TRUE(platform.starts.empty());
        EXPECT_EQ(savedSettingsLines(settings), before);
        const QStringList texts = messageTexts();
        return texts.isEmpty() ? QString() : texts.constLast();
    }
};

const struct {
    const char* name;
    Launch launch;
} kLaunches[] = {
    {"single player", launchSinglePlayer}, {"HX8", launchHx8}, {"Doomatic", launchDoomatic}};

} // namespace

TEST_F(BadDoomDirectory, ThatIsAFileAsksForSetupAndLeavesTheFileAlone) {
    const QString file = doomFile(QStringLiteral("doom2"));
    ASSERT_TRUE(writeBytes(file, "a file, not a folder"));
    for (const QString& directory : {file, pathThroughAFile(doomDir)}) {
        settings.setText(Text::doomDirectory, directory);
        for (const auto& l : kLaunches) {
            SCOPED_TRACE(l.name);
            EXPECT_EQ(failedLaunch(l.launch, 76), setupReport(directory));
        }
    }
    EXPECT_EQ(readBytes(file), QByteArray("a file, not a folder"));
    EXPECT_EQ(doomEntries(), (QStringList{"doom2", "plain-file"}));
}

// /proc/self is a folder in which nothing can be created, by root either.
TEST_F(BadDoomDirectory, ThatCannotBeWrittenReportsItsErrorNumber) {
    settings.setText(Text::doomDirectory, QStringLiteral("/proc/self"));
    for (const auto& l : kLaunches) {
        SCOPED_TRACE(l.name);
        EXPECT_EQ(failedLaunch(l.launch, 70),
                  "Error number 70. /proc/self/autoexec.cfg may not be written.");
    }
}

TEST_F(BadDoomDirectory, ImmutableFolderKeepsTheOldGameSet) {
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("doomatic.cfg")), kOldDoomatic));
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("autoexec.cfg")), "old\r\n"));
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("addbots.cfg")), ""));
    ImmutableFolder frozen(doomDir.path());
    if (!frozen.active())
        GTEST_SKIP() << "this file system has no immutable flag";
    EXPECT_EQ(failedLaunch(launchDoomatic, 70), "Error number 70. " +
                                                    doomFile(QStringLiteral("doomatic.cfg")) +
                                                    " may not be written.");
    EXPECT_EQ(doomBytes(QStringLiteral("doomatic.cfg")), kOldDoomatic);
    EXPECT_FALSE(QFileInfo::exists(doomFile(QStringLiteral("doomatic.bak"))));
}

// A folder where a launch file must go ends that launch there: the files before it are
// written, the ones after it are not.
TEST_F(BadDoomDirectory, FolderInThePlaceOfALaunchFileEndsTheLaunchThere) {
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("Doom3.exe")), "engine"));
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("hx8.exe")), "driver"));
    const struct {
        Launch launch;
        const char* blocked;
        QStringList written;
    } cases[] = {
        {launchSinglePlayer, "autoexec.cfg", {}},
        {launchSinglePlayer, "addbots.cfg", {"autoexec.cfg"}},
        {launchSinglePlayer, "brv.bat", {"addbots.cfg", "autoexec.cfg"}},
        {launchHx8, "hx8.cfg", {"addbots.cfg", "autoexec.cfg"}},
        {launchHx8, "hx8.bat", {"addbots.cfg", "autoexec.cfg", "hx8.cfg"}},
        {launchDoomatic, "addbots.cfg", {"autoexec.cfg"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.blocked);
        QTemporaryDir doom;
        settings.setText(Text::doomDirectory, doom.path());
        ASSERT_TRUE(QDir(doom.path()).mkpath(QLatin1String(c.blocked) + QStringLiteral("/x")));
        for (const char* program : {"Doom3.exe", "hx8.exe"})
            ASSERT_TRUE(writeBytes(pathIn(doom, QLatin1String(program)), "program"));
        EXPECT_EQ(failedLaunch(c.launch, 75), bugReport(75));
        QStringList entries = QDir(doom.path()).entryList(QDir::Files);
        entries.removeAll(QStringLiteral("Doom3.exe"));
        entries.removeAll(QStringLiteral("hx8.exe"));
        EXPECT_EQ(entries, c.written);
        EXPECT_TRUE(
            QFileInfo(pathIn(doom, QLatin1String(c.blocked) + QStringLiteral("/x"))).isDir());
    }
}

// The backup cannot be replaced when it is a folder, empty or not: the old game set stays
// as doomatic.cfg and the new one is not written over it.
TEST_F(BadDoomDirectory, BackupThatIsAFolderKeepsTheOldGameSet) {
    for (const char* inside : {"", "/keep"}) {
        SCOPED_TRACE(inside);
        QTemporaryDir doom;
        settings.setText(Text::doomDirectory, doom.path());
        const QString bak = pathIn(doom, QStringLiteral("doomatic.bak"));
        ASSERT_TRUE(QDir().mkpath(bak + QLatin1String(inside)));
        ASSERT_TRUE(writeBytes(pathIn(doom, QStringLiteral("doomatic.cfg")), kOldDoomatic));
        EXPECT_EQ(failedLaunch(launchDoomatic, 58), bugReport(58));
        EXPECT_EQ(readBytes(pathIn(doom, QStringLiteral("doomatic.cfg"))), kOldDoomatic);
        EXPECT_TRUE(QFileInfo(bak + QLatin1String(inside)).isDir());
        EXPECT_EQ(readBytes(pathIn(doom, QStringLiteral("addbots.cfg"))),
                  QByteArray("addbot bob\r\nwait 100\r\n"));
    }
}

TEST_F(BadDoomDirectory, GameSetThatIsAFolderIsNeitherMovedNorReplaced) {
    ASSERT_TRUE(QDir(doomDir.path()).mkpath(QStringLiteral("doomatic.cfg/sets")));
    EXPECT_EQ(failedLaunch(launchDoomatic, 75), bugReport(75));
    EXPECT_TRUE(QFileInfo(doomFile(QStringLiteral("doomatic.cfg/sets"))).isDir());
    EXPECT_FALSE(QFileInfo::exists(doomFile(QStringLiteral("doomatic.bak"))));

    // Beside an old backup as well.
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("doomatic.bak")), kOldDoomatic));
    EXPECT_EQ(failedLaunch(launchDoomatic, 75), bugReport(75));
    EXPECT_EQ(doomBytes(QStringLiteral("doomatic.bak")), kOldDoomatic);
}

// A disk that fills up while the new game set is written: the old one is safe as the backup.
TEST_F(BadDoomDirectory, GameSetWriteThatStopsHalfWayLeavesTheOldOneAsBackup) {
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("doomatic.cfg")), kOldDoomatic));
    LaunchError error = LaunchError::none;
    {
        FileSizeLimit limit(120); // the scripts fit, the twenty lines of the game set do not
        ASSERT_TRUE(limit.active());
        error = launchDoomatic(settings, platform);
    }
    EXPECT_EQ(error, LaunchError::deviceIo);
    EXPECT_EQ(messageTexts().constLast(), bugReport(57));
    EXPECT_EQ(doomBytes(QStringLiteral("doomatic.bak")), kOldDoomatic);
}

// Only a regular file is a parameter file: a folder, a device that never ends and a pipe
// that never delivers are refused before hx8.cfg is touched.
TEST_F(BadDoomDirectory, ParameterFilesThatAreNotFilesAreRefused) {
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("hx8.cfg")), "old hx8\r\n"));
    const QString fifo = doomFile(QStringLiteral("pipe.hx8"));
    ASSERT_TRUE(makeFifo(fifo));
    for (const QString& parameters :
         {doomDir.path(), QStringLiteral("/dev/zero"), fifo, doomFile(QStringLiteral("no.hx8"))}) {
        SCOPED_TRACE(parameters.toStdString());
        settings.setText(Text::hx8ParameterFile, parameters);
        const bool missing = parameters.endsWith(QLatin1String("no.hx8"));
        EXPECT_EQ(failedLaunch(launchHx8, missing ? 53 : 75),
                  missing ? "Error number 53. " + parameters + " was not found." : bugReport(75));
        EXPECT_EQ(doomBytes(QStringLiteral("hx8.cfg")), QByteArray("old hx8\r\n"));
    }
}

// An engine file without permission to run: the report with its number, and nothing else.
TEST_F(BadDoomDirectory, EngineThatIsNotExecutableIsReportedWithItsNumber) {
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("engine")), "#!/bin/sh\nexit 0\n"));
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("doomatic.cfg")), kOldDoomatic));
    settings.setText(Text::executable, QStringLiteral("engine"));
    const QStringList before = savedSettingsLines(settings);
    RealStarts real(doomDir.path(), platform);
    EXPECT_EQ(launchSinglePlayer(settings, real), LaunchError::permissionDenied);
    EXPECT_EQ(messageTexts(), QStringList{"Error number 70. " + doomFile(QStringLiteral("engine")) +
                                          " may not be run."});
    EXPECT_EQ(savedSettingsLines(settings), before);
    EXPECT_EQ(doomBytes(QStringLiteral("doomatic.cfg")), kOldDoomatic);
    EXPECT_EQ(doomEntries(),
              (QStringList{"addbots.cfg", "autoexec.cfg", "brv.bat", "doomatic.cfg", "engine"}));
}

// With no wine on PATH a Windows engine cannot run: the report says so instead of calling it
// a bug, whether the file may be run or not.
TEST_F(BadDoomDirectory, WindowsEngineWithoutWineSaysWhatIsMissing) {
    RealStarts real(doomDir.path(), platform);
    const QString hint = QStringLiteral("Doom3.exe is a Windows program, and wine, which runs "
                                        "Windows programs on this system, is not installed. "
                                        "Install wine, then launch again.");
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("Doom3.exe")), "MZ\x90"));
    EXPECT_EQ(launchSinglePlayer(settings, real), LaunchError::permissionDenied);
    makeExecutable(doomFile(QStringLiteral("Doom3.exe")), "MZ\x90");
    EXPECT_EQ(launchSinglePlayer(settings, real), LaunchError::accessError);
    EXPECT_EQ(messageTexts(), (QStringList{QStringLiteral("Error number 70. ") + hint,
                                           QStringLiteral("Error number 75. ") + hint}));

    // The HX8 driver is a Windows program too.
    platform.messages.clear();
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("hx8.exe")), "MZ\x90"));
    EXPECT_EQ(launchHx8(settings, real), LaunchError::permissionDenied);
    EXPECT_EQ(messageTexts(), (QStringList{"bob", QStringLiteral("Error number 70. ") +
                                                      QString(hint).replace("Doom3", "hx8")}));
    // A missing engine is missing, wine or not.
    platform.messages.clear();
    ASSERT_TRUE(QFile::remove(doomFile(QStringLiteral("Doom3.exe"))));
    EXPECT_EQ(launchSinglePlayer(settings, real), LaunchError::fileNotFound);
    EXPECT_EQ(messageTexts(), QStringList{"Error number 53. Doom3.exe was not found in the Doom "
                                          "directory " +
                                          doomDir.path() + " or on the PATH."});
}

// Blanks, quotes and letters outside ASCII in a PWAD path: written as they stand (Latin-1,
// "?" beyond it) and handed to the engine word by word, never through a shell.
TEST_F(BadDoomDirectory, PwadPathWithBlanksQuotesAndForeignLettersIsPassedAsItStands) {
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("Doom3.exe")), "engine"));
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("hx8.exe")), "driver"));
    const QString pwad = QStringLiteral("wads/My \"Best\" W\u00e4d's/\u03a9mega map.wad");
    settings.setText(Text::pwads, pwad);
    ASSERT_EQ(launchSinglePlayer(settings, platform), LaunchError::none);
    const QByteArray bytes = "wads/My \"Best\" W\xe4"
                             "d's/?mega map.wad";
    EXPECT_EQ(crlfSplit(doomBytes(QStringLiteral("brv.bat"))).at(2),
              QString::fromLatin1("Doom3.exe -file " + bytes + " -mb 10"));
    ASSERT_EQ(platform.starts.size(), 1u);
    EXPECT_EQ(platform.starts[0].arguments,
              (QStringList{"-file", "wads/My", "\"Best\"", QStringLiteral("W\u00e4d's/\u03a9mega"),
                           "map.wad", "-mb", "10"}));

    ASSERT_EQ(launchHx8(settings, platform), LaunchError::none);
    EXPECT_TRUE(doomBytes(QStringLiteral("hx8.cfg")).contains("\r\n-file " + bytes + "\r\n"));
    ASSERT_EQ(launchDoomatic(settings, platform), LaunchError::none);
    EXPECT_TRUE(doomBytes(QStringLiteral("doomatic.cfg")).contains("\r\nwads = " + bytes + "\r\n"));
    for (const char* name : {"brv.bat", "hx8.cfg", "doomatic.cfg"})
        EXPECT_TRUE(noForeignBytes(doomBytes(QLatin1String(name)), pwad)) << name;
}

// An export to a place that cannot take a file: the report with its number, nothing written.
TEST_F(BadDoomDirectory, ExportThatCannotBeWrittenIsReported) {
    const QString belowAFile = pathThroughAFile(doomDir);
    const struct {
        QString path;
        int error;
        QString report;
    } cases[] = {{doomDir.path(), 75, bugReport(75)},
                 // Not the Doom directory's report: the player chose this folder in the dialog.
                 {belowAFile + QStringLiteral("/x.bat"), 76,
                  "Error number 76. The folder " + belowAFile + " does not exist."},
                 {QStringLiteral("/proc/self/x.bat"), 70,
                  QStringLiteral("Error number 70. /proc/self/x.bat may not be written.")},
                 {pathIn(doomDir, tooLongName()), 75, bugReport(75)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.left(60).toStdString());
        platform.dialogAnswers = {c.path, c.path};
        EXPECT_EQ(failedLaunch(makeBatchFile, c.error), c.report);
        EXPECT_EQ(failedLaunch(exportSettings, c.error), c.report);
    }
    EXPECT_EQ(doomEntries(), QStringList{"plain-file"});
}

// An export over a file of the user's on a full disk: the old file stays whole.
TEST_F(BadDoomDirectory, ExportOnAFullDiskKeepsTheOldFile) {
    const QString target = doomFile(QStringLiteral("mine.cfg"));
    const QByteArray old = "bind x quit\r\n";
    ASSERT_TRUE(writeBytes(target, old));
    platform.dialogAnswers = {target};
    LaunchError error = LaunchError::none;
    {
        FileSizeLimit limit(16);
        ASSERT_TRUE(limit.active());
        error = exportSettings(settings, platform);
    }
    EXPECT_EQ(error, LaunchError::deviceIo);
    EXPECT_EQ(messageTexts(), QStringList{bugReport(57)});
    EXPECT_EQ(readBytes(target), old);
    EXPECT_EQ(doomEntries(), QStringList{"mine.cfg"});
}

// An export onto a device writes into the device; the device stays a device.
TEST_F(BadDoomDirectory, ExportOntoADeviceLeavesTheDeviceInPlace) {
    const QString device = doomFile(QStringLiteral("null"));
    if (!makeNullDevice(device))
        GTEST_SKIP() << "only root may make a device node";
    platform.dialogAnswers = {device, device};
    EXPECT_EQ(makeBatchFile(settings, platform), LaunchError::none);
    EXPECT_EQ(exportSettings(settings, platform), LaunchError::none);
    EXPECT_TRUE(isCharacterDevice(device));
}
