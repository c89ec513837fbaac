// Every console command: a line in, its replies out, and what it did to the settings and host.
#include "InterpreterFixture.h"

using Commands = InterpreterFixture;

// One row per reply the table knows, so a changed word in any shows here: "line|reply|reply".
TEST_F(Commands, EveryCommandGivesItsReplies) {
    // clang-format off
    const QStringList rows = QString::fromLatin1(
        "exe Legacy.EXE|EXE Set;exe|EXE command error;zun_exe|EXE command error;warp 07|Warp Set;"
        "warp|Warp command error;files a|Files Set;files|Files command error;heap 16|Heap Set;"
        "heap|Heap command error;width 6|Width Set;width|Width command error;height 4|Height Set;"
        "height|Height command error;par -x|Extra Parameters Set;"
        "par|Extra Parameters command error;name GI JOE|Name Set;name|Name command error;"
        "weaponpref 1|Preferred Weapons Order Set;weaponpref|Preferred Weapons Order command error;"
        "botskill 4|Bot Skill Set;botskill|Botskill command error;"
        "hx8_computername B|HX8 Computer Name Set;hx8_computername|hx8_computername command error;"
        "hx8_comports c|HX8 COM Ports Set;hx8_comports|hx8_comports command error;"
        "hx8_pars P|HX8 Parameter File Set;hx8_pars|hx8_pars command error;"
        "custom_config c|Custom Config File Set;custom_config|custom_config command error;"
        "doomatic_max 8|Doomatic Max Players Set;doomatic_max|doomatic_max command error;"
        "doomatic_par -N|Doomatic Parameters Set;doomatic_par|doomatic_par command error;"
        "config_file C|Config File Set;config_file|config_file command error;"
        "zun_font|Font Size command error;setdoompath|c:\\doom2;setdoompath |setdoompath error;"
        "setdoompath /D|Doom path set;gr_crappymlook 1|gr_crappymlook 1|gr_crappymlook set;"
        "gr_crappymlook 10|gr_crappymlook 10|gr_crappymlook command Error;"
        "gr_crappymlook 2|gr_crappymlook 2|gr_crappymlook command Error;"
        "3dfx 2|3dfx 2|3DFX command Error;3dfx 11|3dfx 11|error 3DFX;3dfx 1|3dfx 1|3dfx set;"
        "ctf x|ctf x|CTF command Error;ctf|ctf|error CTF;ctf 1|ctf 1|CTF set;"
        "dm 3|dm 3|DM command Error;dm|dm|error DM;dm 2|dm 2|DM set;"
        "monsters /|monsters /|Monsters command Error;monsters|monsters|error Monsters;"
        "monsters 0|monsters 0|monsters set;weapondrop 7|weapondrop 7|weapondrop command Error;"
        "weapondrop|weapondrop|error weapondrop;weapondrop 1|weapondrop 1|weapondrop  set;"
        "gl 9|gl 9|GL command Error;gl|gl|error GL;gl 1|gl 1|GL set;"
        "show 2|show 2|Show command Error;show|show|error Show;zun_show|error Show;zun_show 5;"
        "show 0|show 0|Unloading Main Dialog;show 1|show 1|Loading Main Dialog;zun_show 1;"
        "commands||You can use the following commands|echo show exec cls about msg exit options "
        "exe warp files heap width height par weaponpref setdoompath botskill gr_crappymlook 3dfx "
        "ctf dm name help hx8_computername hx8_comports hx8_pars|Look in the help file for more "
        "information|;echo Mixed Case|Mixed Case;echo|;// anything;//x|//x|Command unkown;"
        "||Command unkown;cls |cls |Command unkown;about me|about me|Command unkown;"
        "exit now|exit now|Command unkown;commands!|commands!|Command unkown;debug;about;options;"
        "edit;edit x|edit x|Command unkown;help;help x|help x|Command unkown;zun_help me;"
        "msg Hello World;msg ;msg|msg needs a text to show;zun_font 512;"
        "update_ybot x|update_ybot x|Command unkown;update_ybot").split(QLatin1Char(';'));
    // clang-format on
    for (const QString& row : rows)
        EXPECT_EQ(run(row.section('|', 0, 0)), row.split('|').mid(1)) << row.toStdString();
    EXPECT_DOUBLE_EQ(windows.fontSize, 512.0);
    EXPECT_EQ(settings.text(Text::doomaticMaxPlayers) + settings.text(Text::doomaticParameters),
              u"8-N"_s); // paths keep their case
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_TRUE(platform.messages[0].text == "Hello World" && platform.messages[0].informationIcon);
    EXPECT_TRUE(platform.messages[1].text.isEmpty());              // of "msg "
    EXPECT_EQ(platform.documents.size() + platform.quitCount, 2u); // no exit among them
    // Failures without a reply of their own still get a word at the console.
    for (const char* line : {"zun_font big", "zun_font 513", "zun_font 0.5", "zun_font inf"})
        EXPECT_EQ(run(QLatin1String(line)), list("Font size must be a number from 1 to 512"));
    windows.fontOk = false;
    EXPECT_EQ(run(u"zun_font 1"_s), list("Font size could not be applied"));
    EXPECT_EQ(
        windows.calls,
        list("hideMain|showMain|showMain|showDebug|showAbout|showOptions|showEdit|font|font"));
    platform.documentsOpen = false;
    EXPECT_EQ(run(u"help"_s),
              QStringList{"Could not open the help page " + programFile(u"help/index.html"_s) +
                          ": no program to show it was found."});
    run(u"cls"_s);
    EXPECT_TRUE(interpreter.consoleText().isEmpty());
}

// Bot files of the Doom directory's bots folder: sorted, hidden too, no folders; each run adds.
// Bot lists sort without regard to case and keep duplicates; only a row that is there moves.
TEST_F(Commands, UpdateYbotListsTheBotFilesEachTimeAndOnlyABotThereMoves) {
    QTemporaryDir doom;
    ASSERT_TRUE(QDir(doom.path()).mkpath(u"bots/folder.bot"_s));
    for (const char* name : {"zed.bot", "Alpha.BOT", ".hidden.bot", "notes.txt"})
        writeBytes(doom.path() + u"/bots/"_s + QLatin1String(name), "x");
    for (int i = 9999; i >= 0; --i)
        writeBytes(doom.path() + u"/bots/b%1.bot"_s.arg(i, 5, 10, QLatin1Char('0')), "");
    settings.setText(Text::doomDirectory, doom.path());
    EXPECT_EQ(run(u"update_ybot"_s), QStringList());
    run(u"update_ybot"_s);
    const QStringList bots = settings.list(BotList::availableBots);
    EXPECT_TRUE(bots.size() == 20006 && std::is_sorted(bots.begin(), bots.end()));
    EXPECT_EQ(bots.mid(0, 4) + bots.mid(20004), list(".hidden|.hidden|Alpha|Alpha|zed|zed"));

    LaunchSettings s;
    s.addItemsToList(BotList::availableBots, list("zbot|Abot|mbot|abot|mbot|B"));
    EXPECT_TRUE(s.moveBetweenLists(BotList::availableBots, 5) &&
                s.moveBetweenLists(BotList::availableBots, 0));
    EXPECT_FALSE(s.moveBetweenLists(BotList::availableBots, 4) ||
                 s.moveBetweenLists(BotList::selectedBots, -1));
    s.removeFromList(BotList::availableBots, 4);
    s.removeFromList(BotList::availableBots, -1);
    EXPECT_EQ(s.list(BotList::availableBots) + s.list(BotList::selectedBots),
              list("abot|B|mbot|mbot|Abot|zbot"));
}
