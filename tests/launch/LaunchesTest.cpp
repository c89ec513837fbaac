// The launches and exports through the recording host: the files they write, what they start,
// and the report when something fails.
#include "LaunchFixture.h"

#include "core/Latin1Text.h"
#include "launch/GameStart.h"
#include "launch/LaunchLines.h"
#include "launch/Launches.h"

#include <QFileInfo>

using namespace bv;
using namespace bv::test;

namespace {

using Launches = LaunchFixture;
using Launch = LaunchError (*)(const LaunchSettings&, Platform&);

const QString kAlias = QStringLiteral("alias addbots \"exec addbots.cfg\"");
const QString kThanks = QStringLiteral("@echo Thanks for using Brimvault");

QByteArray crlf(const QStringList& lines) {
    return crlfLines(lines);
}

QString bug(int number) {
    return QStringLiteral("Error number %1. This is a bug. Please report this number to the Author "
                          "of Brimvault.")
        .arg(number);
}

} // namespace

TEST_F(Launches, SinglePlayerWritesItsFilesAndStartsTheEngineFromTheDoomDirectory) {
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("autoexec.cfg")), "bind x quit\r\nmine\r\n"));
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("Doom3.exe")), "engine"));
    const QString dir = doomDir.path();
    EXPECT_EQ(launchSinglePlayer(settings, platform), LaunchError::none);
    EXPECT_EQ(
        doomBytes(QStringLiteral("autoexec.cfg")),
        crlf({"weaponpref 014576328", "botskill 2", "gr_crappymlook 0", kAlias, "weapondrop 0"}));
    EXPECT_TRUE(QFileInfo::exists(doomFile(QStringLiteral("addbots.cfg"))));
    EXPECT_EQ(doomBytes(QStringLiteral("addbots.cfg")), QByteArray());
    EXPECT_EQ(doomBytes(QStringLiteral("brv.bat")),
              crlf({dir.left(2), "cd\\" + dir.mid(3), "Doom3.exe -mb 10", kThanks}));
    ASSERT_EQ(platform.starts.size(), 1u);
    EXPECT_EQ(platform.starts[0].program, doomFile(QStringLiteral("Doom3.exe")));
    EXPECT_EQ(platform.starts[0].arguments, (QStringList{"-mb", "10"}));
    EXPECT_EQ(platform.starts[0].workingDirectory, dir);
    EXPECT_EQ(platform.starts[0].outputPath, doomFile(QStringLiteral("engine.txt")));
    // Words of the engine setting and of each item go to the engine split at blanks; text
    // outside Latin-1 reaches the batch file as "?"; the single-player game names no bots.
    settings.addToList(BotList::selectedBots, QStringLiteral("bob"));
    settings.setText(Text::executable, QStringLiteral("doom3.EXE -iwad  x.wad"));
    settings.setText(Text::warp, QStringLiteral(" 5"));
    settings.setText(Text::extraParameters, QStringLiteral("-name Jos\u00e9\u20ac"));
    EXPECT_EQ(launchSinglePlayer(settings, platform), LaunchError::none);
    EXPECT_EQ(doomBytes(QStringLiteral("addbots.cfg")), crlf({"addbot bob", "wait 100"}));
    EXPECT_TRUE(doomBytes(QStringLiteral("brv.bat"))
                    .contains("\r\ndoom3.EXE -iwad  x.wad -warp  5 -mb 10 -name Jos\xe9?\r\n"));
    EXPECT_EQ(platform.starts[1].program, doomFile(QStringLiteral("Doom3.exe")));
    EXPECT_EQ(platform.starts[1].arguments,
              (QStringList{"-iwad", "x.wad", "-warp", "5", "-mb", "10", "-name",
                           QStringLiteral("Jos\u00e9\u20ac")}));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Launches, Hx8AnnouncesItsBotsAndCopiesTheParameterFile) {
    for (const char* bot : {"zed", "alf", "mia"})
        settings.addToList(BotList::selectedBots, QLatin1String(bot));
    QStringList existingWhenAnnounced;
    platform.onMessage = [&](const QString&) { existingWhenAnnounced = doomEntries(); };
    const QString parameters = doomFile(QStringLiteral("net.hx8"));
    ASSERT_TRUE(writeBytes(parameters, "one\r\n\r\ntwo\rthree\nstill three\r\nlast"));
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("HX8.EXE")), "driver"));
    settings.setText(Text::hx8ParameterFile, parameters);
    settings.setCheck(Check::openGl, 1);
    EXPECT_EQ(launchHx8(settings, platform), LaunchError::none);
    EXPECT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.messages[0].text, QStringLiteral("alf"));
    EXPECT_EQ(existingWhenAnnounced, (QStringList{"autoexec.cfg", "HX8.EXE", "net.hx8"}));
    EXPECT_EQ(doomBytes(QStringLiteral("addbots.cfg")),
              crlf({"addbot alf", "wait 100", "addbot mia", "wait 100", "addbot zed", "wait 100"}));
    EXPECT_EQ(doomBytes(QStringLiteral("hx8.cfg")),
              QByteArray("GI JOE'S COMPUTER\r\ncom3,57600\r\nDoom3.exe\r\none\r\n\r\ntwo\r\n"
                         "three\nstill three\r\nlast\r\n-mb 10\r\n"));
    const QString dir = doomDir.path();
    EXPECT_EQ(doomBytes(QStringLiteral("hx8.bat")),
              crlf({dir.left(2), "cd\\" + dir.mid(3), "hx8.exe", kThanks}));
    ASSERT_EQ(platform.starts.size(), 1u);
    EXPECT_EQ(platform.starts[0].program, doomFile(QStringLiteral("HX8.EXE")));
    EXPECT_TRUE(platform.starts[0].arguments.isEmpty());
}

TEST_F(Launches, DoomaticKeepsThePreviousGameSetAsTheBackupAndStartsNothing) {
    settings.addToList(BotList::selectedBots, QStringLiteral("b1"));
    const QString config = doomFile(QStringLiteral("doomatic.cfg"));
    const QString backup = doomFile(QStringLiteral("doomatic.bak"));
    EXPECT_EQ(launchDoomatic(settings, platform), LaunchError::none);
    EXPECT_FALSE(QFileInfo::exists(backup));
    const QByteArray first = readBytes(config);
    EXPECT_EQ(first, crlf(doomaticConfigLines(settings).lines));
    settings.setDm(DmOption::deathmatch);
    EXPECT_EQ(launchDoomatic(settings, platform), LaunchError::none);
    EXPECT_EQ(readBytes(backup), first);
    EXPECT_TRUE(readBytes(config).contains("gametype = 1\r\n"));
    EXPECT_EQ(platform.messages.size(), 2u); // the bot, each time
    EXPECT_TRUE(platform.starts.empty());
}

TEST_F(Launches, ExportsWriteTheChosenFileAndPickingAParameterFileFillsItsPath) {
    settings.setCheck(Check::openGl, 1);
    settings.addToList(BotList::selectedBots, QStringLiteral("bob"));
    const QString batch = doomFile(QStringLiteral("mygame"));
    const QString config = doomFile(QStringLiteral("mine.cfg"));
    ASSERT_TRUE(writeBytes(config, "keep"));
    EXPECT_EQ(exportSettings(settings, platform), LaunchError::none); // cancelled
    EXPECT_EQ(readBytes(config), QByteArray("keep"));
    platform.dialogAnswers = {batch, config};
    EXPECT_EQ(makeBatchFile(settings, platform), LaunchError::none);
    EXPECT_EQ(exportSettings(settings, platform), LaunchError::none);
    EXPECT_EQ(readBytes(batch).split('\r').at(2), QByteArray("\nDoom3.exe -mb 10"));
    EXPECT_EQ(readBytes(config),
              crlf({"weaponpref 014576328", "botskill 2", "gr_crappymlook 0", "weapondrop 0"}));
    ASSERT_EQ(platform.dialogs.size(), 3u);
    EXPECT_EQ(platform.dialogs[1].kind, FileDialogKind::Save);
    EXPECT_EQ(platform.dialogs[1].request.initialDirectory, doomDir.path());
    EXPECT_EQ(platform.dialogs[1].request.filter, QStringLiteral("Batch File|*.bat"));
    EXPECT_EQ(platform.dialogs[1].request.flags, kHideReadOnly);
    EXPECT_EQ(platform.dialogs[2].request.filter, QStringLiteral("Doom Legacy Config File|*.cfg"));
    EXPECT_TRUE(platform.messages.empty());

    platform.dialogAnswers = {doomFile(QStringLiteral("net.hx8"))};
    pickParameterFile(settings, platform);
    EXPECT_EQ(settings.text(Text::hx8ParameterFile), doomFile(QStringLiteral("net.hx8")));
    pickParameterFile(settings, platform); // cancelled
    EXPECT_EQ(settings.text(Text::hx8ParameterFile), doomFile(QStringLiteral("net.hx8")));
    EXPECT_EQ(platform.dialogs[3].kind, FileDialogKind::Open);
    EXPECT_EQ(platform.dialogs[3].request.initialDirectory, platform.programDir);
    EXPECT_EQ(platform.dialogs[3].request.filter,
              QStringLiteral("Brimvault HX8 Parameter File|*.hx8"));
}

// Engines are found in the Doom directory, by exact name or regardless of case, then on the
// PATH; hx8.exe only in the Doom directory. A Windows program runs through wine when there is
// one.
TEST_F(Launches, EnginesAreFoundWhereThePlayerWouldLook) {
    const QString dir = doomDir.path();
    const QString bin = binDir.path();
    ASSERT_TRUE(makeExecutable(doomFile(QStringLiteral("Legacy.EXE"))));
    ASSERT_TRUE(makeExecutable(pathIn(binDir, QStringLiteral("prboom"))));
    ASSERT_TRUE(makeExecutable(pathIn(binDir, QStringLiteral("hx8.exe"))));
    EXPECT_EQ(findProgram(dir, QStringLiteral("legacy.exe"), true), doomFile("Legacy.EXE"));
    EXPECT_EQ(findProgram(dir, doomFile(QStringLiteral("Legacy.EXE")), true),
              doomFile("Legacy.EXE"));
    EXPECT_EQ(findProgram(dir, QStringLiteral("prboom"), true), bin + QStringLiteral("/prboom"));
    EXPECT_TRUE(findProgram(dir, QStringLiteral("prboom"), false).isEmpty());
    EXPECT_TRUE(findProgram(dir, QStringLiteral("sub/prboom"), true).isEmpty());
    EXPECT_TRUE(hx8StartCommand(dir, QString()).program.isEmpty());

    const StartCommand direct =
        engineStartCommand(dir, QString(), QStringLiteral("legacy.exe"), {"-warp  01"});
    EXPECT_EQ(direct.program, doomFile(QStringLiteral("Legacy.EXE")));
    EXPECT_EQ(direct.arguments, (QStringList{"-warp", "01"}));
    EXPECT_TRUE(direct.withoutWine);
    EXPECT_EQ(direct.name, QStringLiteral("legacy.exe"));
    ASSERT_TRUE(makeExecutable(pathIn(binDir, QStringLiteral("wine"))));
    const StartCommand wine =
        engineStartCommand(dir, QString(), QStringLiteral("legacy.exe"), {"-warp  01"});
    EXPECT_EQ(wine.program, bin + QStringLiteral("/wine"));
    EXPECT_EQ(wine.arguments, (QStringList{doomFile("Legacy.EXE"), "-warp", "01"}));
    EXPECT_EQ(wine.workingDirectory, dir);
    EXPECT_FALSE(wine.withoutWine);

    for (const char* engine : {"woof", "dsda-doom", "gzdoom"})
        ASSERT_TRUE(makeExecutable(pathIn(binDir, QLatin1String(engine))));
    EXPECT_EQ(nativeEnginesOnPath(), (QStringList{"dsda-doom", "woof", "gzdoom"}));
}

// Every way a launch fails: the number, what the report says, and what is on disk.
TEST_F(Launches, AFailedLaunchSaysWhatFailedAndStartsNothing) {
    const QString dir = doomDir.path();
    const QString belowAFile = pathThroughAFile(doomDir);
    const QString setup = QStringLiteral("You need to setup Brimvault\nThe Doom directory %1 was "
                                         "not found. Choose it in Tools, Options.");
    const QByteArray oldSet = "name = \"old\"\r\n";
    const struct {
        const char* row;
        Launch launch;
        std::function<void()> prepare;
        int number;
        QString report;
        QStringList files = {}; // beside plain-file and the engines, when given
    } rows[] = {
        {"no Doom directory", launchSinglePlayer,
         [&] { settings.setText(Text::doomDirectory, QString()); }, 76,
         "You need to setup Brimvault\nNo Doom directory is set. Choose it in Tools, Options."},
        {"Doom directory below a file", launchDoomatic,
         [&] { settings.setText(Text::doomDirectory, belowAFile); }, 76, setup.arg(belowAFile)},
        {"Doom directory a file", launchHx8,
         [&] { settings.setText(Text::doomDirectory, doomFile("plain-file")); }, 76,
         setup.arg(doomFile("plain-file"))},
        {"nothing can be made there", launchSinglePlayer,
         [&] { settings.setText(Text::doomDirectory, QStringLiteral("/proc/self")); }, 70,
         "Error number 70. /proc/self/autoexec.cfg may not be written."},
        {"a folder for autoexec.cfg",
         launchSinglePlayer,
         [&] { QDir(dir).mkpath(QStringLiteral("autoexec.cfg/x")); },
         75,
         bug(75),
         {}},
        {"a folder for brv.bat",
         launchSinglePlayer,
         [&] { QDir(dir).mkpath(QStringLiteral("brv.bat/x")); },
         75,
         bug(75),
         {"addbots.cfg", "autoexec.cfg"}},
        {"a folder for hx8.bat",
         launchHx8,
         [&] { QDir(dir).mkpath(QStringLiteral("hx8.bat/x")); },
         75,
         bug(75),
         {"addbots.cfg", "autoexec.cfg", "hx8.cfg"}},
        {"a folder for doomatic.bak",
         launchDoomatic,
         [&] {
             QDir(dir).mkpath(QStringLiteral("doomatic.bak/keep"));
             writeBytes(doomFile("doomatic.cfg"), oldSet);
         },
         58,
         bug(58),
         {"addbots.cfg", "autoexec.cfg", "doomatic.cfg"}},
        {"a folder for doomatic.cfg",
         launchDoomatic,
         [&] { QDir(dir).mkpath(QStringLiteral("doomatic.cfg/sets")); },
         75,
         bug(75),
         {"addbots.cfg", "autoexec.cfg"}},
        {"a drive without a path", launchSinglePlayer,
         [&] {
             QDir::setCurrent(dir);
             QDir().mkdir(QStringLiteral("c:"));
             settings.setText(Text::doomDirectory, QStringLiteral("c:"));
         },
         5, bug(5)},
        {"no engine anywhere", launchSinglePlayer, [] {}, 53,
         "Error number 53. Doom3.exe was not found in the Doom directory " + dir +
             " or on the PATH."},
        {"no engine chosen", launchSinglePlayer,
         [&] {
             settings.setText(Text::executable, QString());
             settings.setText(Text::heap, QString());
         },
         53, QStringLiteral("Error number 53. No engine is chosen: type or pick one in Exe.")},
        {"no hx8.exe", launchHx8, [] {}, 53,
         "Error number 53. hx8.exe was not found in the Doom directory " + dir + "."},
        {"an engine that may not be run", launchSinglePlayer,
         [&] {
             writeBytes(doomFile("engine"), "x");
             settings.setText(Text::executable, QStringLiteral("engine"));
             platform.startResult = StartFailure::NotExecutable;
         },
         70, "Error number 70. " + dir + "/engine may not be run."},
        {"a Windows engine without wine",
         launchSinglePlayer,
         [&] {
             writeBytes(doomFile("Doom3.exe"), "MZ");
             platform.startResult = StartFailure::Other;
         },
         75,
         QStringLiteral("Error number 75. Doom3.exe is a Windows program, and wine, which runs "
                        "Windows programs on this system, is not installed. Install wine, then "
                        "launch again."),
         {"addbots.cfg", "autoexec.cfg", "brv.bat"}},
        {"a parameter file missing", launchHx8,
         [&] { settings.setText(Text::hx8ParameterFile, doomFile("no.hx8")); }, 53,
         "Error number 53. " + dir + "/no.hx8 was not found."},
        {"a parameter file in no folder", launchHx8,
         [&] { settings.setText(Text::hx8ParameterFile, doomFile("gone/p.hx8")); }, 76,
         "Error number 76. The folder " + dir + "/gone does not exist."},
        {"a parameter file that never ends",
         launchHx8,
         [&] { settings.setText(Text::hx8ParameterFile, QStringLiteral("/dev/zero")); },
         75,
         bug(75),
         {"addbots.cfg", "autoexec.cfg"}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.row);
        for (const QString& name : doomEntries()) {
            if (!QFile::remove(doomFile(name)))
                QDir(doomFile(name)).removeRecursively();
        }
        settings.setText(Text::doomDirectory, dir);
        settings.setText(Text::executable, QStringLiteral("Doom3.exe"));
        settings.setText(Text::hx8ParameterFile, QString());
        settings.setText(Text::heap, QStringLiteral("10"));
        platform.startResult = StartFailure::None;
        platform.messages.clear();
        platform.starts.clear();
        pathThroughAFile(doomDir);
        r.prepare();
        EXPECT_EQ(static_cast<int>(r.launch(settings, platform)), r.number);
        EXPECT_EQ(report(), r.report);
        QStringList files = QDir(dir).entryList(QDir::Files);
        for (const char* kept : {"plain-file", "Doom3.exe", "engine", "c:"})
            files.removeAll(QLatin1String(kept));
        if (!r.files.isEmpty() || r.number == 75) {
            EXPECT_EQ(files, r.files);
        }
        QDir::setCurrent(previousDir);
    }
    EXPECT_EQ(readBytes(doomFile(QStringLiteral("plain-file"))), QByteArray("not a folder"));
}

// Exports replace a file of the player's whole, or not at all.
TEST_F(Launches, AFailedExportKeepsTheOldFile) {
    const QString belowAFile = pathThroughAFile(doomDir);
    const struct {
        QString path;
        int number;
        QString report;
    } rows[] = {
        {doomDir.path(), 75, bug(75)},
        {belowAFile + QStringLiteral("/x.bat"), 76,
         "Error number 76. The folder " + belowAFile + " does not exist."},
        {QStringLiteral("/proc/self/x.bat"), 70,
         QStringLiteral("Error number 70. /proc/self/x.bat may not be written.")},
        {pathIn(doomDir, tooLongName()), 75, bug(75)},
    };
    for (const auto& r : rows) {
        platform.dialogAnswers = {r.path, r.path};
        EXPECT_EQ(static_cast<int>(makeBatchFile(settings, platform)), r.number);
        EXPECT_EQ(report(), r.report);
        EXPECT_EQ(static_cast<int>(exportSettings(settings, platform)), r.number);
        EXPECT_EQ(report(), r.report);
    }
    const QString mine = doomFile(QStringLiteral("mine.cfg"));
    ASSERT_TRUE(writeBytes(mine, "bind x quit\r\n"));
    platform.dialogAnswers = {mine};
    {
        FileSizeLimit full(16);
        EXPECT_EQ(exportSettings(settings, platform), LaunchError::deviceIo);
    }
    EXPECT_EQ(report(), bug(57));
    EXPECT_EQ(readBytes(mine), QByteArray("bind x quit\r\n"));
    EXPECT_EQ(doomEntries(), (QStringList{"mine.cfg", "plain-file"}));
    // A device is written into, and stays a device.
    const QString device = doomFile(QStringLiteral("null"));
    if (makeNullDevice(device)) {
        platform.dialogAnswers = {device};
        EXPECT_EQ(exportSettings(settings, platform), LaunchError::none);
        EXPECT_TRUE(isDevice(device));
    }
}

// A disk that fills while the new game set is written: the old one is safe as the backup.
TEST_F(Launches, AGameSetCutShortLeavesTheOldOneAsTheBackup) {
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("doomatic.cfg")), "old set\r\n"));
    {
        FileSizeLimit full(120); // the scripts fit, the twenty lines of the game set do not
        EXPECT_EQ(launchDoomatic(settings, platform), LaunchError::deviceIo);
    }
    EXPECT_EQ(report(), bug(57));
    EXPECT_EQ(doomBytes(QStringLiteral("doomatic.bak")), QByteArray("old set\r\n"));
}
