#include "InterpreterFixture.h"

#include <QDir>

using namespace bv;
using namespace bv::test;

namespace {

struct Case {
    const char* line;
    QStringList replies;
};

using Interpreter = InterpreterFixture;

QStringList L(std::initializer_list<const char*> lines) {
    QStringList out;
    for (const char* l : lines)
        out << QString::fromLatin1(l);
    return out;
}

} // namespace

TEST_F(Interpreter, ValueCommandsReplyAndStoreLowerCasedArgument) {
    const struct {
        const char* line;
        Text field;
        const char* stored;
        const char* reply;
    } cases[] = {
        {"warp 07", Text::warp, "07", "Warp Set"},
        {"warpX07", Text::warp, "07", "Warp Set"}, // any separator character is skipped
        {"warp  5", Text::warp, " 5", "Warp Set"}, // nothing is trimmed
        {"HEAP 16", Text::heap, "16", "Heap Set"},
        {"width 640", Text::width, "640", "Width Set"},
        {"height 480", Text::height, "480", "Height Set"},
        {"name GI JOE", Text::playerName, "gi joe", "Name Set"},
        {"weaponpref 123456789abc", Text::weaponsOrder, "123456789", "Preferred Weapons Order Set"},
        {"botskill 4", Text::botSkill, "4", "Bot Skill Set"},
        {"hx8_computername MyBox", Text::computerName, "mybox", "HX8 Computer Name Set"},
        {"hx8_comports COM1,9600", Text::comPorts, "com1,9600", "HX8 COM Ports Set"},
        {"doomatic_max 8", Text::doomaticMaxPlayers, "8", "Doomatic Max Players Set"},
        {"exe ", Text::executable, "", "EXE Set"}, // empty argument is a value
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(run(QString::fromLatin1(c.line)), QStringList{QString::fromLatin1(c.reply)});
        EXPECT_EQ(settings.text(c.field), QString::fromLatin1(c.stored));
    }
}

TEST_F(Interpreter, PathValuesKeepTheirCaseOnCaseSensitiveHosts) {
    const struct {
        const char* line;
        Text field;
        const char* reply;
    } cases[] = {
        {"exe DOOM3.EXE", Text::executable, "EXE Set"},
        {"files Maps/A.wad B.deh", Text::pwads, "Files Set"},
        {"par -Nosound", Text::extraParameters, "Extra Parameters Set"},
        {"hx8_pars /Home/P.hx8", Text::hx8ParameterFile, "HX8 Parameter File Set"},
        {"custom_config My.CFG", Text::customConfig, "Custom Config File Set"},
        {"doomatic_par -Net", Text::doomaticParameters, "Doomatic Parameters Set"},
        {"config_file Legacy.CFG", Text::configFile, "Config File Set"},
        {"setdoompath /Games/DOOM2", Text::doomDirectory, "Doom path set"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const QString line = QString::fromLatin1(c.line);
        EXPECT_EQ(run(line), QStringList{QString::fromLatin1(c.reply)});
        const QString argument = line.mid(line.indexOf(QLatin1Char(' ')) + 1);
#ifdef Q_OS_WIN
        EXPECT_EQ(settings.text(c.field), argument.toLower());
#else
        EXPECT_EQ(settings.text(c.field), argument);
#endif
    }
    // Command words still match in any case.
    EXPECT_EQ(run(QStringLiteral("ZUN_EXE Legacy.exe")), QStringList());
#ifndef Q_OS_WIN
    EXPECT_EQ(settings.text(Text::executable), QStringLiteral("Legacy.exe"));
#endif
}

TEST_F(Interpreter, MissingArgumentGivesErrorAndKeepsValue) {
    const struct {
        const char* line;
        Text field;
        const char* reply;
    } cases[] = {
        {"exe", Text::executable, "EXE command error"},
        {"warp", Text::warp, "Warp command error"},
        {"files", Text::pwads, "Files command error"},
        {"heap", Text::heap, "Heap command error"},
        {"par", Text::extraParameters, "Extra Parameters command error"},
        {"botskill", Text::botSkill, "Botskill command error"},
        {"hx8_pars", Text::hx8ParameterFile, "hx8_pars command error"},
        {"doomatic_par", Text::doomaticParameters, "doomatic_par command error"},
        {"config_file", Text::configFile, "config_file command error"},
        {"zun_warp", Text::warp, "Warp command error"},
        {"zun_exe", Text::executable, "EXE command error"},
        {"zun_par", Text::extraParameters, "Extra Parameters command error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const QString before = settings.text(c.field);
        EXPECT_EQ(run(QString::fromLatin1(c.line)), QStringList{QString::fromLatin1(c.reply)});
        EXPECT_EQ(settings.text(c.field), before);
    }
    EXPECT_EQ(run(QStringLiteral("zun_font")), L({"Font Size command error"}));
}

TEST_F(Interpreter, QuietCommandsSetSilently) {
    EXPECT_EQ(run(QStringLiteral("zun_warp 12")), QStringList());
    EXPECT_EQ(settings.text(Text::warp), QStringLiteral("12"));
    EXPECT_EQ(run(QStringLiteral("zun_heap 32")), QStringList());
    EXPECT_EQ(settings.text(Text::heap), QStringLiteral("32"));
    EXPECT_EQ(run(QStringLiteral("zun_width 1")), QStringList());
    EXPECT_EQ(run(QStringLiteral("zun_height 2")), QStringList());
    EXPECT_EQ(settings.text(Text::width), QStringLiteral("1"));
    EXPECT_EQ(settings.text(Text::height), QStringLiteral("2"));
    EXPECT_EQ(run(QStringLiteral("zun_font 12")), QStringList());
    EXPECT_DOUBLE_EQ(windows.fontSize, 12.0);
}

TEST_F(Interpreter, SwitchCommands) {
    const Case cases[] = {
        {"3dfx 1", L({"3dfx 1", "3dfx set"})},
        {"3dfx 2", L({"3dfx 2", "3DFX command Error"})},
        {"3dfx 11", L({"3dfx 11", "error 3DFX"})},
        {"gl 1", L({"gl 1", "GL set"})},
        {"gl", L({"gl", "error GL"})},
        {"ctf 1", L({"ctf 1", "CTF set"})},
        {"ctf x", L({"ctf x", "CTF command Error"})},
        {"dm 2", L({"dm 2", "DM set"})},
        {"dm", L({"dm", "error DM"})},
        {"dm 3", L({"dm 3", "DM command Error"})},
        {"monsters 0", L({"monsters 0", "monsters set"})},
        {"monsters", L({"monsters", "error Monsters"})},
        {"weapondrop 0", L({"weapondrop 0", "weapondrop  set"})},
        {"weapondrop 7", L({"weapondrop 7", "weapondrop command Error"})},
        {"GR_CRAPPYMLOOK 1", L({"GR_CRAPPYMLOOK 1", "gr_crappymlook set"})},
        {"gr_crappymlook 10", L({"gr_crappymlook 10", "gr_crappymlook command Error"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(run(QString::fromLatin1(c.line)), c.replies);
    }
    EXPECT_EQ(settings.check(Check::threeDfx), 0); // gl 1 cleared it
    EXPECT_EQ(settings.check(Check::openGl), 1);
    EXPECT_EQ(settings.check(Check::captureTheFlag), 1);
    EXPECT_EQ(settings.dm(), DmOption::altDeath);
    EXPECT_EQ(settings.check(Check::monsters), 0);
    EXPECT_EQ(settings.check(Check::crappyMouseLook), 1);

    run(QStringLiteral("3dfx 1"));
    EXPECT_EQ(settings.check(Check::openGl), 0);
    run(QStringLiteral("3dfx 0"));
    EXPECT_EQ(settings.check(Check::openGl), 0);
    run(QStringLiteral("dm 1"));
    EXPECT_EQ(settings.dm(), DmOption::deathmatch);
}

TEST_F(Interpreter, SwitchSuccessIsDirectAndNotLogged) {
    run(QStringLiteral("ctf 1"));
    EXPECT_EQ(logLines(), L({"ctf 1", "echo ctf 1"}));
}

TEST_F(Interpreter, ExactCommandsAndComments) {
    const Case cases[] = {
        {"cls ", L({"cls ", "Command unkown"})},
        {"about me", L({"about me", "Command unkown"})},
        {"helpme", L({"helpme", "Command unkown"})},
        {"exit now", L({"exit now", "Command unkown"})},
        {"//x", L({"//x", "Command unkown"})},
        {"", L({"", "Command unkown"})},
        {"bogus Thing", L({"bogus Thing", "Command unkown"})},
        {"// anything at all", {}},
        {"echo Mixed Case Text", L({"Mixed Case Text"})},
        {"echo", L({""})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(run(QString::fromLatin1(c.line)), c.replies);
    }
    EXPECT_EQ(platform.quitCount, 0);
    EXPECT_TRUE(windows.calls.isEmpty());
}

TEST_F(Interpreter, ClsEmptiesTheOutput) {
    run(QStringLiteral("echo a"));
    run(QStringLiteral("cls"));
    EXPECT_TRUE(interpreter.consoleText().isEmpty());
}

TEST_F(Interpreter, WarpReplyIsLoggedAsEchoLine) {
    interpreter.interpret(QStringLiteral("Warp 07"));
    EXPECT_EQ(logLines(), L({"Warp 07", "echo Warp Set"}));
    EXPECT_EQ(interpreter.consoleText(), QStringLiteral("\nWarp Set"));
}

TEST_F(Interpreter, ShowAndWindowCommands) {
    EXPECT_EQ(run(QStringLiteral("show 1")), L({"show 1", "Loading Main Dialog"}));
    EXPECT_EQ(run(QStringLiteral("show 0")), L({"show 0", "Unloading Main Dialog"}));
    EXPECT_EQ(run(QStringLiteral("show 2")), L({"show 2", "Show command Error"}));
    EXPECT_EQ(run(QStringLiteral("show")), L({"show", "error Show"}));
    EXPECT_EQ(run(QStringLiteral("zun_show 1")), QStringList());
    EXPECT_EQ(run(QStringLiteral("zun_show 5")), QStringList());
    EXPECT_EQ(run(QStringLiteral("zun_show")), L({"error Show"}));
    EXPECT_EQ(run(QStringLiteral("debug")), QStringList());
    EXPECT_EQ(run(QStringLiteral("about")), QStringList());
    EXPECT_EQ(run(QStringLiteral("options")), QStringList());
    EXPECT_EQ(run(QStringLiteral("edit")), QStringList());
    EXPECT_EQ(windows.calls, L({"showMain", "hideMain", "showMain", "showDebug", "showAbout",
                                "showOptions", "showEdit"}));
}

TEST_F(Interpreter, HelpOpensTheHelpDocument) {
    EXPECT_EQ(run(QStringLiteral("help")), QStringList());
    run(QStringLiteral("zun_help anything"));
    const QString expected = programFile(QStringLiteral("help/index.html"));
    ASSERT_EQ(platform.documents.size(), 2u);
    EXPECT_EQ(platform.documents[0], expected);
    EXPECT_EQ(platform.documents[1], expected);
    // A system with no program to show it: the player is told instead of seeing nothing.
    platform.documentsOpen = false;
    const QString reply =
        "Could not open the help page " + expected + ": no program to show it was found.";
    EXPECT_EQ(run(QStringLiteral("help")), QStringList{reply});
    EXPECT_EQ(run(QStringLiteral("zun_help")), QStringList{reply});
}

TEST_F(Interpreter, MsgShowsModalBoxWithOriginalText) {
    EXPECT_EQ(run(QStringLiteral("msg Hello World")), QStringList());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, QStringLiteral("Hello World"));
    EXPECT_TRUE(platform.messages[0].informationIcon);
    // Alone at the console it cannot show anything: one clear reply instead of silence.
    EXPECT_EQ(run(QStringLiteral("msg")).size(), 1);
    EXPECT_EQ(platform.messages.size(), 1u);
}

// News that arrives while a command runs (a game ended while a script waits in a message
// box) comes after that command, in order; with nothing running it comes at once.
TEST_F(Interpreter, RepliesFromOutsideWaitForTheRunningCommand) {
    writeScript(QStringLiteral("m.brv"), "msg wait\r\nwarp 01\r\n");
    platform.onMessage = [this](const QString&) {
        interpreter.interpretWhenIdle(QStringLiteral("echo game ended"));
        interpreter.interpretWhenIdle(QStringLiteral("echo its last line"));
    };
    EXPECT_EQ(run(QStringLiteral("exec m.brv")),
              L({"exec m.brv", "Warp Set", "game ended", "its last line"}));
    interpreter.interpretWhenIdle(QStringLiteral("echo at once"));
    EXPECT_EQ(outputLines().constLast(), QStringLiteral("at once"));
    EXPECT_TRUE(interpreter.debugLog().endsWith(QStringLiteral("\necho at once")));
}

TEST_F(Interpreter, SetDoomPathCases) {
    EXPECT_EQ(run(QStringLiteral("setdoompath")), L({"c:\\doom2"}));
    EXPECT_EQ(run(QStringLiteral("setdoompath ")), L({"setdoompath error"}));
    EXPECT_EQ(settings.text(Text::doomDirectory), QStringLiteral("c:\\doom2"));
    EXPECT_EQ(run(QStringLiteral("setdoompath d:\\games")), L({"Doom path set"}));
    EXPECT_EQ(settings.text(Text::doomDirectory), QStringLiteral("d:\\games"));
}

TEST_F(Interpreter, CommandsListsFiveLines) {
    run(QStringLiteral("commands"));
    run(QStringLiteral("exec"));
    EXPECT_EQ(
        outputLines(),
        L({"", "You can use the following commands",
           "echo show exec cls about msg exit options exe warp files heap width height par "
           "weaponpref setdoompath botskill gr_crappymlook 3dfx ctf dm name help "
           "hx8_computername hx8_comports hx8_pars",
           "Look in the help file for more information", "", "exec", "Could not execute script"}));
}

TEST_F(Interpreter, FontSizeThatIsNotANumberIsReported) {
    EXPECT_EQ(run(QStringLiteral("zun_font big")).size(), 1);
    EXPECT_EQ(run(QStringLiteral("zun_font -3")).size(), 1);
    EXPECT_FALSE(windows.calls.contains(QStringLiteral("font")));
}

TEST_F(Interpreter, UpdateYbotListsBotFilesSortedAndTwice) {
    QTemporaryDir doom;
    ASSERT_TRUE(QDir(doom.path()).mkpath(QStringLiteral("bots")));
    for (const char* name : {"zed.bot", "Alpha.BOT", "mike.bot", "notes.txt"})
        writeBytes(doom.path() + QStringLiteral("/bots/") + QLatin1String(name), "x");
    settings.setText(Text::doomDirectory, doom.path());
    EXPECT_EQ(run(QStringLiteral("update_ybot")), QStringList());
    EXPECT_EQ(settings.list(BotList::availableBots), L({"Alpha", "mike", "zed"}));
    run(QStringLiteral("update_ybot"));
    EXPECT_EQ(settings.list(BotList::availableBots),
              L({"Alpha", "Alpha", "mike", "mike", "zed", "zed"}));
    // No bots folder: nothing changes, nothing is said.
    settings.setText(Text::doomDirectory, doom.path() + QStringLiteral("/missing"));
    EXPECT_EQ(run(QStringLiteral("update_ybot")), QStringList());
    EXPECT_EQ(settings.list(BotList::availableBots).size(), 6);
}

TEST_F(Interpreter, ExecRunsScriptLinesWithLineEndRule) {
    writeScript(QStringLiteral("a.brv"), "warp 01\r\nheap 8\rname a\nb\r\n\r\n  zun_par x");
    const QStringList replies = run(QStringLiteral("exec a.brv"));
    EXPECT_EQ(replies, L({"exec a.brv", "Warp Set", "Heap Set", "Name Set", "", "Command unkown",
                          "  zun_par x", "Command unkown"}));
    EXPECT_EQ(settings.text(Text::playerName), QStringLiteral("a\nb")); // a lone LF stays
    EXPECT_TRUE(logLines().contains(QStringLiteral("warp 01")));
}

TEST_F(Interpreter, ExecFailures) {
    EXPECT_EQ(run(QStringLiteral("exec missing.brv")),
              L({"exec missing.brv", "Could not execute script"}));
    EXPECT_EQ(run(QStringLiteral("exec")), L({"exec", "Could not execute script"}));
    EXPECT_EQ(run(QStringLiteral("exec ")), L({"exec ", "Could not execute script"}));
    ASSERT_TRUE(QDir(programDir.path()).mkpath(QStringLiteral("adir")));
    EXPECT_EQ(run(QStringLiteral("exec adir")), L({"exec adir", "Could not execute script"}));
#ifndef Q_OS_WIN
    // A device never ends: it is refused like a directory instead of hanging the program.
    EXPECT_EQ(run(QStringLiteral("exec /dev/zero")),
              L({"exec /dev/zero", "Could not execute script"}));
#endif
}

TEST_F(Interpreter, NestedFailureEndsOnlyTheInnermostScript) {
    writeScript(QStringLiteral("outer.brv"), "warp 01\r\nexec missing.brv\r\nwarp 02\r\n");
    run(QStringLiteral("exec outer.brv"));
    EXPECT_EQ(settings.text(Text::warp), QStringLiteral("02"));
    EXPECT_EQ(outputLines(), L({"exec outer.brv", "Warp Set", "exec missing.brv",
                                "Could not execute script", "Warp Set"}));
}

TEST_F(Interpreter, SilentFailureStopsTheScript) {
    writeScript(QStringLiteral("m.brv"), "warp 01\r\nmsg\r\nwarp 02\r\n");
    EXPECT_EQ(run(QStringLiteral("exec m.brv")),
              L({"exec m.brv", "Warp Set", "Could not execute script"}));
    EXPECT_EQ(settings.text(Text::warp), QStringLiteral("01"));
    writeScript(QStringLiteral("f.brv"), "zun_font huge\r\nwarp 03\r\n");
    EXPECT_EQ(run(QStringLiteral("exec f.brv")), L({"exec f.brv", "Could not execute script"}));
}

TEST_F(Interpreter, CompletePathsAreUsedAsGiven) {
    QTemporaryDir other;
    ASSERT_TRUE(writeBytes(other.path() + QStringLiteral("/S.brv"), "warp 09\r\n"));
    run(QStringLiteral("exec ") + other.path() + QStringLiteral("/S.brv"));
    EXPECT_EQ(settings.text(Text::warp), QStringLiteral("09"));
    ASSERT_TRUE(QDir(programDir.path()).mkpath(QStringLiteral("sub")));
    writeScript(QStringLiteral("sub/x.brv"), "warp 10\r\n");
    run(QStringLiteral("exec sub/x.brv"));
    EXPECT_EQ(settings.text(Text::warp), QStringLiteral("10"));
}

TEST_F(Interpreter, SelfExecutingScriptIsBounded) {
    writeScript(QStringLiteral("loop.brv"), "exec loop.brv\r\n");
    run(QStringLiteral("exec loop.brv"));
    const QStringList out = outputLines();
    EXPECT_EQ(out.count(QStringLiteral("exec loop.brv")), CommandInterpreter::kMaxScriptDepth + 1);
    EXPECT_EQ(out.count(QStringLiteral("Could not execute script")), 1);
}

TEST_F(Interpreter, ScriptThatExecutesItselfTwiceEnds) {
    // Without a bound on all scripts opened this branches 2^64 times.
    writeScript(QStringLiteral("twice.brv"), "exec twice.brv\r\nexec twice.brv\r\nwarp 05\r\n");
    interpreter.setScriptBudget(500);
    run(QStringLiteral("exec twice.brv"));
    EXPECT_EQ(settings.text(Text::warp), QStringLiteral("05"));
    // The next command starts with a fresh budget.
    writeScript(QStringLiteral("ok.brv"), "warp 06\r\n");
    EXPECT_EQ(run(QStringLiteral("exec ok.brv")), L({"exec ok.brv", "Warp Set"}));
}

TEST_F(Interpreter, ExitWritesFilesStoresValuesAndStopsTheScript) {
    windows.where = {100, 200, 300, 400, false};
    colours.setDocked(1);
    colours.setValue(ConsoleOptions::textRed, 128);
    settings.setText(Text::warp, QStringLiteral("07"));
    writeScript(QStringLiteral("e.brv"), "exit\r\nwarp 99\r\n");
    run(QStringLiteral("exec e.brv"));
    EXPECT_EQ(platform.quitCount, 1);
    EXPECT_TRUE(interpreter.ended());
    EXPECT_EQ(settings.text(Text::warp), QStringLiteral("07"));
    EXPECT_TRUE(readBytes(programFile(QStringLiteral("config.brv"))).contains("zun_warp 07\r\n"));
    EXPECT_EQ(readBytes(programFile(QStringLiteral("colour.brc"))),
              QByteArray(" 0 \r\n 0 \r\n 0 \r\n 128 \r\n 215 \r\n 0 \r\n"));
    using K = QPair<QString, QString>;
    const QString w = QStringLiteral("Window Settings"), c = QStringLiteral("Console Settings");
    EXPECT_EQ(platform.storeWrites, (std::vector<K>{{w, "MainTop"},
                                                    {w, "MainLeft"},
                                                    {w, "ConTop"},
                                                    {w, "ConLeft"},
                                                    {c, "Docking"},
                                                    {c, "Show"}}));
    EXPECT_EQ(platform.store.value({w, "MainTop"}), QStringLiteral("100"));
    EXPECT_EQ(platform.store.value({w, "ConLeft"}), QStringLiteral("400"));
    EXPECT_EQ(platform.store.value({c, "Docking"}), QStringLiteral("1"));
    EXPECT_EQ(platform.store.value({c, "Show"}), QStringLiteral("False"));
    // Nothing runs after the end.
    interpreter.interpret(QStringLiteral("warp 50"));
    EXPECT_EQ(settings.text(Text::warp), QStringLiteral("07"));
}

TEST_F(Interpreter, ZunShowZeroRunsTheExitSequence) {
    run(QStringLiteral("zun_show 0"));
    EXPECT_EQ(platform.quitCount, 1);
    EXPECT_TRUE(QFile::exists(programFile(QStringLiteral("config.brv"))));
    EXPECT_TRUE(logLines().contains(QStringLiteral("exit")));
}

TEST_F(Interpreter, DebugFileHoldsTheWholeLog) {
    run(QStringLiteral("warp 1"));
    run(QStringLiteral("// note"));
    EXPECT_EQ(readBytes(programFile(QStringLiteral("debug.txt"))),
              QByteArray("\nwarp 1\necho Warp Set\n// note"));
    // Each line reaches the file as it is logged: while a message box holds a script, the
    // file already shows every line that ran before it.
    ASSERT_TRUE(writeBytes(programFile(QStringLiteral("s.brv")), "heap 8\r\nmsg hi\r\nx\r\n"));
    QByteArray duringMessage;
    platform.onMessage = [&](const QString&) {
        duringMessage = readBytes(programFile(QStringLiteral("debug.txt")));
    };
    run(QStringLiteral("exec s.brv"));
    EXPECT_TRUE(duringMessage.endsWith("\nexec s.brv\necho exec s.brv\nheap 8\necho Heap "
                                       "Set\nmsg hi"));
    EXPECT_EQ(readBytes(programFile(QStringLiteral("debug.txt"))),
              interpreter.debugLog().toLatin1());
}

TEST_F(Interpreter, UnwritableDebugFileIsReportedOnceAndCommandsGoOn) {
    platform.programDir = programDir.path() + QStringLiteral("/does/not/exist");
    run(QStringLiteral("warp 1"));
    run(QStringLiteral("warp 2"));
    const QStringList out = outputLines();
    EXPECT_EQ(out.count(QStringLiteral("Warp Set")), 2);
    int reports = 0;
    for (const QString& l : out)
        reports += l.contains(QStringLiteral("debug.txt")) ? 1 : 0;
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(settings.text(Text::warp), QStringLiteral("2"));
    EXPECT_TRUE(interpreter.debugLog().endsWith(QStringLiteral("\necho Warp Set")));
}

TEST_F(Interpreter, ExitInUnwritableProgramDirectoryStillEnds) {
    platform.programDir = programDir.path() + QStringLiteral("/gone");
    run(QStringLiteral("exit"));
    EXPECT_EQ(platform.quitCount, 1);
    EXPECT_EQ(platform.storeWrites.size(), 6u);
}
