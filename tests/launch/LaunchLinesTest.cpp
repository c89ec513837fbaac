// The lines of the launch files and of the end report, built from the settings alone.
#include "launch/LaunchLines.h"
#include "launch/EngineFamilies.h"
#include "launch/EngineReport.h"

#include "settings/LaunchSettings.h"
#include "support/Files.h"

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
        const char* executable;
        const char* warp;
        const char* extra;
        Check renderer; // checking one clears the other
        D dm;
        bool withOpenGl;
        const char* items;
        const char* notes;
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
        {{false, 255}, "v0.27\r\nUnknown option -mb\n", false,
         "e ended with status 255|e: v0.27|e: Unknown option -mb|K"},
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
