// Text outside Latin-1 in every text setting, set by commands: launch files, exports, saved
// scripts and the debug log hold one "?" for each such character, never the bytes of another
// encoding. (Typing the same text into the windows is in MainWindowInputTest.)

#include "BadInput.h"

#include "core/Latin1Text.h"
#include "launch/Launches.h"
#include "settings/InterpreterFixture.h"
#include "settings/CommandTable.h"
#include "settings/SettingsScript.h"

#include <QDir>

using namespace bv;
using namespace bv::test;

namespace {

// e acute (Latin-1), Greek Omega, the euro sign and an emoji outside the 16-bit range.
const QString kForeign = QStringLiteral("\u00e9\u03a9\u20ac\U0001F600");
const QByteArray kWritten = "\xe9???";

QString tagged(const char* tag) {
    return QLatin1String(tag) + kForeign;
}
QByteArray written(const char* tag) {
    return QByteArray(tag) + kWritten;
}

class ForeignText : public InterpreterFixture {
protected:
    ForeignText() {
        doom = pathIn(doomRoot, tagged("g"));
        QDir().mkpath(doom + QStringLiteral("/bots"));
        writeBytes(doom + QStringLiteral("/bots/") + tagged("bot") + QStringLiteral(".bot"), "");
        writeBytes(doom + QLatin1Char('/') + tagged("d") + QStringLiteral(".exe"), "engine");
        writeBytes(doom + QStringLiteral("/hx8.exe"), "driver");
        parameterFile = pathIn(doomRoot, tagged("p") + QStringLiteral(".hx8"));
        writeBytes(parameterFile, "baud 9600\r\n");
    }

    // Every text setting, by its command, the way a user types them at the console.
    void setEverythingByCommand() {
        const struct {
            const char* command;
            QString value;
        } commands[] = {
            {"exe", tagged("d") + QStringLiteral(".exe")},
            {"warp", tagged("w")},
            {"files", tagged("f")},
            {"heap", tagged("h")},
            {"width", tagged("x")},
            {"height", tagged("y")},
            {"par", tagged("p")},
            {"setdoompath", doom},
            {"weaponpref", QStringLiteral("01") + kForeign}, // seven characters of the nine
            {"botskill", tagged("s")},
            {"name", tagged("n")},
            {"hx8_computername", tagged("c")},
            {"hx8_comports", tagged("o")},
            {"hx8_pars", parameterFile},
            {"custom_config", tagged("u")},
            {"doomatic_max", tagged("m")},
            {"doomatic_par", tagged("a")},
            {"config_file", tagged("k")},
        };
        for (const auto& c : commands)
            interpreter.interpret(QLatin1String(c.command) + QLatin1Char(' ') + c.value);
        interpreter.interpret(QStringLiteral("update_ybot"));
        settings.moveBetweenLists(BotList::availableBots, 0);
        settings.setText(Text::demoFile, tagged("r"));
        settings.setCheck(Check::recordDemo, 1);
    }

    QByteArray doomBytes(const QString& name) const {
        return readBytes(doom + QLatin1Char('/') + name);
    }

    QTemporaryDir doomRoot;
    QString doom;
    QString parameterFile;
};

} // namespace

TEST_F(ForeignText, LaunchFilesHoldQuestionMarks) {
    setEverythingByCommand();
    ASSERT_EQ(settings.text(Text::doomDirectory), doom);
    ASSERT_EQ(launchSinglePlayer(settings, platform), LaunchError::none);
    ASSERT_EQ(launchHx8(settings, platform), LaunchError::none);
    ASSERT_EQ(launchDoomatic(settings, platform), LaunchError::none);

    const QByteArray exe = written("d") + ".exe";
    EXPECT_EQ(crlfSplit(doomBytes(QStringLiteral("autoexec.cfg"))),
              (QStringList{"weaponpref 01" + QString::fromLatin1(kWritten),
                           "botskill " + QString::fromLatin1(written("s")), "gr_crappymlook 0",
                           "alias addbots \"exec addbots.cfg\"", "weapondrop 0",
                           "exec " + QString::fromLatin1(written("u"))}));
    EXPECT_EQ(doomBytes(QStringLiteral("addbots.cfg")),
              "addbot " + written("bot") + "\r\nwait 100\r\n");
    const QByteArray arguments = " -warp " + written("w") + " -file " + written("f") + " -mb " +
                                 written("h") + " " + written("p") + " -config " + written("k") +
                                 " -record " + written("r");
    EXPECT_EQ(crlfSplit(doomBytes(QStringLiteral("brv.bat"))).at(2),
              QString::fromLatin1(exe + arguments));
    EXPECT_TRUE(doomBytes(QStringLiteral("brv.bat")).contains("/g" + kWritten + "\r\n"));
    EXPECT_TRUE(doomBytes(QStringLiteral("hx8.cfg"))
                    .startsWith(written("c") + "\r\n" + written("o") + "\r\n" + exe +
                                "\r\nbaud 9600\r\n-warp " + written("w") + "\r\n"));
    const QByteArray matic = doomBytes(QStringLiteral("doomatic.cfg"));
    for (const QByteArray& line :
         {"name = \"" + written("n") + "\"", "addparm = \"" + written("a") + "\"",
          "maxplayers = " + written("m"), "localparm = \"" + written("p") + "\"",
          "wads = " + written("f"), "map = " + written("w"), "exe = " + written("d")})
        EXPECT_TRUE(matic.contains("\r\n" + line + "\r\n") || matic.startsWith(line + "\r\n"))
            << line.toStdString();

    for (const char* name :
         {"autoexec.cfg", "addbots.cfg", "brv.bat", "hx8.cfg", "hx8.bat", "doomatic.cfg"}) {
        const QByteArray bytes = doomBytes(QLatin1String(name));
        EXPECT_FALSE(bytes.isEmpty()) << name;
        EXPECT_TRUE(noForeignBytes(bytes, kForeign + doom)) << name;
    }
}

TEST_F(ForeignText, ExportsSavedScriptsAndTheLogHoldQuestionMarks) {
    setEverythingByCommand();
    const QString batch = pathIn(doomRoot, tagged("b") + QStringLiteral(".bat"));
    const QString config = pathIn(doomRoot, tagged("e") + QStringLiteral(".cfg"));
    platform.dialogAnswers = {batch, config};
    ASSERT_EQ(makeBatchFile(settings, platform), LaunchError::none);
    ASSERT_EQ(exportSettings(settings, platform), LaunchError::none);
    EXPECT_TRUE(readBytes(batch).contains(" -file " + written("f") + " -mb "));
    EXPECT_TRUE(readBytes(config).endsWith("\r\nexec " + written("u") + "\r\n"));

    run(QStringLiteral("exit"));
    const QByteArray saved = readBytes(programFile(QStringLiteral("config.brv")));
    const QStringList lines = crlfSplit(saved);
    ASSERT_EQ(lines.size(), 23);
    EXPECT_EQ(lines.at(0), QString::fromLatin1("zun_exe " + written("d") + ".exe"));
    EXPECT_EQ(lines.at(10), QString::fromLatin1("name " + written("n")));
    EXPECT_EQ(lines.at(15), QString::fromLatin1("hx8_computername " + written("c")));

    for (const QString& path : {batch, config, programFile(QStringLiteral("config.brv")),
                                programFile(QStringLiteral("debug.txt"))}) {
        const QByteArray bytes = readBytes(path);
        EXPECT_TRUE(bytes.contains(kWritten)) << path.toStdString();
        EXPECT_TRUE(noForeignBytes(bytes, kForeign + doom)) << path.toStdString();
    }
}

// The nine characters of the weapons order count UTF-16 units, so a character beyond the
// 16-bit range can be cut in half: the half still becomes one "?".
TEST_F(ForeignText, HalfACharacterCutByTheWeaponsLimitIsOneQuestionMark) {
    run(QStringLiteral("weaponpref 01234567\U0001F600"));
    EXPECT_EQ(settings.text(Text::weaponsOrder).size(), kWeaponsOrderMax);
    EXPECT_EQ(crlfLines(savedSettingsLines(settings)).split('\n').at(8),
              QByteArray("weaponpref 01234567?\r"));
    run(QStringLiteral("exit"));
    EXPECT_TRUE(readBytes(programFile(QStringLiteral("config.brv")))
                    .contains("\r\nweaponpref 01234567?\r\n"));
}
