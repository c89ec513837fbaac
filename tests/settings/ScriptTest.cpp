// Scripts, the saved form, a broken program directory, and the rules of reading lines and values.
#include "InterpreterFixture.h"

#include "core/Latin1Text.h"
#include "core/Paths.h"
#include "settings/ColourTheme.h"
#include "settings/CommandTable.h"
#include "settings/SettingsScript.h"
#include "settings/StoredValues.h"

using Scripts = InterpreterFixture;

// A failure fails its own script only (one without a reply ends it); devices and pipes are no
// scripts. Self-execution ends by depth and by a script budget per command, fresh for the next.
TEST_F(Scripts, WhatCannotRunOrWouldNeverEndFails) {
    writeScript(u"outer.brv"_s, "exec missing.brv\r\nexec m.brv\r\nwarp 02\r\n");
    writeScript(u"m.brv"_s, "warp 03\r\nmsg\r\nwarp 04\r\n");
    EXPECT_EQ(run(u"exec outer.brv"_s),
              list("exec outer.brv|exec missing.brv|Could not execute script|exec m.brv|"
                   "Warp Set|Could not execute script|Warp Set"));
    QDir(programDir.path()).mkdir(u"folder.brv"_s);
    makeFifo(programFile(u"pipe.brv"_s));
    QFile::link(u"/dev/zero"_s, programFile(u"zero.brv"_s));
    for (const QString& line :
         list("exec|exec |exec folder.brv|exec pipe.brv|exec zero.brv|exec /dev/zero") +
             QStringList{"exec " + QString(300, QLatin1Char('n'))}) // a name too long
        EXPECT_EQ(run(line), (QStringList{line, "Could not execute script"})) << line.size();
    writeScript(u"self.brv"_s, "exec self.brv\r\n");
    const QStringList self = run(u"exec self.brv"_s);
    EXPECT_EQ(self.count(u"exec self.brv"_s) * 10 + self.count("Could not execute script"), 651);
    writeScript(u"twice.brv"_s, "exec twice.brv\r\nexec twice.brv\r\nwarp 05\r\n");
    interpreter.setScriptBudget(500);
    EXPECT_EQ(run(u"exec twice.brv"_s).count(u"exec twice.brv"_s), 1001);
    EXPECT_EQ(settings.text(Text::warp), u"05"_s);
    EXPECT_EQ(run(u"exec m.brv"_s), list("exec m.brv|Warp Set|Could not execute script"));
}

// Every byte value runs as Latin-1, NUL included; a line of ten million characters is one line,
// stored, logged and saved whole. Text beyond Latin-1 reaches the files as "?".
TEST_F(Scripts, BinaryBytesHugeLinesAndForeignTextReachTheFiles) {
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(static_cast<char>(b));
    const QByteArray huge(10 * 1024 * 1024, 'x');
    writeScript(u"b.brv"_s, bytes + QByteArray("\r\nname a\0b\r\nzun_par ", 20) + huge +
                                "\r\nheap 12\r\n" + huge);
    EXPECT_EQ(run(u"exec b.brv"_s).count(u"Command unkown"_s), 3);
    EXPECT_EQ(settings.text(Text::playerName) + settings.text(Text::heap),
              QString::fromLatin1("a\0b12", 5));
    run(u"botskill \u00c9\u2603"_s);
    run(u"exit"_s);
    const QByteArray log = programBytes(u"debug.txt"_s);
    for (const QByteArray& line : {QByteArray("name a\0b", 8), bytes.left(13), "zun_par " + huge,
                                   QByteArray("botskill \xc9?")})
        EXPECT_TRUE(log.contains('\n' + line + '\n')) << line.left(20).toStdString();
    const QByteArray config = programBytes(u"config.brv"_s);
    EXPECT_TRUE(config.contains("\r\nzun_par " + huge + "\r\nsetdoompath "));
    EXPECT_TRUE(config.contains("\r\nbotskill \xc9?\r\n"));
}

// While a message box holds a script, debug.txt shows each line run (not direct replies); deleted,
// the script runs on from the open file, a nested one fails alone; news from outside waits.
TEST_F(Scripts, WhileAMessageBoxWaits) {
    writeScript(u"inner.brv"_s, "warp 05\r\n");
    writeScript(u"outer.brv"_s, "ctf 1\r\nmsg now\r\nexec inner.brv\r\nheap 12\r\n");
    QByteArray logged;
    platform.onMessage = [&](const QString&) {
        logged = programBytes(u"debug.txt"_s);
        QFile::remove(programFile(u"inner.brv"_s));
        QFile::remove(programFile(u"outer.brv"_s));
        interpreter.interpretWhenIdle(u"echo game ended"_s);
        interpreter.interpretWhenIdle(u"echo its last line"_s);
    };
    EXPECT_EQ(run(u"exec outer.brv"_s),
              list("exec outer.brv|ctf 1|CTF set|exec inner.brv|Could not execute script|Heap Set|"
                   "game ended|its last line"));
    EXPECT_EQ(logged, "\nexec outer.brv\necho exec outer.brv\nctf 1\necho ctf 1\nmsg now");
    EXPECT_EQ(programBytes(u"debug.txt"_s), interpreter.debugLog().toLatin1());
    interpreter.interpretWhenIdle(u"echo at once"_s);
    EXPECT_TRUE(interpreter.consoleText().endsWith(u"\nat once"_s));
}

// The saved form byte for byte, and a replay that restores every saved setting and nothing else.
// A command's value comes from the lower-cased line (paths keep their case), one separator
// character after the word, nothing trimmed; a refused or missing argument changes nothing; 3DFX
// and OpenGL exclude each other. Rows: "line=saved".
TEST_F(Scripts, TheSavedFormRestoresWhatItSaves) {
    const QString path = programFile(u"s.brv"_s);
    ASSERT_TRUE(writeSettingsScript(path, settings).ok);
    EXPECT_EQ(readBytes(path), "zun_exe Doom3.exe\r\nzun_warp \r\nzun_files \r\nzun_heap 10\r\n"
                               "zun_width 320\r\nzun_height 200\r\nzun_par \r\n"
                               "setdoompath c:\\doom2\r\nweaponpref 014576328\r\nbotskill 2\r\n"
                               "name GI JOE\r\ngr_crappymlook 0\r\n3dfx 0\r\nctf 0\r\ndm 0\r\n"
                               "hx8_computername GI JOE'S COMPUTER\r\nhx8_comports com3,57600\r\n"
                               "hx8_pars \r\ncustom_config \r\nconfig_file \r\nmonsters 1\r\n"
                               "weapondrop 0\r\ngl 0\r\n");
    for (const QString& row : list("warpX07=zun_warp 07|warp  5=zun_warp  5|warp=zun_warp  5|"
                                   "exe =zun_exe |ZUN_EXE Legacy.exe=zun_exe Legacy.exe|"
                                   "name A B=name a b|3dfx 1=3dfx 1|3dfx 2=3dfx 1|"
                                   "monsters 10=monsters 1|dm 1=dm 1|dm 3=dm 1|dm 0=dm 0|"
                                   "gl 1=3dfx 0|3dfx 1=gl 0")) {
        run(row.section('=', 0, 0));
        EXPECT_TRUE(savedSettingsLines(settings).contains(row.section('=', 1)))
            << row.toStdString();
    }
    // Paths keep their case on replay, other words come back in small letters.
    const std::set<Text> paths{
        Text::executable,       Text::pwads,        Text::extraParameters, Text::doomDirectory,
        Text::hx8ParameterFile, Text::customConfig, Text::configFile};
    for (int i = 0; i < kTextCount; ++i)
        settings.setText(Text(i),
                         QString::fromLatin1(paths.count(Text(i)) ? "/P%1" : "w%1").arg(i));
    for (const Check field :
         {Check::crappyMouseLook, Check::openGl, Check::captureTheFlag, Check::weaponDrop})
        settings.setCheck(field, 1);
    settings.setCheck(Check::monsters, 0);
    settings.setDm(DmOption::altDeath);
    ASSERT_TRUE(writeSettingsScript(path, settings).ok);
    LaunchSettings fresh;
    CommandInterpreter(fresh, colours, platform).interpret(u"exec s.brv"_s);
    EXPECT_EQ(savedSettingsLines(fresh), savedSettingsLines(settings));
    EXPECT_EQ(fresh.text(Text::doomaticMaxPlayers), u"4"_s);
}

// A program directory that will not take the files: debug.txt is said once, the log goes on; exit
// says in one message what it could not save and keeps those files whole, with no temporary left.
// `why`: debug.txt's reason (null: written); `said`: the report's lines ("~" the directory, null:
// none); `kept`: config.brv, colour.brc: o old, n new, - none.
TEST(BrokenProgramDirectory, EverythingStillWorksAndExitSaysWhatWasNotSaved) {
#define PART "only part of it could be written (the disk may be full)"
#define STORE " could not be stored in the per-user settings"
    // clang-format off
    const struct { const char *spoil, *why, *said, *kept; } rows[] = {
        {"(nothing)", nullptr, nullptr, "nn"},
        {"debug.txt folder", "it is not a file", nullptr, "nn"},
        {"debug.txt pipe", "it is not a file", nullptr, "nn"},
        {"disk full", PART, "~/config.brv could not be written: " PART "|"
         "~/colour.brc could not be written: " PART, "oo"},
        {"config.brv folder", nullptr, "~/config.brv could not be written: Filename refers to a "
         "directory", "-n"},
        {"colour.brc device", nullptr, "~/colour.brc could not be written: it is a device or a "
         "pipe, not a file", "n-"},
        {"store half way", nullptr, "Window Settings/ConLeft" STORE "|Console Settings/Docking"
         STORE "|Console Settings/Show" STORE, "nn"},
        {"below a file", "Not a directory", "~/config.brv could not be written: Not a directory|"
         "~/colour.brc could not be written: Not a directory", "--"},
    };
    // clang-format on
    const QByteArray oldConfig = "zun_warp 07\r\n", oldColours = " 9 \r\n";
    for (const auto& r : rows) {
        SCOPED_TRACE(r.spoil);
        const QString spoil = QLatin1String(r.spoil);
        Console c;
        const QString home = c.platform.programDir =
            spoil == "below a file" ? pathThroughAFile(c.programDir) : c.programDir.path();
        writeBytes(home + "/config.brv", oldConfig);
        writeBytes(home + "/colour.brc", oldColours);
        const QString file = home + '/' + spoil.section(' ', 0, 0);
        QFile::remove(file);
        if (spoil.endsWith("folder"))
            QDir().mkdir(file);
        else if (spoil.endsWith("device"))
            QFile::link(u"/dev/null"_s, file);
        else if (spoil.endsWith("pipe"))
            makeFifo(file);
        c.platform.failStoreAfter = spoil.startsWith("store") ? 3 : -1;
        c.windows.where = {100, 200, 300, 400, r.why != nullptr};
        c.colours.setDocked(1);
        {
            const auto limit = fileSizeLimit(spoil == "disk full" ? 16 : 1 << 30);
            for (const char* line : {"warp 07", "heap 16", "zun_show 0", "warp 99", "exit"})
                c.interpreter.interpret(QLatin1String(line));
        }
        EXPECT_EQ(c.interpreter.consoleText(),
                  (r.why ? "\ndebug.txt could not be written (" + QLatin1String(r.why) +
                               "); the debug log goes on in the debug window only."
                         : QString()) +
                      "\nWarp Set\nHeap Set");
        EXPECT_TRUE(
            c.interpreter.debugLog().endsWith("\nheap 16\necho Heap Set\nzun_show 0\nexit"));
        EXPECT_EQ(c.settings.text(Text::warp) + QString::number(c.platform.quitCount), "071");
        QStringList stored, said;
        for (const auto& [section, key] : c.platform.storeWrites)
            stored << section + '/' + key + '=' + c.platform.store.value({section, key});
        const QString places = "Window Settings/MainTop=100|Window Settings/MainLeft=200|Window "
                               "Settings/ConTop=300|Window Settings/ConLeft=400|Console "
                               "Settings/Docking=1|Console Settings/Show="_L1 +
                               (r.why ? "True" : "False");
        EXPECT_EQ(stored, places.split('|').mid(0, c.platform.failStoreAfter < 0 ? 6 : 3));
        for (const auto& message : c.platform.messages) // a warning, not a note
            said << message.text + (message.informationIcon ? "(i)" : "");
        EXPECT_EQ(said, r.said ? QStringList{"Brimvault could not save everything before ending. A "
                                             "file that could not be written keeps its earlier "
                                             "contents.\n\n" +
                                             QString::fromLatin1(r.said).replace('|', '\n').replace(
                                                 '~', home)}
                               : QStringList());
        const QByteArray files[2][3] = {{oldConfig, crlfLines(savedSettingsLines(c.settings)), {}},
                                        {oldColours, colourThemeBytes(c.colours.values()), {}}};
        for (int i : {0, 1})
            EXPECT_EQ(readBytes(home + (i ? "/colour.brc" : "/config.brv")),
                      files[i][QByteArray("on-").indexOf(r.kept[i])]);
        EXPECT_TRUE(home != c.programDir.path() ||
                    QDir(home).entryList(QDir::Files | QDir::Hidden).size() <= 3);
    }
}

// Texts read by rule, as "text=reading" rows ("-": nothing taken): the lines of a script (joined
// by '|', '0' a NUL; the file reader agrees), complete paths, the per-user store's values and
// colour themes.
TEST(Readings, OnlyWhatTheRulesAllowIsTaken) {
    const auto lines = [](const QString& text) {
        QByteArray bytes = text.toLatin1().replace('0', '\0');
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        ScriptLineReader reader(buffer);
        QStringList read;
        for (QString line; reader.next(line);)
            read << line;
        EXPECT_EQ(splitScriptLines(bytes), read);
        return read.isEmpty() ? u"-"_s : read.join('|').replace(QChar(0), '0');
    };
    const auto taken = [](auto value) { return value ? QString::number(*value) : u"-"_s; };
    // A colour theme's lines are joined by ','; read strictly, a theme names its first bad line;
    // at startup each line counts alone (over the colours 1 to 6).
    const auto theme = [](const QString& s) { return s.toLatin1().replace(',', "\r\n"); };
    const auto colours = [](const std::optional<ColourValues>& values) {
        QStringList shown;
        for (int value : values.value_or(ColourValues{}))
            shown << QString::number(value);
        return shown.join(' ');
    };
    // clang-format off
    const std::pair<std::function<QString(const QString&)>, const char*> readers[] = {
        {lines, "=-;\r\n=;a=a;a\r\nb\r\n=a|b;a\rb\r=a|b;a\nb=a\nb;a\r\n\r\n=a|;a\r\r\nb=a||b;"
                "x0y\r\n=x0y;\xe9t\xe9=\xe9t\xe9"},
        {[](const QString& s) { return QString::number(isCompletePath(s)); },
         "/a=1;c:\\a.brv=1;C:=1;sub\\a.brv=0;a=0;=0"},
        {[&](const QString& s) { return taken(storedTwips(s)); }, "1500=1500; -1500 =-1500;"
         "1500.6=1501;100000000=100000000;=-;1e300=-;top=-;-100000001=-;99999999999999999999=-;"
         "inf=-"},
        {[&](const QString& s) { return taken(storedCheck(s)); },
         "0=0;1.0=1;2=-;-1=-;0.5=-;=-;x=-"},
        {[&](const QString& s) { return taken(storedBoolean(s)); },
         "True=1;FALSE=0; true =1;0=0;2.5=1;=-;maybe=-"},
        {[&](const QString& s) { const ThemeReadResult read = readColourTheme(theme(s));
             return read.values ? colours(read.values) : "line " + QString::number(read.badLine); },
         "  1\t,2,3,128,255,0=1 2 3 128 255 0; 1 , 2 , 3 ,=line 4;1,2,300,4,5,6,=line 3;"
         "1,-2,3,4,5,6,=line 2;1.5,2,3,4,5,6,=line 1;1,,3,4,5,6,=line 2;"
         "1,2,3,4,0000000000005,6=line 5"},
        {[&](const QString& s) { return colours(startupColours(theme(s), {1, 2, 3, 4, 5, 6})); },
         "10,20,30,=10 20 30 30 30 30;10,x,999,1.5,,6,=10 2 3 4 0 6;"
         "000000000005,0000000000005,-1,\xff,=5 2 3 4 5 6"},
    };
    // clang-format on
    for (const auto& [read, rows] : readers)
        for (const QString& row : QString::fromLatin1(rows).split(';'))
            EXPECT_EQ(read(row.section('=', 0, 0)), row.section('=', 1)) << row.toStdString();
    EXPECT_EQ(storedTwips(QString(100000, QLatin1Char('7'))), std::nullopt);
    EXPECT_EQ(colourThemeBytes({1, 2, 3, 128, 255, 0}), theme(" 1 , 2 , 3 , 128 , 255 , 0 ,"));
    EXPECT_EQ(startupColours(std::nullopt, {1, 2, 3, 4, 5, 6}), (ColourValues{}));
    EXPECT_EQ(joinPath(u"/games/doom"_s, u"brv.bat"_s) + joinPath(u"/games/"_s, u"x"_s),
              u"/games/doom/brv.bat/games//x"_s);
}
