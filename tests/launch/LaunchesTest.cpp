// The lines of the launch files and of the end report, built from the settings alone; then
// launches and exports through the recording host: files written, programs started, reports.
#include "support/FakePlatform.h"
#include "support/Files.h"

#include "core/Latin1Text.h"
#include "launch/EngineFamilies.h"
#include "launch/EngineReport.h"
#include "launch/GameStart.h"
#include "launch/LaunchFiles.h"
#include "launch/LaunchLines.h"
#include "launch/Launches.h"
#include "settings/LaunchSettings.h"

#include <gtest/gtest.h>

TEST(LaunchLines, ScriptsHoldTheLinesWhoseTextsAreSetAndOnlyLaunchesGetTheAlias) {
    LaunchSettings settings;
    EXPECT_EQ(autoexecLines(settings), list("weaponpref 014576328|botskill 2|gr_crappymlook 0|"
                                            "alias addbots \"exec addbots.cfg\"|weapondrop 0"));
    settings.setText(Text::weaponsOrder, QString());
    settings.setText(Text::botSkill, QString());
    settings.setText(Text::customConfig, u"my game.cfg"_s);
    settings.setCheck(Check::crappyMouseLook, 1);
    settings.setCheck(Check::weaponDrop, 1);
    EXPECT_EQ(exportedConfigLines(settings),
              list("gr_crappymlook 1|weapondrop 1|exec my game.cfg"));

    EXPECT_EQ(botsToAdd(list("a||b")), list("a"));
    EXPECT_EQ(addbotsLines(list(" lead|in ner")),
              list("addbot  lead|wait 100|addbot in ner|wait 100"));
}

// The line each family takes from the same settings, its items in their fixed order, and what the
// player is told ("|" between items and replies); "@" is the PWADs, "#" the demo, alike for all.
TEST(EngineFamilies, EachFamilyGetsTheLineItTakesAndSaysWhatChanged) {
    using D = DmOption;
    const struct {
        const char *executable, *warp, *extra;
        Check renderer; // checking one clears the other
        D dm;
        bool withOpenGl;
        const char *items, *notes;
    } rows[] = {
        // clang-format off
        {"legacy.exe", "map01", "-a  -b", Check::openGl, D::altDeath, true, "-warp map01|@|-mb 10|"
         "-opengl|-altdeath|-ctf|-a  -b|-config c.cfg|-nomonsters|-record demo1|#", ""},
        {"Doom3.exe", "map07", "", Check::openGl, D::deathmatch, false, "-warp map07|@|-mb 10|"
         "-deathmatch|-ctf|-config c.cfg|-nomonsters|-record demo1|#", ""},
        {"doomlegacy", "start", "-x", Check::threeDfx, D::none, true, "-warp start|@|-mb 10|"
         "-3dfx|-ctf|-x|-config c.cfg|-nomonsters|-record demo1|#", ""},
        {"/usr/games/Chocolate-Doom.EXE -y", "MAP07", "", Check::openGl, D::deathmatch, true,
         "-warp 07|@|-mb 10|-deathmatch|-config c.cfg|-nomonsters|-record demo1|#",
         "Left out for chocolate-doom, which does not take them: -opengl -ctf|"
         "For chocolate-doom, -warp MAP07 became -warp 07"},
        {"dsda-doom", "map07", "", Check::threeDfx, D::altDeath, true,
         "-warp 07|@|-altdeath|-config c.cfg|-nomonsters|-record demo1 -complevel 21|#",
         "Left out for dsda-doom, which does not take them: -mb 10 -3dfx -ctf|"
         "For dsda-doom, -warp map07 became -warp 07|"
         "For dsda-doom, -record demo1 became -record demo1 -complevel 21"},
        {"c:\\games\\prboom-plus.exe", "e2m3", "-fast", Check::openGl, D::deathmatch, false,
         "-warp 2 3|@|-deathmatch|-fast|-config c.cfg|-nomonsters|-record demo1 -complevel 17|#",
         "Left out for prboom-plus, which does not take them: -mb 10 -ctf|"
         "For prboom-plus, -warp e2m3 became -warp 2 3|"
         "For prboom-plus, -record demo1 became -record demo1 -complevel 17"},
        {"glboom", " 1 3", "-COMPLEVEL 9", Check::openGl, D::deathmatch, false,
         "-warp  1 3|@|-deathmatch|-COMPLEVEL 9|-config c.cfg|-nomonsters|-record demo1|#",
         "Left out for glboom, which does not take them: -mb 10 -ctf"},
        {"woof", "map7a", "", Check::openGl, D::deathmatch, false,
         "@|-deathmatch|-config c.cfg|-nomonsters|-record demo1|#",
         "Left out for woof, which does not take them: -warp map7a -mb 10 -ctf"},
        {"gzdoom", "E1M1", "", Check::openGl, D::deathmatch, true,
         "-warp 1 1|@|-deathmatch|-config c.cfg|-nomonsters|-record demo1|#",
         "Left out for gzdoom, which does not take them: -mb 10 -opengl -ctf|"
         "For gzdoom, -warp E1M1 became -warp 1 1"},
        // clang-format on
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.executable);
        LaunchSettings settings;
        settings.setText(Text::executable, QLatin1String(r.executable));
        settings.setText(Text::warp, QLatin1String(r.warp));
        settings.setText(Text::pwads, u"a.wad b.wad"_s);
        settings.setText(Text::extraParameters, QLatin1String(r.extra));
        settings.setText(Text::configFile, u"c.cfg"_s);
        settings.setText(Text::demoFile, u"demo1"_s);
        for (Check check : {r.renderer, Check::captureTheFlag, Check::recordDemo, Check::playDemo})
            settings.setCheck(check, 1);
        settings.setCheck(Check::monsters, 0);
        settings.setDm(r.dm);
        const EngineLine line = engineLine(settings, r.withOpenGl);
        EXPECT_EQ(itemTexts(line.items).join('|'),
                  QString(r.items)
                      .replace(QLatin1Char('@'), u"-file a.wad b.wad"_s)
                      .replace(QLatin1Char('#'), u"-playdemo demo1"_s));
        EXPECT_EQ(line.notes.join(QLatin1Char('|')), QLatin1String(r.notes));
    }
    EXPECT_EQ(engineFamily(u"woof"_s), EngineFamily::mbf);
    EXPECT_EQ(engineFamily(u"zandronum"_s), EngineFamily::zdoom);
    EXPECT_EQ(engineFamily(u"legacy"_s), EngineFamily::legacy);
}

TEST(LaunchLines, BatchHx8AndDoomaticFiles) {
    const QString thanks = u"@echo Thanks for using Brimvault"_s;
    EXPECT_EQ(batchFileLines(u"c:\\doom2"_s, u"Doom3.exe -mb 10"_s).lines,
              list("c:|cd\\doom2|Doom3.exe -mb 10") << thanks);
    EXPECT_EQ(batchFileLines(u"c:\\"_s, u"hx8.exe"_s).lines, list("c:|cd\\|hx8.exe") << thanks);
    const FileLines drive = batchFileLines(u"C:"_s, u"hx8.exe"_s);
    EXPECT_TRUE(drive.lines == list("C:") && drive.failure == LaunchError::invalidArgument);

    LaunchSettings settings;
    settings.setText(Text::heap, QString());
    settings.setCheck(Check::openGl, 1);
    settings.setCheck(Check::monsters, 0);
    settings.setText(Text::warp, u"07"_s);
    EXPECT_EQ(hx8ConfigLines(settings, list("p1||p3")),
              list("GI JOE'S COMPUTER|com3,57600|Doom3.exe|p1||p3|-warp 07|-nomonsters"));

    // clang-format off
    QStringList general = list(
        "name = \"GI JOE\"|color = 1|config = \"default\"|recorddemo = 0|timer = 15|autojoin = 0|"
        "alphasort = 1|maxdemo = 512|lmpmast = 3|pallete = 0|addparm = \"\"|maxplayers = 4|"
        "localparm = \"\"|#WADSET|desc = Brimvault");
    // clang-format on
    settings.setText(Text::pwads, u"a b.wad"_s);
    const QStringList tail = list("wads = a b.wad|map = 07|exe = Doom3");
    EXPECT_EQ(doomaticConfigLines(settings).lines, general + list("gametype = 0") + tail);
    settings.setDm(DmOption::deathmatch);
    EXPECT_EQ(doomaticConfigLines(settings).lines, general + list("gametype = 1") + tail);
    settings.setDm(DmOption::altDeath); // Doomatic has no gametype for it
    settings.setText(Text::executable, u"a.e"_s);
    settings.setText(Text::doomaticParameters, u"-x"_s);
    general.replaceInStrings(u"addparm = \"\""_s, u"addparm = \"-x\""_s);
    const FileLines cut = doomaticConfigLines(settings);
    EXPECT_EQ(cut.lines, general + tail.mid(0, 2));
    EXPECT_EQ(cut.failure, LaunchError::invalidArgument);
}

// What the console says when an engine ends: "|" parts of a row are the replies in order,
// "e: " lines being its last output; "K" stands for the line that points at engine.txt.
TEST(EngineReport, RepliesSayHowItEndedAndWhatItLastWrote) {
    QByteArray twelve;
    for (int i = 1; i <= 12; ++i)
        twelve += "line " + QByteArray::number(i) + "\n";
    const QString cut = u"|e: "_s + QString(200, QLatin1Char('x'));
    const struct {
        ProcessEnd end;
        QByteArray output;
        bool replaced;
        QString replies;
    } rows[] = {
        // clang-format off
        {{false, 0}, "bye\n", false, ""},
        {{false, 1}, "", false, "e ended with status 1|K"},
        {{true, 11}, "I_Init\n", false, "e ended by signal 11 (Segmentation fault)|e: I_Init|K"},
        {{false, 1}, twelve, false, "e ended with status 1|e: line 3|e: line 4|e: line 5|e: line 6"
         "|e: line 7|e: line 8|e: line 9|e: line 10|e: line 11|e: line 12|K"},
        {{false, 1}, "first\n" + QByteArray(1024 * 1024, 'x') + "\r\n", false,
         "e ended with status 1|e: first" + cut + "|K"},
        {{false, 1}, QByteArray("a\0b\x01\tc\x7f\xe9\xff", 9), false,
         "e ended with status 1|e: a?b??c?\u00e9\u00ff|K"},
        {{false, 1}, "one\rtwo\r\n\r\n   \t\r\nthree\n\nfour", false,
         "e ended with status 1|e: one|e: two|e: three|e: four|K"},
        {{false, 1}, "0024:fixme:ntdll:x\r\ngame\r\n002a:err:x\r\n00AF:warn:y\r\n0100:trace:z\r\n"
         "0024:info:k\r\nzz24:fixme:k\r\n", false,
         "e ended with status 1|e: game|e: 0024:info:k|e: zz24:fixme:k|K"},
        {{false, 1}, "last\n", true, "e ended with status 1|e: last"},
        {{false, 1}, QByteArray(), false, "e ended with status 1"},
        // clang-format on
    };
    for (const auto& r : rows) {
        QBuffer buffer;
        buffer.setData(r.output);
        buffer.open(QIODevice::ReadOnly);
        const QStringList replies =
            engineEndReplies(u"e"_s, r.end, r.output.isNull() ? nullptr : &buffer, r.replaced);
        EXPECT_EQ(replies.join(QLatin1Char('|')),
                  QString(r.replies).replace(u"|K"_s, u"|e's output is in engine.txt"_s));
    }
}

namespace {

using Launch = LaunchError (*)(const LaunchSettings&, Platform&);

const QString kBug = QStringLiteral(
    "Error number %1. This is a bug. Please report this number to the Author of Brimvault.");

// Default settings over an empty Doom (and program) directory; the PATH holds what a test puts.
class Launches : public ::testing::Test {
protected:
    Launches() {
        settings.setText(Text::doomDirectory, dir);
        platform.programDir = dir;
        qputenv("PATH", binDir.path().toLocal8Bit());
    }
    ~Launches() override { qputenv("PATH", previousPath); }
    int run(Launch launch) { return static_cast<int>(launch(settings, platform)); }
    QByteArray bytes(const char* name) const { return readBytes(dir + '/' + name); }
    QString report() const {
        return platform.messages.empty() ? QString() : platform.messages.back().text;
    }
    // An empty Doom directory, set again, and a host that has seen nothing.
    void reset() {
        QDir(dir).removeRecursively();
        QDir().mkpath(dir);
        settings.setText(Text::doomDirectory, dir);
        platform.messages.clear();
        platform.starts.clear();
    }

    QTemporaryDir doomDir, binDir;
    const QString dir = doomDir.path();
    FakePlatform platform;
    LaunchSettings settings;
    QByteArray previousPath = qgetenv("PATH");
};

} // namespace

// A launch writes its files and starts the engine, whose end it hears. An engine of another
// family runs the line it takes, which brv.bat and an exported batch file hold too; the player is
// told what changed, each time. An option an engine still refuses is traced to its setting.
TEST_F(Launches, SinglePlayerStartsTheEngineWithTheLineOfItsFamily) {
    ASSERT_TRUE(writeBytes(dir + "/autoexec.cfg", "bind x quit\r\nmine\r\n"));
    ASSERT_TRUE(writeBytes(dir + "/Doom3.exe", "engine"));
    settings.addToList(BotList::selectedBots, u"bob"_s);
    // PWADs with blanks, quotes, foreign letters: written as they stand, split at blanks to run.
    settings.setText(Text::pwads, u"my \"x\".wad Jos\u00e9\u20ac.wad"_s);
    settings.setCheck(Check::openGl, 1); // the line that runs takes it, a batch file does not
    EXPECT_EQ(run(launchSinglePlayer), 0);
    EXPECT_EQ(bytes("autoexec.cfg"), crlfLines(autoexecLines(settings)));
    EXPECT_EQ(bytes("addbots.cfg"), "addbot bob\r\nwait 100\r\n");
    EXPECT_EQ(bytes("brv.bat").split('\n').at(2),
              "Doom3.exe -file my \"x\".wad Jos\xe9?.wad -mb 10 -opengl\r");
    ASSERT_EQ(platform.starts.size(), 1u);
    EXPECT_EQ(platform.starts[0].program, dir + "/Doom3.exe");
    EXPECT_EQ(platform.starts[0].workingDirectory + '|' + platform.starts[0].outputPath,
              dir + '|' + dir + "/engine.txt");
    EXPECT_EQ(platform.starts[0].arguments.join('|'),
              u"-file|my|\"x\".wad|Jos\u00e9\u20ac.wad|-mb|10|-opengl"_s);
    EXPECT_TRUE(platform.messages.empty()); // the single-player game names no bots
    const auto end = [&](const QByteArray& lastLines) {
        platform.consoleReplies.clear();
        QBuffer output;
        output.setData(lastLines);
        output.open(QIODevice::ReadOnly);
        platform.watches.back()({false, 255}, &output, true);
        return platform.consoleReplies.join('|');
    };
    EXPECT_EQ(end("v1\nNo such option '-mb'."), // Doom Legacy's family is told nothing else
              "Doom3.exe ended with status 255|Doom3.exe: v1|Doom3.exe: No such option '-mb'.|"
              "doom3 did not take -mb, which comes from Heap Size in the Advanced pane.");
    // A program directory that cannot take engine.txt: the game starts all the same.
    platform.outputProblem = u"Permission denied"_s;
    platform.consoleReplies.clear();
    EXPECT_EQ(run(launchSinglePlayer), 0);
    EXPECT_EQ(platform.consoleReplies,
              list("engine.txt could not be written (Permission denied); the game's output is "
                   "not kept."));

    ASSERT_TRUE(makeExecutable(binDir.path() + "/dsda-doom"));
    platform.starts.clear();
    platform.outputProblem.clear();
    settings.setText(Text::pwads, QString());
    settings.setText(Text::executable, u"dsda-doom"_s);
    settings.setText(Text::warp, u"map07"_s);
    settings.setText(Text::extraParameters, u"-fast -turbo 50"_s);
    settings.setCheck(Check::captureTheFlag, 1);
    settings.setCheck(Check::openGl, 0);
    const QStringList notes = list("Left out for dsda-doom, which does not take them: -mb 10 -ctf|"
                                   "For dsda-doom, -warp map07 became -warp 07");
    platform.consoleReplies.clear();
    platform.dialogAnswers = {dir + "/game.bat"};
    EXPECT_EQ(run(launchSinglePlayer), 0);
    EXPECT_EQ(run(makeBatchFile), 0);
    EXPECT_EQ(platform.consoleReplies, notes + notes);
    for (const char* file : {"brv.bat", "game.bat"})
        EXPECT_EQ(bytes(file).split('\n').at(2), "dsda-doom -warp 07 -fast -turbo 50\r");
    EXPECT_EQ(platform.starts[0].arguments, list("-warp|07|-fast|-turbo|50"));
    EXPECT_EQ(end("-fast given\nUnknown command line option \"-turbo\".\n-turbo"),
              "dsda-doom ended with status 255|dsda-doom: -fast given|"
              "dsda-doom: Unknown command line option \"-turbo\".|dsda-doom: -turbo|"
              "dsda-doom did not take -fast, which comes from Extra Parameters in the Advanced "
              "pane.");
    EXPECT_EQ(end("no -turbos, no x-fast, no -mb\n"),
              "dsda-doom ended with status 255|dsda-doom: no -turbos, no x-fast, no -mb");
}

// Bots named before their file; HX8 copies its parameter file; Doomatic backs up, starts nothing.
TEST_F(Launches, NetworkGamesAnnounceTheirBotsBeforeWritingThem) {
    for (const char* bot : {"zed", "alf"})
        settings.addToList(BotList::selectedBots, QLatin1String(bot));
    QStringList existingWhenAnnounced;
    platform.onMessage = [&](const QString&) {
        existingWhenAnnounced = QDir(dir).entryList(QDir::Files);
    };
    ASSERT_TRUE(writeBytes(dir + "/net.hx8", "one\r\ntwo"));
    ASSERT_TRUE(writeBytes(dir + "/HX8.EXE", "driver"));
    settings.setText(Text::hx8ParameterFile, dir + "/net.hx8");
    EXPECT_EQ(run(launchHx8), 0);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].text, u"alf"_s);
    EXPECT_EQ(existingWhenAnnounced, list("autoexec.cfg|HX8.EXE|net.hx8"));
    EXPECT_TRUE(bytes("hx8.cfg").contains("\r\nDoom3.exe\r\none\r\ntwo\r\n-mb 10\r\n"));
    EXPECT_EQ(bytes("hx8.bat").split('\r').at(2), "\nhx8.exe");
    ASSERT_EQ(platform.starts.size(), 1u);
    EXPECT_EQ(platform.starts[0].program, dir + "/HX8.EXE");

    EXPECT_EQ(run(launchDoomatic), 0);
    EXPECT_FALSE(QFileInfo::exists(dir + "/doomatic.bak"));
    const QByteArray first = bytes("doomatic.cfg");
    settings.setDm(DmOption::deathmatch);
    EXPECT_EQ(run(launchDoomatic), 0);
    EXPECT_EQ(bytes("doomatic.bak"), first);
    EXPECT_EQ(bytes("doomatic.cfg"), crlfLines(doomaticConfigLines(settings).lines));
    EXPECT_EQ(platform.messages.size(), 6u);
    EXPECT_EQ(platform.starts.size(), 1u);
}

TEST_F(Launches, ExportsWriteTheChosenFileAndPickingAParameterFileFillsItsPath) {
    settings.setCheck(Check::openGl, 1);
    ASSERT_TRUE(writeBytes(dir + "/mine.cfg", "keep"));
    EXPECT_EQ(run(exportSettings), 0); // cancelled
    EXPECT_EQ(bytes("mine.cfg"), "keep");
    platform.dialogAnswers = {dir + "/mygame", dir + "/mine.cfg", dir + "/net.hx8"};
    EXPECT_EQ(run(makeBatchFile), 0);
    EXPECT_EQ(run(exportSettings), 0);
    EXPECT_EQ(bytes("mygame").split('\r').at(2), "\nDoom3.exe -mb 10");
    EXPECT_EQ(bytes("mine.cfg"), crlfLines(exportedConfigLines(settings)));
    platform.programDir = binDir.path();
    pickParameterFile(settings, platform);
    pickParameterFile(settings, platform); // cancelled
    EXPECT_EQ(settings.text(Text::hx8ParameterFile), dir + "/net.hx8");
    const auto& d = platform.dialogs;
    ASSERT_EQ(d.size(), 5u);
    EXPECT_EQ(d[1].request.filter + '|' + d[2].request.filter + '|' + d[3].request.filter,
              "Batch File|*.bat|Doom Legacy Config File|*.cfg|Brimvault HX8 Parameter File|*.hx8");
    EXPECT_TRUE(d[1].kind == FileDialogKind::Save && d[1].request.flags == kHideReadOnly &&
                d[3].request.flags == kHideReadOnly);
    EXPECT_EQ(d[1].request.initialDirectory + '|' + d[3].request.initialDirectory,
              dir + '|' + binDir.path());
}

// Engines: in the Doom directory in any case, then on the PATH (not hx8.exe); .exe through wine.
TEST_F(Launches, EnginesAreFoundWhereThePlayerWouldLook) {
    const QString bin = binDir.path();
    const QString legacy = dir + "/Legacy.EXE";
    for (const QString& program : {legacy, bin + "/prboom", bin + "/hx8.exe"})
        ASSERT_TRUE(makeExecutable(program));
    EXPECT_EQ(findProgram(dir, u"legacy.exe"_s, true), legacy);
    EXPECT_EQ(findProgram(dir, u"prboom"_s, true), bin + "/prboom");
    EXPECT_TRUE(findProgram(dir, u"prboom"_s, false).isEmpty());
    EXPECT_TRUE(findProgram(dir, u"sub/prboom"_s, true).isEmpty());
    EXPECT_TRUE(hx8StartCommand(dir, QString()).program.isEmpty());
    const EngineLine line{QString(), {{EngineSetting::warp, u"-warp  01"_s}}, {}};
    EXPECT_EQ(engineStartCommand(dir, QString(), "legacy.exe", line).arguments, list("-warp|01"));
    const QStringList native =
        list("doomlegacy|chocolate-doom|crispy-doom|dsda-doom|prboom-plus|"
             "woof|nugget-doom|eternity|odamex|zandronum|gzdoom|lzdoom|uzdoom");
    for (const QString& program : native + QStringList{"wine"})
        ASSERT_TRUE(makeExecutable(bin + '/' + program));
    const StartCommand wine = engineStartCommand(dir, QString(), "legacy.exe", line);
    EXPECT_EQ(wine.program, bin + "/wine");
    EXPECT_EQ(wine.arguments, QStringList{legacy} + list("-warp|01"));
    EXPECT_EQ(nativeEnginesOnPath(), native);
}

// Every other way a launch fails: the number and the report. A row's change holds for the next.
TEST_F(Launches, AFailedLaunchSaysWhatFailed) {
    const QString file = dir + u"/plain-file"_s;
    const QString setup = QStringLiteral("You need to setup Brimvault\nThe Doom directory %1 was "
                                         "not found. Choose it in Tools, Options.");
    const auto doomDirectory = [&](const QString& text) {
        return [&, text] { settings.setText(Text::doomDirectory, text); };
    };
    const auto parameters = [&](const QString& path) {
        return [&, path] {
            makeFifo(dir + "/fifo");
            settings.setText(Text::hx8ParameterFile, path);
        };
    };
    const QString notFound = "Error number 53. %1 was not found in the Doom directory " + dir;
    const struct {
        Launch launch;
        std::function<void()> prepare;
        int number;
        QString report;
    } rows[] = {
        // clang-format off
        {launchSinglePlayer, doomDirectory(QString()), 76,
         "You need to setup Brimvault\nNo Doom directory is set. Choose it in Tools, Options."},
        {launchDoomatic, doomDirectory(file + "/below"), 76, setup.arg(file + "/below")},
        {launchHx8, doomDirectory(file), 76, setup.arg(file)},
        {launchSinglePlayer, doomDirectory("/proc/self"), 70,
         "Error number 70. /proc/self/autoexec.cfg may not be written."},
        {launchSinglePlayer, doomDirectory("C:"), 5, kBug.arg(5)}, // a bare drive
        {launchDoomatic, [&] { QDir(dir).mkpath("doomatic.bak/keep");
                               writeBytes(dir + "/doomatic.cfg", "old"); }, 58, kBug.arg(58)},
        {launchSinglePlayer, [] {}, 53, notFound.arg("Doom3.exe") + " or on the PATH."},
        {launchHx8, [] {}, 53, notFound.arg("hx8.exe") + "."},
        {launchHx8, [&] { QDir(dir).mkdir(u"hx8.bat"_s); }, 75, kBug.arg(75)}, // a folder in the way
        {launchDoomatic, [&] { QDir(dir).mkdir(u"doomatic.cfg"_s); }, 75, kBug.arg(75)}, // it stays
        {launchSinglePlayer, [&] { writeBytes(dir + "/Doom3.exe", "MZ");
                                   platform.startResult = StartFailure::Other; }, 75,
         "Error number 75. Doom3.exe is a Windows program, and wine, which runs Windows programs "
         "on this system, is not installed. Install wine, then launch again."},
        {launchSinglePlayer, [&] { settings.setText(Text::executable, u"engine"_s);
                                   writeBytes(dir + "/engine", "#!/bin/sh");
                                   platform.startResult = StartFailure::NotExecutable; }, 70,
         "Error number 70. " + dir + "/engine may not be run."},
        {launchSinglePlayer, [&] { settings.setText(Text::executable, QString());
                                   settings.setText(Text::heap, QString()); },
         53, u"Error number 53. No engine is chosen: type or pick one in Exe."_s},
        {launchHx8, parameters(dir + "/no.hx8"), 53,
         "Error number 53. " + dir + "/no.hx8 was not found."},
        {launchHx8, parameters(file + "/../gone/p.hx8"), 76,
         "Error number 76. The folder " + file + "/../gone does not exist."},
        {launchHx8, parameters(dir), 75, kBug.arg(75)}, // not a file: a folder, a device, a pipe
        {launchHx8, parameters("/dev/zero"), 75, kBug.arg(75)},
        {launchHx8, parameters(dir + "/fifo"), 75, kBug.arg(75)},
        // clang-format on
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.report.toStdString());
        reset();
        writeBytes(file, "not a folder");
        QDir::setCurrent(dir);
        QDir(dir).mkdir(u"C:"_s);
        r.prepare();
        EXPECT_EQ(run(r.launch), r.number);
        EXPECT_EQ(report(), r.report);
        QDir::setCurrent(QDir::rootPath());
    }
    EXPECT_FALSE(QFileInfo::exists(dir + "/hx8.cfg")); // the parameter file is read first
}

// Exports replace a file of the player's whole, or not at all; so does a game set.
TEST_F(Launches, AFailedExportOrGameSetKeepsTheOldFile) {
    const QString below = pathThroughAFile(doomDir);
    const QStringList rows[] = {
        {"75", dir, kBug.arg(75)},
        {"76", below + "/x.bat", "Error number 76. The folder " + below + " does not exist."},
        {"70", "/proc/self/x.bat", "Error number 70. /proc/self/x.bat may not be written."},
    };
    for (const QStringList& row : rows) {
        platform.dialogAnswers = {row[1]};
        EXPECT_EQ(run(makeBatchFile), row[0].toInt());
        EXPECT_EQ(report(), row[2]);
    }
    ASSERT_TRUE(writeBytes(dir + "/mine.cfg", "bind x quit\r\n"));
    ASSERT_TRUE(writeBytes(dir + "/doomatic.cfg", "old set\r\n"));
    platform.dialogAnswers = {dir + "/mine.cfg"};
    // 120 bytes: the scripts fit, the twenty lines of the game set do not.
    for (auto [launch, size] :
         {std::pair<Launch, int>{exportSettings, 16}, {launchDoomatic, 120}}) {
        const auto full = fileSizeLimit(size);
        EXPECT_EQ(run(launch), 57);
    }
    EXPECT_EQ(report(), kBug.arg(57));
    EXPECT_EQ(bytes("mine.cfg"), "bind x quit\r\n");
    EXPECT_EQ(bytes("doomatic.bak"), "old set\r\n");
}
