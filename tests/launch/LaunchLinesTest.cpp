#include "launch/LaunchLines.h"

#include "settings/LaunchSettings.h"
#include "support/Files.h"

#include <gtest/gtest.h>

using namespace bv;

namespace {

const QString kAlias = QStringLiteral("alias addbots \"exec addbots.cfg\"");

QStringList qsl(std::initializer_list<const char*> items) {
    QStringList list;
    for (const char* item : items)
        list << QString::fromUtf8(item);
    return list;
}

// Everything that the engine line can hold turned off, so that one item shows alone.
void clearEngineItems(LaunchSettings& settings) {
    for (Text field : {Text::warp, Text::pwads, Text::heap, Text::extraParameters, Text::configFile,
                       Text::demoFile})
        settings.setText(field, QString());
    settings.setCheck(Check::monsters, 1);
}

} // namespace

TEST(AutoexecLines, OptionalLinesFollowTheirTextsAndOnlyLaunchesGetTheAlias) {
    LaunchSettings settings;
    EXPECT_EQ(kAlias.size(), 32);
    EXPECT_EQ(autoexecLines(settings), (QStringList{"weaponpref 014576328", "botskill 2",
                                                    "gr_crappymlook 0", kAlias, "weapondrop 0"}));

    for (Text field : {Text::weaponsOrder, Text::botSkill})
        settings.setText(field, QString());
    EXPECT_EQ(autoexecLines(settings), (QStringList{"gr_crappymlook 0", kAlias, "weapondrop 0"}));
    EXPECT_EQ(exportedConfigLines(settings), qsl({"gr_crappymlook 0", "weapondrop 0"}));

    settings.setText(Text::botSkill, QStringLiteral(" "));
    settings.setText(Text::customConfig, QStringLiteral("my game.cfg"));
    settings.setCheck(Check::crappyMouseLook, 1);
    settings.setCheck(Check::weaponDrop, 1);
    EXPECT_EQ(exportedConfigLines(settings),
              qsl({"botskill  ", "gr_crappymlook 1", "weapondrop 1", "exec my game.cfg"}));
}

TEST(BotLines, TheWalkStopsAtTheFirstEmptyEntryAndKeepsBlanks) {
    EXPECT_EQ(botsToAdd(qsl({"a", "", "b"})), qsl({"a"}));
    EXPECT_EQ(botsToAdd(qsl({"", "a"})), QStringList());
    EXPECT_EQ(addbotsLines(qsl({" lead", "in ner"})),
              qsl({"addbot  lead", "wait 100", "addbot in ner", "wait 100"}));
    EXPECT_TRUE(addbotsLines({}).isEmpty());
}

TEST(EngineArguments, ItemsAppearInTheirFixedOrderWithSingleBlanks) {
    LaunchSettings settings;
    clearEngineItems(settings);
    EXPECT_EQ(engineCommandLine(settings, true), QStringLiteral("Doom3.exe"));
    settings.setCheck(Check::monsters, 0);
    EXPECT_EQ(engineItems(settings, true), QStringList{"-nomonsters"});

    // The documented example line.
    settings.setText(Text::executable, QStringLiteral("legacy.exe"));
    settings.setText(Text::warp, QStringLiteral("map01"));
    settings.setText(Text::pwads, QStringLiteral("a.wad b.wad"));
    settings.setText(Text::heap, QStringLiteral("10"));
    settings.setDm(DmOption::deathmatch);
    settings.setCheck(Check::recordDemo, 1);
    settings.setText(Text::demoFile, QStringLiteral("demo1"));
    EXPECT_EQ(engineCommandLine(settings, true),
              QStringLiteral("legacy.exe -warp map01 -file a.wad b.wad -mb 10 -deathmatch "
                             "-nomonsters -record demo1"));

    settings.setCheck(Check::openGl, 1);
    settings.setDm(DmOption::altDeath);
    settings.setCheck(Check::captureTheFlag, 1);
    settings.setText(Text::extraParameters, QStringLiteral("-a  -b"));
    settings.setText(Text::configFile, QStringLiteral("c.cfg"));
    settings.setCheck(Check::playDemo, 1);
    QStringList everything{"-warp map01",   "-file a.wad b.wad", "-mb 10",
                           "-opengl",       "-altdeath",         "-ctf",
                           "-a  -b",        "-config c.cfg",     "-nomonsters",
                           "-record demo1", "-playdemo demo1"};
    EXPECT_EQ(engineItems(settings, true), everything);
    everything.removeOne(QStringLiteral("-opengl"));
    EXPECT_EQ(engineItems(settings, false), everything);

    // 3DFX and OpenGL exclude each other in the record; 3DFX has the place before OpenGL.
    settings.setCheck(Check::threeDfx, 1);
    EXPECT_TRUE(engineCommandLine(settings, true)
                    .startsWith(QStringLiteral(
                        "legacy.exe -warp map01 -file a.wad b.wad -mb 10 -3dfx -altdeath")));
}

TEST(BatchFileLines, DriveAndPathComeFromTheDirectoryText) {
    const QString thanks = QStringLiteral("@echo Thanks for using Brimvault");
    FileLines file =
        batchFileLines(QStringLiteral("c:\\doom2"), QStringLiteral("Doom3.exe -mb 10"));
    EXPECT_EQ(file.lines, (QStringList{"c:", "cd\\doom2", "Doom3.exe -mb 10", thanks}));
    EXPECT_EQ(file.failure, LaunchError::none);

    file = batchFileLines(QStringLiteral("c:\\"), QStringLiteral("hx8.exe"));
    EXPECT_EQ(file.lines, (QStringList{"c:", "cd\\", "hx8.exe", thanks}));

    file = batchFileLines(QStringLiteral("c:"), QStringLiteral("hx8.exe"));
    EXPECT_EQ(file.lines, qsl({"c:"}));
    EXPECT_EQ(file.failure, LaunchError::invalidArgument);
}

TEST(Hx8ConfigLines, ParameterLinesSitBetweenExecutableAndEngineItems) {
    LaunchSettings settings;
    clearEngineItems(settings);
    settings.setCheck(Check::openGl, 1);
    EXPECT_EQ(hx8ConfigLines(settings, {}), qsl({"GI JOE'S COMPUTER", "com3,57600", "Doom3.exe"}));

    settings.setCheck(Check::monsters, 0);
    settings.setText(Text::extraParameters, QStringLiteral("-x -y"));
    settings.setText(Text::warp, QStringLiteral("07"));
    EXPECT_EQ(hx8ConfigLines(settings, qsl({"p1", "", "p3"})),
              qsl({"GI JOE'S COMPUTER", "com3,57600", "Doom3.exe", "p1", "", "p3", "-warp 07",
                   "-x -y", "-nomonsters"}));
}

TEST(DoomaticLines, GametypeFollowsTheOptionGroupAndExeLosesFourCharacters) {
    LaunchSettings settings;
    settings.setText(Text::pwads, QString());
    const QStringList general = qsl(
        {"name = \"GI JOE\"", "color = 1", "config = \"default\"", "recorddemo = 0", "timer = 15",
         "autojoin = 0", "alphasort = 1", "maxdemo = 512", "lmpmast = 3", "pallete = 0",
         "addparm = \"\"", "maxplayers = 4", "localparm = \"\"", "#WADSET", "desc = Brimvault"});
    const QStringList tail = qsl({"wads = ", "map = ", "exe = Doom3"});
    FileLines file = doomaticConfigLines(settings);
    EXPECT_EQ(file.lines, general + qsl({"gametype = 0"}) + tail);
    EXPECT_EQ(file.failure, LaunchError::none);

    settings.setDm(DmOption::deathmatch);
    EXPECT_EQ(doomaticConfigLines(settings).lines, general + qsl({"gametype = 1"}) + tail);
    settings.setDm(DmOption::altDeath);
    EXPECT_EQ(doomaticConfigLines(settings).lines, general + tail);

    settings.setText(Text::executable, QStringLiteral("legacy.exe"));
    EXPECT_EQ(doomaticConfigLines(settings).lines.constLast(), QStringLiteral("exe = legacy"));
    settings.setText(Text::executable, QStringLiteral("a.e"));
    file = doomaticConfigLines(settings);
    EXPECT_EQ(file.lines, general + qsl({"wads = ", "map = "}));
    EXPECT_EQ(file.failure, LaunchError::invalidArgument);
}
