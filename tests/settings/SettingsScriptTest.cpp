#include "InterpreterFixture.h"

#include "core/Latin1Text.h"
#include "settings/ColourTheme.h"
#include "settings/SettingsScript.h"

using namespace bv;
using namespace bv::test;

using SettingsScript = InterpreterFixture;

TEST_F(SettingsScript, DefaultsGiveTheTwentyThreeLinesByteForByte) {
    const QString path = programFile(QStringLiteral("s.brv"));
    ASSERT_TRUE(writeSettingsScript(path, settings).ok);
    EXPECT_EQ(readBytes(path), QByteArray("zun_exe Doom3.exe\r\n"
                                          "zun_warp \r\n"
                                          "zun_files \r\n"
                                          "zun_heap 10\r\n"
                                          "zun_width 320\r\n"
                                          "zun_height 200\r\n"
                                          "zun_par \r\n"
                                          "setdoompath c:\\doom2\r\n"
                                          "weaponpref 014576328\r\n"
                                          "botskill 2\r\n"
                                          "name GI JOE\r\n"
                                          "gr_crappymlook 0\r\n"
                                          "3dfx 0\r\n"
                                          "ctf 0\r\n"
                                          "dm 0\r\n"
                                          "hx8_computername GI JOE'S COMPUTER\r\n"
                                          "hx8_comports com3,57600\r\n"
                                          "hx8_pars \r\n"
                                          "custom_config \r\n"
                                          "config_file \r\n"
                                          "monsters 1\r\n"
                                          "weapondrop 0\r\n"
                                          "gl 0\r\n"));
}

TEST_F(SettingsScript, SaveThenReplayRestoresEverySavedSetting) {
    const struct {
        Text field;
        const char* value;
    } texts[] = {
        {Text::executable, "legacy.exe"},
        {Text::warp, "map01"},
        {Text::pwads, "a.wad b.deh"},
        {Text::heap, "32"},
        {Text::width, "640"},
        {Text::height, "480"},
        {Text::extraParameters, "-nosound"},
        {Text::doomDirectory, "/games/doom2"},
        {Text::weaponsOrder, "876"},
        {Text::botSkill, "4"},
        {Text::playerName, "Player One"},
        {Text::computerName, "Box"},
        {Text::comPorts, "com1,9600"},
        {Text::hx8ParameterFile, "p.hx8"},
        {Text::customConfig, "my.cfg"},
        {Text::configFile, "c.cfg"},
    };
    for (const auto& t : texts)
        settings.setText(t.field, QString::fromLatin1(t.value));
    settings.setCheck(Check::crappyMouseLook, 1);
    settings.setCheck(Check::openGl, 1);
    settings.setCheck(Check::captureTheFlag, 1);
    settings.setCheck(Check::monsters, 0);
    settings.setCheck(Check::weaponDrop, 1);
    settings.setDm(DmOption::altDeath);
    ASSERT_TRUE(writeSettingsScript(programFile(QStringLiteral("s.brv")), settings).ok);

    // Unsaved settings must survive the replay untouched.
    LaunchSettings fresh;
    CommandInterpreter replay(fresh, colours, platform);
    fresh.setText(Text::doomaticMaxPlayers, QStringLiteral("8"));
    fresh.addToList(BotList::selectedBots, QStringLiteral("bot"));
    replay.interpret(QStringLiteral("exec s.brv"));
    for (const auto& t : texts) {
        const bool isPath = t.field == Text::executable || t.field == Text::pwads ||
                            t.field == Text::extraParameters || t.field == Text::doomDirectory ||
                            t.field == Text::hx8ParameterFile || t.field == Text::customConfig ||
                            t.field == Text::configFile;
        const QString value = QString::fromLatin1(t.value);
        EXPECT_EQ(fresh.text(t.field), isPath ? value : lowerAscii(value))
            << static_cast<int>(t.field);
    }
    for (int i = 0; i < kCheckCount; ++i)
        EXPECT_EQ(fresh.check(static_cast<Check>(i)), settings.check(static_cast<Check>(i)));
    EXPECT_EQ(fresh.dm(), DmOption::altDeath);
    EXPECT_EQ(fresh.text(Text::doomaticMaxPlayers), QStringLiteral("8"));
    EXPECT_EQ(fresh.list(BotList::selectedBots), QStringList{QStringLiteral("bot")});
    EXPECT_FALSE(replay.consoleText().contains(QStringLiteral("Could not execute script")));
    EXPECT_FALSE(replay.consoleText().contains(QStringLiteral("unkown")));
}

TEST_F(SettingsScript, ReplayRepliesOfTheSavedForm) {
    ASSERT_TRUE(writeSettingsScript(programFile(QStringLiteral("s.brv")), settings).ok);
    EXPECT_EQ(run(QStringLiteral("exec s.brv")), QStringList({"exec s.brv",
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
}

TEST_F(SettingsScript, EmptyDoomDirectoryLineKeepsTheDirectory) {
    settings.setText(Text::doomDirectory, QString());
    ASSERT_TRUE(writeSettingsScript(programFile(QStringLiteral("s.brv")), settings).ok);
    EXPECT_TRUE(readBytes(programFile(QStringLiteral("s.brv"))).contains("\r\nsetdoompath \r\n"));
    settings.setText(Text::doomDirectory, QStringLiteral("/keep"));
    const QStringList replies = run(QStringLiteral("exec s.brv"));
    EXPECT_TRUE(replies.contains(QStringLiteral("setdoompath error")));
    EXPECT_EQ(settings.text(Text::doomDirectory), QStringLiteral("/keep"));
}

TEST_F(SettingsScript, NonLatin1TextIsWrittenAsQuestionMarks) {
    settings.setText(Text::playerName, QStringLiteral("Zoë 名"));
    ASSERT_TRUE(writeSettingsScript(programFile(QStringLiteral("s.brv")), settings).ok);
    EXPECT_TRUE(readBytes(programFile(QStringLiteral("s.brv"))).contains("name Zo\xeb ?\r\n"));
}

TEST(ColourTheme, WriteAndReadRoundTrip) {
    const ColourValues values{1, 2, 3, 128, 255, 0};
    const QByteArray bytes = colourThemeBytes(values);
    EXPECT_EQ(bytes, QByteArray(" 1 \r\n 2 \r\n 3 \r\n 128 \r\n 255 \r\n 0 \r\n"));
    const ThemeReadResult read = readColourTheme(bytes);
    ASSERT_TRUE(read.values.has_value());
    EXPECT_EQ(*read.values, values);
}

TEST(ColourTheme, StrictReaderRejectsShortAndBadFiles) {
    EXPECT_EQ(readColourTheme(" 1 \r\n 2 \r\n 3 \r\n").badLine, 4);
    EXPECT_EQ(readColourTheme("1\r\n2\r\n300\r\n4\r\n5\r\n6\r\n").badLine, 3);
    EXPECT_EQ(readColourTheme("1\r\n-2\r\n3\r\n4\r\n5\r\n6\r\n").badLine, 2);
    EXPECT_EQ(readColourTheme("1.5\r\n2\r\n3\r\n4\r\n5\r\n6\r\n").badLine, 1);
    EXPECT_EQ(readColourTheme("1\r\n\r\n3\r\n4\r\n5\r\n6\r\n").badLine, 2);
    EXPECT_TRUE(readColourTheme("  7\t\r\n2\r\n3\r\n4\r\n5\r\n6").values.has_value());
}

TEST(ColourTheme, StartupReadingRules) {
    const ColourValues design{0, 0, 0, 255, 215, 0};
    EXPECT_EQ(startupColours(std::nullopt, design), (ColourValues{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(startupColours(QByteArray(""), design), (ColourValues{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(startupColours(QByteArray("10\r\n20\r\n30\r\n"), design),
              (ColourValues{10, 20, 30, 30, 30, 30}));
    // A bad line keeps that component; later lines still apply.
    EXPECT_EQ(startupColours(QByteArray("10\r\nx\r\n999\r\n1.5\r\n-4\r\n6\r\n"), design),
              (ColourValues{10, 0, 0, 255, 215, 6}));
}
