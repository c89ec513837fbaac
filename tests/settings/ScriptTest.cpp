// Settings scripts run, the saved form written and replayed, colour themes, the debug log and
// the exit sequence, with what is kept on disk when a write fails.
#include "InterpreterFixture.h"

#include "core/Latin1Text.h"
#include "settings/ColourTheme.h"
#include "settings/CommandTable.h"
#include "settings/SettingsScript.h"

#include <QDir>

using namespace bv;
using namespace bv::test;

namespace {

using Scripts = InterpreterFixture;
const QString kCouldNot = QStringLiteral("Could not execute script");

QStringList L(std::initializer_list<const char*> lines) {
    QStringList out;
    for (const char* line : lines)
        out << QString::fromLatin1(line);
    return out;
}

const QByteArray kDefaultsSaved =
    "zun_exe Doom3.exe\r\nzun_warp \r\nzun_files \r\nzun_heap 10\r\n"
    "zun_width 320\r\nzun_height 200\r\nzun_par \r\n"
    "setdoompath c:\\doom2\r\nweaponpref 014576328\r\nbotskill 2\r\n"
    "name GI JOE\r\ngr_crappymlook 0\r\n3dfx 0\r\nctf 0\r\ndm 0\r\n"
    "hx8_computername GI JOE'S COMPUTER\r\nhx8_comports com3,57600\r\n"
    "hx8_pars \r\ncustom_config \r\nconfig_file \r\nmonsters 1\r\n"
    "weapondrop 0\r\ngl 0\r\n";

} // namespace

TEST_F(Scripts, LinesEndAtCrOrCrLfAndFailuresEndOnlyTheirScript) {
    writeScript(QStringLiteral("a.brv"), "warp 01\r\nheap 8\rname a\nb\r\n\r\n  zun_par x");
    EXPECT_EQ(run(QStringLiteral("exec a.brv")),
              L({"exec a.brv", "Warp Set", "Heap Set", "Name Set", "", "Command unkown",
                 "  zun_par x", "Command unkown"}));
    EXPECT_EQ(settings.text(Text::playerName), QStringLiteral("a\nb"));
    // A nested failure fails its own script only; a failure without a reply of its own ends
    // the script it is in.
    writeScript(QStringLiteral("outer.brv"), "exec missing.brv\r\nexec m.brv\r\nwarp 02\r\n");
    writeScript(QStringLiteral("m.brv"), "warp 03\r\nmsg\r\nwarp 04\r\n");
    EXPECT_EQ(run(QStringLiteral("exec outer.brv")),
              L({"exec outer.brv", "exec missing.brv", "Could not execute script", "exec m.brv",
                 "Warp Set", "Could not execute script", "Warp Set"}));
    EXPECT_EQ(settings.text(Text::warp), QStringLiteral("02"));
    // Complete paths are used as given; others are below the program directory.
    QTemporaryDir other;
    ASSERT_TRUE(writeBytes(pathIn(other, QStringLiteral("S.brv")), "warp 09\r\n"));
    run(QStringLiteral("exec ") + pathIn(other, QStringLiteral("S.brv")));
    EXPECT_EQ(settings.text(Text::warp), QStringLiteral("09"));
    ASSERT_TRUE(QDir(programDir.path()).mkdir(QStringLiteral("sub")));
    writeScript(QStringLiteral("sub/X.brv"), "warp 10\r\n");
    run(QStringLiteral("exec sub/X.brv"));
    EXPECT_EQ(settings.text(Text::warp), QStringLiteral("10"));
}

// Only regular files are scripts: a folder has no lines, a device or a pipe would be read or
// waited for for ever.
TEST_F(Scripts, WhatIsNotAScriptFileFailsAndTheNextCommandRuns) {
    ASSERT_TRUE(QDir(programDir.path()).mkdir(QStringLiteral("folder.brv")));
    ASSERT_TRUE(makeFifo(programFile(QStringLiteral("pipe.brv"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), programFile(QStringLiteral("zero.brv"))));
    for (const QString& name :
         {QStringLiteral("missing.brv"), QString(), QStringLiteral("folder.brv"),
          QStringLiteral("pipe.brv"), QStringLiteral("zero.brv"), QStringLiteral("/dev/zero"),
          tooLongName()}) {
        const QString line = QStringLiteral("exec ") + name;
        EXPECT_EQ(run(line), (QStringList{line, kCouldNot})) << name.left(20).toStdString();
    }
    EXPECT_EQ(run(QStringLiteral("exec")), (QStringList{"exec", kCouldNot}));
    EXPECT_EQ(run(QStringLiteral("warp 31")), QStringList{"Warp Set"});
}

// Every byte value runs as Latin-1, NUL included; a line of ten million characters is one
// line, stored, logged and saved whole.
TEST_F(Scripts, BinaryBytesAndHugeLinesRunToTheEnd) {
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(static_cast<char>(b));
    const QByteArray huge(10 * 1024 * 1024, 'x');
    writeScript(QStringLiteral("b.brv"), bytes + QByteArray("\r\nname a\0b\r\nzun_par ", 20) +
                                             huge + "\r\nheap 12\r\n" + huge);
    const QStringList out = run(QStringLiteral("exec b.brv"));
    EXPECT_EQ(out.count(QStringLiteral("Command unkown")), 3);
    EXPECT_EQ(out.constLast(), QStringLiteral("Command unkown"));
    EXPECT_EQ(out.at(out.size() - 2).size(), huge.size());
    EXPECT_EQ(settings.text(Text::playerName), QString::fromLatin1("a\0b", 3));
    EXPECT_EQ(settings.text(Text::extraParameters).size(), huge.size());
    EXPECT_EQ(settings.text(Text::heap), QStringLiteral("12"));
    const QByteArray log = readBytes(programFile(QStringLiteral("debug.txt")));
    EXPECT_TRUE(log.contains(QByteArray("\nname a\0b\n", 10)));
    EXPECT_TRUE(log.contains("\n" + bytes.left(13) + "\n"));
}

// A script deleted while it runs is read to its end; one that vanishes before its exec line
// fails alone.
TEST_F(Scripts, ScriptsThatGoAwayWhileRunning) {
    writeScript(QStringLiteral("inner.brv"), "warp 05\r\n");
    writeScript(QStringLiteral("outer.brv"), "msg now\r\nexec inner.brv\r\nheap 12\r\n");
    platform.onMessage = [this](const QString&) {
        QFile::remove(programFile(QStringLiteral("inner.brv")));
        QFile::remove(programFile(QStringLiteral("outer.brv")));
    };
    EXPECT_EQ(run(QStringLiteral("exec outer.brv")),
              L({"exec outer.brv", "exec inner.brv", "Could not execute script", "Heap Set"}));
    EXPECT_NE(settings.text(Text::warp), QStringLiteral("05"));
}

// Scripts that execute themselves end: by depth, and by a budget of scripts per command,
// which starts afresh with the next command.
TEST_F(Scripts, ScriptsExecutingThemselvesEnd) {
    writeScript(QStringLiteral("self.brv"), "exec self.brv\r\n");
    const QStringList self = run(QStringLiteral("exec self.brv"));
    EXPECT_EQ(self.count(QStringLiteral("exec self.brv")), CommandInterpreter::kMaxScriptDepth + 1);
    EXPECT_EQ(self.count(kCouldNot), 1);
    writeScript(QStringLiteral("twice.brv"), "exec twice.brv\r\nexec twice.brv\r\nwarp 05\r\n");
    interpreter.setScriptBudget(500);
    const QStringList twice = run(QStringLiteral("exec twice.brv"));
    EXPECT_EQ(twice.count(QStringLiteral("exec twice.brv")), 501 + 500);
    EXPECT_EQ(settings.text(Text::warp), QStringLiteral("05"));
    writeScript(QStringLiteral("ok.brv"), "warp 06\r\n");
    EXPECT_EQ(run(QStringLiteral("exec ok.brv")), L({"exec ok.brv", "Warp Set"}));
}

// The saved form byte for byte, its replies when run, and a replay that restores every saved
// setting (in small letters but for paths) and nothing else.
TEST_F(Scripts, TheSavedFormRestoresWhatItSaves) {
    const QString path = programFile(QStringLiteral("s.brv"));
    ASSERT_TRUE(writeSettingsScript(path, settings).ok);
    EXPECT_EQ(readBytes(path), kDefaultsSaved);
    EXPECT_EQ(run(QStringLiteral("exec s.brv")), L({"exec s.brv",
                                                    "Doom path set",
                                                    "Preferred Weapons Order Set",
                                                    "Bot Skill Set",
                                                    "Name Set",
                                                    "gr_crappymlook 0",
                                                    "gr_crappymlook set",
                                                    "3dfx 0",
                                                    "3dfx set",
                                                    "ctf 0",
                                                    "CTF set",
                                                    "dm 0",
                                                    "DM set",
                                                    "HX8 Computer Name Set",
                                                    "HX8 COM Ports Set",
                                                    "HX8 Parameter File Set",
                                                    "Custom Config File Set",
                                                    "Config File Set",
                                                    "monsters 1",
                                                    "monsters set",
                                                    "weapondrop 0",
                                                    "weapondrop  set",
                                                    "gl 0",
                                                    "GL set"}));

    const Text paths[] = {
        Text::executable,       Text::pwads,        Text::extraParameters, Text::doomDirectory,
        Text::hx8ParameterFile, Text::customConfig, Text::configFile};
    const Text words[] = {Text::warp,       Text::heap,         Text::width,
                          Text::height,     Text::weaponsOrder, Text::botSkill,
                          Text::playerName, Text::computerName, Text::comPorts};
    for (const Text field : paths)
        settings.setText(field, QStringLiteral("/P%1").arg(static_cast<int>(field)));
    for (const Text field : words)
        settings.setText(field, QStringLiteral("W%1").arg(static_cast<int>(field)));
    for (const Check field :
         {Check::crappyMouseLook, Check::openGl, Check::captureTheFlag, Check::weaponDrop})
        settings.setCheck(field, 1);
    settings.setCheck(Check::monsters, 0);
    settings.setDm(DmOption::altDeath);
    ASSERT_TRUE(writeSettingsScript(path, settings).ok);
    EXPECT_TRUE(readBytes(path).contains("\r\ndm 2\r\n"));
    LaunchSettings fresh;
    fresh.setText(Text::doomaticMaxPlayers, QStringLiteral("8"));
    CommandInterpreter replay(fresh, colours, platform);
    replay.interpret(QStringLiteral("exec s.brv"));
    for (const Text field : paths)
        EXPECT_EQ(fresh.text(field), settings.text(field));
    for (const Text field : words)
        EXPECT_EQ(fresh.text(field), lowerAscii(settings.text(field)));
    for (int i = 0; i < kCheckCount; ++i)
        EXPECT_EQ(fresh.check(Check(i)), settings.check(Check(i))) << i;
    EXPECT_EQ(fresh.dm(), DmOption::altDeath);
    EXPECT_EQ(fresh.text(Text::doomaticMaxPlayers), QStringLiteral("8"));

    // An empty Doom directory is saved as "setdoompath " and keeps the directory on replay.
    settings.setText(Text::doomDirectory, QString());
    ASSERT_TRUE(writeSettingsScript(path, settings).ok);
    settings.setText(Text::doomDirectory, QStringLiteral("/keep"));
    EXPECT_TRUE(run(QStringLiteral("exec s.brv")).contains(QStringLiteral("setdoompath error")));
    EXPECT_EQ(settings.text(Text::doomDirectory), QStringLiteral("/keep"));
}

TEST(ColourTheme, WrittenReadStrictlyAndReadAtStartupAsFarAsItGoes) {
    const ColourValues values{1, 2, 3, 128, 255, 0};
    EXPECT_EQ(colourThemeBytes(values),
              QByteArray(" 1 \r\n 2 \r\n 3 \r\n 128 \r\n 255 \r\n 0 \r\n"));
    EXPECT_EQ(readColourTheme(colourThemeBytes(values)).values, values);
    EXPECT_TRUE(readColourTheme("  7\t\r\n2\r\n3\r\n4\r\n5\r\n6").values.has_value());
    const struct {
        QByteArray bytes;
        int badLine;
    } bad[] = {
        {" 1 \r\n 2 \r\n 3 \r\n", 4},           {"1\r\n2\r\n300\r\n4\r\n5\r\n6\r\n", 3},
        {"1\r\n-2\r\n3\r\n4\r\n5\r\n6\r\n", 2}, {"1.5\r\n2\r\n3\r\n4\r\n5\r\n6\r\n", 1},
        {"1\r\n\r\n3\r\n4\r\n5\r\n6\r\n", 2},   {"1\r\n2\r\n3\r\n4\r\n0000000000005\r\n6\r\n", 5},
    };
    for (const auto& b : bad) {
        EXPECT_FALSE(readColourTheme(b.bytes).values.has_value());
        EXPECT_EQ(readColourTheme(b.bytes).badLine, b.badLine) << b.bytes.toStdString();
    }
    const ColourValues design{0, 0, 0, 255, 215, 0};
    EXPECT_EQ(startupColours(std::nullopt, design), (ColourValues{}));
    EXPECT_EQ(startupColours(QByteArray(""), design), (ColourValues{}));
    EXPECT_EQ(startupColours(QByteArray("10\r\n20\r\n30\r\n"), design),
              (ColourValues{10, 20, 30, 30, 30, 30}));
    // A bad line keeps that component; an empty one is 0; later lines still apply.
    EXPECT_EQ(startupColours(QByteArray("10\r\nx\r\n999\r\n1.5\r\n\r\n6\r\n"), design),
              (ColourValues{10, 0, 0, 255, 0, 6}));
    // A number of at most twelve characters is read; longer, negative or binary is not.
    EXPECT_EQ(startupColours(QByteArray("000000000005\r\n0000000000005\r\n-1\r\n\xff\r\n"),
                             {1, 2, 3, 4, 5, 6}),
              (ColourValues{5, 2, 3, 4, 5, 6}));
}

// Each line reaches debug.txt as it is logged: while a message box holds a script, the file
// already shows every line that ran before it.
TEST_F(Scripts, DebugTxtHoldsEveryLineAsItIsLogged) {
    writeScript(QStringLiteral("s.brv"), "heap 8\r\nmsg hi\r\n");
    QByteArray duringMessage;
    platform.onMessage = [&](const QString&) {
        duringMessage = readBytes(programFile(QStringLiteral("debug.txt")));
    };
    run(QStringLiteral("warp 1"));
    run(QStringLiteral("exec s.brv"));
    EXPECT_EQ(duringMessage, QByteArray("\nwarp 1\necho Warp Set\nexec s.brv\necho exec s.brv\n"
                                        "heap 8\necho Heap Set\nmsg hi"));
    EXPECT_EQ(readBytes(programFile(QStringLiteral("debug.txt"))),
              interpreter.debugLog().toLatin1());
}

// A debug.txt that cannot be written is said once; the log goes on in memory and every
// command still works.
TEST_F(Scripts, ADebugTxtThatCannotBeWrittenIsSaidOnce) {
    const struct {
        const char* row;
        std::function<void(const QString& file)> spoil;
        const char* why;
    } rows[] = {
        {"a folder", [](const QString& f) { QDir().mkdir(f); }, "it is not a file"},
        {"a pipe", [](const QString& f) { makeFifo(f); }, "it is not a file"},
        {"a full disk", [](const QString&) {},
         "only part of it could be written (the disk may be "
         "full)"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.row);
        QTemporaryDir dir;
        FakePlatform host;
        host.programDir = dir.path();
        r.spoil(pathIn(dir, QStringLiteral("debug.txt")));
        LaunchSettings fresh;
        CommandInterpreter commands(fresh, colours, host);
        {
            FileSizeLimit full(QLatin1String(r.row) == QLatin1String("a full disk") ? 4 : 1 << 30);
            commands.interpret(QStringLiteral("warp 07"));
            commands.interpret(QStringLiteral("heap 16"));
        }
        EXPECT_EQ(commands.consoleText(),
                  QStringLiteral("\ndebug.txt could not be written (%1); the debug log goes on in "
                                 "the debug window only.\nWarp Set\nHeap Set")
                      .arg(QLatin1String(r.why)));
        EXPECT_TRUE(commands.debugLog().endsWith(QStringLiteral("\nheap 16\necho Heap Set")));
        EXPECT_EQ(fresh.text(Text::heap), QStringLiteral("16"));
    }
}

// exit saves config.brv, six values of the per-user store and colour.brc, in that order, and
// ends the program; nothing runs after it.
TEST_F(Scripts, ExitSavesEverythingAndEnds) {
    windows.where = {100, 200, 300, 400, false};
    colours.setDocked(1);
    colours.setValue(ConsoleOptions::textRed, 128);
    settings.setText(Text::warp, QStringLiteral("07"));
    writeScript(QStringLiteral("e.brv"), "zun_show 0\r\nwarp 99\r\n");
    run(QStringLiteral("exec e.brv"));
    EXPECT_EQ(platform.quitCount, 1);
    EXPECT_TRUE(interpreter.ended());
    EXPECT_TRUE(logLines().contains(QStringLiteral("exit")));
    EXPECT_EQ(readBytes(programFile(QStringLiteral("config.brv"))),
              crlfLines(savedSettingsLines(settings)));
    EXPECT_EQ(readBytes(programFile(QStringLiteral("colour.brc"))),
              QByteArray(" 0 \r\n 0 \r\n 0 \r\n 128 \r\n 215 \r\n 0 \r\n"));
    QStringList stored;
    for (const auto& [section, key] : platform.storeWrites)
        stored << section + QLatin1Char('/') + key + QLatin1Char('=') +
                      platform.store.value({section, key});
    EXPECT_EQ(stored.join(QLatin1Char(',')),
              QStringLiteral("Window Settings/MainTop=100,Window Settings/MainLeft=200,Window "
                             "Settings/ConTop=300,Window Settings/ConLeft=400,Console "
                             "Settings/Docking=1,Console Settings/Show=False"));
    run(QStringLiteral("warp 50"));
    run(QStringLiteral("exit"));
    EXPECT_EQ(settings.text(Text::warp), QStringLiteral("07"));
    EXPECT_EQ(platform.quitCount, 1);
    EXPECT_TRUE(platform.messages.empty());
}

// What cannot be saved is said in one message; the files it could not write keep their
// earlier contents whole, the rest is saved, and the program still ends.
TEST_F(Scripts, AnExitThatCannotSaveEverythingSaysWhatAndKeepsTheOldFiles) {
    const QByteArray oldConfig = "zun_warp 07\r\n", oldColours = " 9 \r\n";
    const struct {
        const char* row;
        std::function<void()> spoil;
        QStringList said;
        QStringList notSaid;
    } rows[] = {
        {"config.brv a folder",
         [this] {
             QFile::remove(programFile(QStringLiteral("config.brv")));
             QDir().mkdir(programFile(QStringLiteral("config.brv")));
         },
         L({"config.brv could not be written"}), L({"colour.brc", "Settings/"})},
        {"colour.brc a folder",
         [this] {
             QFile::remove(programFile(QStringLiteral("colour.brc")));
             QDir().mkdir(programFile(QStringLiteral("colour.brc")));
         },
         L({"colour.brc could not be written"}), L({"config.brv", "Settings/"})},
        {"a store that fails half way", [this] { platform.failStoreAfter = 3; },
         L({"Window Settings/ConLeft could not be stored in the per-user settings",
            "Console Settings/Docking could not be stored", "Console Settings/Show could not"}),
         L({"MainTop", ".brv", ".brc"})},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.row);
        writeScript(QStringLiteral("config.brv"), oldConfig);
        writeScript(QStringLiteral("colour.brc"), oldColours);
        r.spoil();
        LaunchSettings fresh;
        platform.messages.clear();
        platform.storeWrites.clear();
        CommandInterpreter commands(fresh, colours, platform);
        commands.interpret(QStringLiteral("exit"));
        ASSERT_EQ(platform.messages.size(), 1u);
        const QString report = platform.messages[0].text;
        EXPECT_TRUE(report.startsWith(QStringLiteral("Brimvault could not save everything "
                                                     "before ending. A file that could not be "
                                                     "written keeps its earlier contents.\n\n")));
        for (const QString& text : r.said)
            EXPECT_TRUE(report.contains(text)) << text.toStdString();
        for (const QString& text : r.notSaid)
            EXPECT_FALSE(report.contains(text)) << text.toStdString();
        QDir(programDir.path()).rmdir(QStringLiteral("config.brv"));
        QDir(programDir.path()).rmdir(QStringLiteral("colour.brc"));
        platform.failStoreAfter = -1;
    }
    EXPECT_EQ(platform.quitCount, 3);

    // A full disk: the old files stay whole and no temporary file is left.
    writeScript(QStringLiteral("config.brv"), oldConfig);
    writeScript(QStringLiteral("colour.brc"), oldColours);
    {
        FileSizeLimit full(16);
        run(QStringLiteral("exit"));
    }
    EXPECT_EQ(readBytes(programFile(QStringLiteral("config.brv"))), oldConfig);
    EXPECT_EQ(readBytes(programFile(QStringLiteral("colour.brc"))), oldColours);
    EXPECT_EQ(QDir(programDir.path()).entryList(QDir::Files | QDir::Hidden),
              L({"colour.brc", "config.brv", "debug.txt"}));
    EXPECT_TRUE(platform.messages.back().text.contains(QStringLiteral("the disk may be full")));
    EXPECT_EQ(platform.quitCount, 4);
}

// A program directory where nothing can be created, root or not.
TEST_F(Scripts, AProgramDirectoryThatCannotBeWrittenStillLetsTheProgramWorkAndEnd) {
    for (const QString& folder : {pathThroughAFile(programDir), QStringLiteral("/proc/self")}) {
        SCOPED_TRACE(folder.toStdString());
        FakePlatform host;
        host.programDir = folder;
        LaunchSettings fresh;
        CommandInterpreter commands(fresh, colours, host);
        commands.interpret(QStringLiteral("warp 07"));
        commands.interpret(QStringLiteral("exit"));
        EXPECT_TRUE(commands.consoleText().endsWith(QStringLiteral("Warp Set")));
        EXPECT_EQ(host.quitCount, 1);
        EXPECT_EQ(host.storeWrites.size(), 6u);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_TRUE(host.messages[0].text.contains(folder + QStringLiteral("/config.brv could not "
                                                                           "be written: ")));
        EXPECT_TRUE(host.messages[0].text.contains(QStringLiteral("colour.brc could not be")));
    }
}
