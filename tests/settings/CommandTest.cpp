// Every command of the console, a line in and its replies out, and what it did to the record,
// the windows and the host.
#include "InterpreterFixture.h"

#include <QDir>

#include <fcntl.h>
#include <unistd.h>

using namespace bv;
using namespace bv::test;

namespace {

using Commands = InterpreterFixture;

QStringList L(std::initializer_list<const char*> lines) {
    QStringList out;
    for (const char* line : lines)
        out << QString::fromLatin1(line);
    return out;
}

} // namespace

// One row per reply the table knows, a changed word in any shows here: "line|reply|reply".
TEST_F(Commands, EveryCommandGivesItsReplies) {
    // clang-format off
    const char* const rows[] = {
        "exe Legacy.EXE|EXE Set", "exe|EXE command error", "warp 07|Warp Set",
        "warp|Warp command error", "files a.wad|Files Set", "files|Files command error",
        "heap 16|Heap Set", "heap|Heap command error", "width 640|Width Set",
        "width|Width command error", "height 480|Height Set", "height|Height command error",
        "par -x|Extra Parameters Set", "par|Extra Parameters command error", "name GI JOE|Name Set",
        "name|Name command error", "weaponpref 1|Preferred Weapons Order Set",
        "weaponpref|Preferred Weapons Order command error", "botskill 4|Bot Skill Set",
        "botskill|Botskill command error", "hx8_computername B|HX8 Computer Name Set",
        "hx8_computername|hx8_computername command error", "hx8_comports c|HX8 COM Ports Set",
        "hx8_comports|hx8_comports command error", "hx8_pars P.hx8|HX8 Parameter File Set",
        "hx8_pars|hx8_pars command error", "custom_config c|Custom Config File Set",
        "custom_config|custom_config command error", "doomatic_max 8|Doomatic Max Players Set",
        "doomatic_max|doomatic_max command error", "doomatic_par -n|Doomatic Parameters Set",
        "doomatic_par|doomatic_par command error", "config_file C|Config File Set",
        "config_file|config_file command error", "zun_exe|EXE command error",
        "zun_warp|Warp command error", "zun_files|Files command error",
        "zun_heap|Heap command error", "zun_width|Width command error",
        "zun_height|Height command error", "zun_par|Extra Parameters command error",
        "zun_font|Font Size command error", "setdoompath|c:\\doom2",
        "setdoompath |setdoompath error", "setdoompath /D|Doom path set",
        "gr_crappymlook 1|gr_crappymlook 1|gr_crappymlook set",
        "gr_crappymlook 10|gr_crappymlook 10|gr_crappymlook command Error",
        "gr_crappymlook 2|gr_crappymlook 2|gr_crappymlook command Error",
        "3dfx 2|3dfx 2|3DFX command Error", "3dfx 11|3dfx 11|error 3DFX", "3dfx 1|3dfx 1|3dfx set",
        "ctf x|ctf x|CTF command Error", "ctf|ctf|error CTF", "ctf 1|ctf 1|CTF set",
        "dm 3|dm 3|DM command Error", "dm|dm|error DM", "dm 2|dm 2|DM set",
        "monsters /|monsters /|Monsters command Error", "monsters|monsters|error Monsters",
        "monsters 0|monsters 0|monsters set", "weapondrop 7|weapondrop 7|weapondrop command Error",
        "weapondrop|weapondrop|error weapondrop", "weapondrop 1|weapondrop 1|weapondrop  set",
        "gl 9|gl 9|GL command Error", "gl|gl|error GL", "gl 1|gl 1|GL set",
        "show 2|show 2|Show command Error", "show|show|error Show",
        "show 0|show 0|Unloading Main Dialog", "show 1|show 1|Loading Main Dialog",
        "zun_show|error Show", "zun_show 5", "zun_show 1",
        "commands||You can use the following commands|echo show exec cls about msg exit options "
        "exe warp files heap width height par weaponpref setdoompath botskill gr_crappymlook 3dfx "
        "ctf dm name help hx8_computername hx8_comports hx8_pars|Look in the help file for more "
        "information|",
        "echo Mixed Case|Mixed Case", "echo|", "// anything", "//x|//x|Command unkown",
        "||Command unkown", "cls |cls |Command unkown", "about me|about me|Command unkown",
        "exit now|exit now|Command unkown", "commands!|commands!|Command unkown", "debug", "about",
        "options", "edit", "help", "zun_help me", "msg Hello World", "zun_font 12", "zun_warp 12",
    };
    // clang-format on
    for (const char* row : rows) {
        QStringList replies = QString::fromLatin1(row).split(QLatin1Char('|'));
        const QString line = replies.takeFirst();
        EXPECT_EQ(run(line), replies) << row;
    }
    EXPECT_EQ(windows.calls, L({"hideMain", "showMain", "showMain", "showDebug", "showAbout",
                                "showOptions", "showEdit", "font"}));
    EXPECT_DOUBLE_EQ(windows.fontSize, 12.0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, QStringLiteral("Hello World"));
    EXPECT_TRUE(platform.messages[0].informationIcon);
    EXPECT_EQ(platform.documents.size(), 2u);
    EXPECT_EQ(platform.quitCount, 0);
}

// Values come from the lower-cased line, one separator character after the word, nothing
// trimmed; paths keep their case where file names do; a missing argument changes nothing.
TEST_F(Commands, ValuesAreStoredAsTheRulesSay) {
    const struct {
        const char* line;
        Text field;
        const char* stored;
    } rows[] = {
        // clang-format off
        {"warpX07", Text::warp, "07"}, {"warp  5", Text::warp, " 5"},
        {"zun_warp 12", Text::warp, "12"}, {"warp", Text::warp, "12"},
        {"name GI JOE", Text::playerName, "gi joe"}, {"hx8_computername Box", Text::computerName, "box"},
        {"weaponpref 123456789abc", Text::weaponsOrder, "123456789"}, {"botskill 4", Text::botSkill, "4"},
        {"hx8_comports COM1", Text::comPorts, "com1"}, {"exe ", Text::executable, ""},
        {"ZUN_EXE Legacy.exe", Text::executable, "Legacy.exe"}, {"files A.wad B", Text::pwads, "A.wad B"},
        {"par -Nosound", Text::extraParameters, "-Nosound"}, {"hx8_pars /P.hx8", Text::hx8ParameterFile, "/P.hx8"},
        {"custom_config My.CFG", Text::customConfig, "My.CFG"}, {"doomatic_par -Net", Text::doomaticParameters, "-Net"},
        {"doomatic_max 8", Text::doomaticMaxPlayers, "8"}, {"config_file L.CFG", Text::configFile, "L.CFG"},
        {"setdoompath /Games/DOOM2", Text::doomDirectory, "/Games/DOOM2"}, {"setdoompath ", Text::doomDirectory, "/Games/DOOM2"},
        {"zun_heap 32", Text::heap, "32"}, {"zun_width 1", Text::width, "1"}, {"zun_height 2", Text::height, "2"},
        {"zun_files x", Text::pwads, "x"}, {"zun_par y", Text::extraParameters, "y"},
        // clang-format on
    };
    for (const auto& r : rows) {
        run(QLatin1String(r.line));
        EXPECT_EQ(settings.text(r.field), QLatin1String(r.stored)) << r.line;
    }
    const struct {
        const char* line;
        Check field;
        int value;
    } switches[] = {
        // clang-format off
        {"gr_crappymlook 1", Check::crappyMouseLook, 1}, {"ctf 1", Check::captureTheFlag, 1},
        {"monsters 0", Check::monsters, 0}, {"weapondrop 1", Check::weaponDrop, 1},
        {"gl 1", Check::openGl, 1}, {"3dfx 1", Check::openGl, 0}, {"3dfx 0", Check::openGl, 0},
        {"3dfx 2", Check::threeDfx, 0}, {"gl 1", Check::threeDfx, 0}, {"monsters 12", Check::monsters, 0},
        // clang-format on
    };
    for (const auto& r : switches) {
        run(QLatin1String(r.line));
        EXPECT_EQ(settings.check(r.field), r.value) << r.line;
    }
    for (const auto& [line, option] : {std::pair{"dm 2", DmOption::altDeath},
                                       {"dm 1", DmOption::deathmatch},
                                       {"dm 3", DmOption::deathmatch},
                                       {"dm 0", DmOption::none}}) {
        run(QLatin1String(line));
        EXPECT_EQ(settings.dm(), option) << line;
    }
}

// Switch replies are direct and never reach the log; echo replies do.
TEST_F(Commands, TheLogHoldsEveryLineHandedInButNotTheDirectReplies) {
    interpreter.interpret(QStringLiteral("Warp 07"));
    interpreter.interpret(QStringLiteral("ctf 1"));
    EXPECT_EQ(logLines(), L({"Warp 07", "echo Warp Set", "ctf 1", "echo ctf 1"}));
    EXPECT_EQ(interpreter.consoleText(), QStringLiteral("\nWarp Set\nctf 1\nCTF set"));
    run(QStringLiteral("cls"));
    EXPECT_TRUE(interpreter.consoleText().isEmpty());
}

// Failures without a reply of their own still get a word at the console.
TEST_F(Commands, CommandsThatCannotDoTheirWorkSaySo) {
    platform.documentsOpen = false;
    const QString page = programFile(QStringLiteral("help/index.html"));
    const QString noViewer =
        "Could not open the help page " + page + ": no program to show it was found.";
    EXPECT_EQ(run(QStringLiteral("help")), QStringList{noViewer});
    EXPECT_EQ(run(QStringLiteral("zun_help")), QStringList{noViewer});
    EXPECT_EQ(platform.documents, (std::vector<QString>{page, page}));
    EXPECT_EQ(run(QStringLiteral("msg")), L({"msg needs a text to show"}));
    EXPECT_EQ(run(QStringLiteral("zun_font big")), L({"Font size must be a number from 1 to 512"}));
    EXPECT_EQ(run(QStringLiteral("zun_font 513")), L({"Font size must be a number from 1 to 512"}));
    windows.fontOk = false;
    EXPECT_EQ(run(QStringLiteral("zun_font 1")), L({"Font size could not be applied"}));
    EXPECT_TRUE(platform.messages.empty());
}

// Bot files of the Doom directory's bots folder: sorted, hidden ones too, folders not, and
// each run adds them again.
TEST_F(Commands, UpdateYbotListsTheBotFilesEachTime) {
    QTemporaryDir doom;
    ASSERT_TRUE(QDir(doom.path()).mkpath(QStringLiteral("bots/folder.bot")));
    for (const char* name : {"zed.bot", "Alpha.BOT", ".hidden.bot", "notes.txt"})
        writeBytes(doom.path() + QStringLiteral("/bots/") + QLatin1String(name), "x");
    settings.setText(Text::doomDirectory, doom.path());
    EXPECT_EQ(run(QStringLiteral("update_ybot")), QStringList());
    EXPECT_EQ(settings.list(BotList::availableBots), L({".hidden", "Alpha", "zed"}));
    run(QStringLiteral("update_ybot"));
    EXPECT_EQ(settings.list(BotList::availableBots).size(), 6);
    settings.setText(Text::doomDirectory, doom.path() + QStringLiteral("/missing"));
    EXPECT_EQ(run(QStringLiteral("update_ybot")), QStringList());
    EXPECT_EQ(settings.list(BotList::availableBots).size(), 6);
    // Ten thousand bots are all listed, in order.
    QTemporaryDir many;
    QDir(many.path()).mkdir(QStringLiteral("bots"));
    for (int i = 9999; i >= 0; --i) {
        const QByteArray name = QFile::encodeName(many.path()) + "/bots/b" +
                                QByteArray::number(i).rightJustified(5, '0') + ".bot";
        ::close(::creat(name.constData(), 0644));
    }
    LaunchSettings fresh;
    fresh.setText(Text::doomDirectory, many.path());
    CommandInterpreter(fresh, colours, platform).interpret(QStringLiteral("update_ybot"));
    const QStringList bots = fresh.list(BotList::availableBots);
    EXPECT_EQ(bots.size(), 10000);
    EXPECT_TRUE(std::is_sorted(bots.begin(), bots.end()));
}

// News that arrives while a command runs (a game ended while a script waits in a message
// box) comes after that command, in order; with nothing running it comes at once.
TEST_F(Commands, RepliesFromOutsideWaitForTheRunningCommand) {
    writeScript(QStringLiteral("m.brv"), "msg wait\r\nwarp 01\r\n");
    platform.onMessage = [this](const QString&) {
        interpreter.interpretWhenIdle(QStringLiteral("echo game ended"));
        interpreter.interpretWhenIdle(QStringLiteral("echo its last line"));
    };
    EXPECT_EQ(run(QStringLiteral("exec m.brv")),
              L({"exec m.brv", "Warp Set", "game ended", "its last line"}));
    interpreter.interpretWhenIdle(QStringLiteral("echo at once"));
    EXPECT_EQ(outputLines().constLast(), QStringLiteral("at once"));
}
