// What the console says when a game a launch started ends badly: the launch starts it through
// the recording host, the test ends it.
#include "LaunchFixture.h"

#include "launch/Launches.h"

#include <QBuffer>

using namespace bv;
using namespace bv::test;

TEST_F(LaunchFixture, AnEngineThatEndsBadlyIsToldWithItsLastLines) {
    writeBytes(doomFile(QStringLiteral("dsda-doom")), "engine");
    settings.setText(Text::executable, QStringLiteral("dsda-doom -iwad freedoom2.wad"));
    QByteArray twelve;
    for (int i = 1; i <= 12; ++i)
        twelve += "line " + QByteArray::number(i) + "\n";
    const QString kept = QStringLiteral("|dsda-doom's output is in engine.txt");
    const QString x200 = QStringLiteral("|dsda-doom: ") + QString(200, QLatin1Char('x'));
    // Rows: how it ended, its output (null: not kept), a newer launch replaced the file, and the
    // replies joined by "|", "D: " standing for "dsda-doom: ".
    const struct {
        ProcessEnd end;
        QByteArray output;
        bool replaced;
        QString replies;
    } rows[] = {
        {{false, 0}, "bye\n", false, ""},
        {{false, 1}, "", false, "dsda-doom ended with status 1" + kept},
        {{false, 255},
         "DSDA-Doom v0.27\r\nUnknown command line option -mb\n",
         false,
         "dsda-doom ended with status 255|D: DSDA-Doom v0.27|D: Unknown command line option -mb" +
             kept},
        {{true, 11},
         "I_Init\n",
         false,
         "dsda-doom ended by signal 11 (Segmentation fault)|D: I_Init" + kept},
        {{false, 1},
         twelve,
         false,
         "dsda-doom ended with status 1|D: line 3|D: line 4|D: line 5|D: line 6|D: line 7|D: line "
         "8|D: line 9|D: line 10|D: line 11|D: line 12" +
             kept},
        {{false, 1},
         "first\n" + QByteArray(1024 * 1024, 'x') + "\n",
         false,
         "dsda-doom ended with status 1|D: first" + x200 + kept},
        {{false, 1},
         QByteArray("a\0b\x01\tc\x7f\xe9\xff", 9),
         false,
         "dsda-doom ended with status 1|D: a?b??c?\u00e9\u00ff" + kept},
        {{false, 1},
         "one\rtwo\r\n\r\n   \t\r\nthree\n\nfour",
         false,
         "dsda-doom ended with status 1|D: one|D: two|D: three|D: four" + kept},
        {{false, 1},
         "0024:fixme:ntdll:x\r\ngame\r\n002a:err:x\r\n00AF:warn:y\r\n0100:trace:z\r\n0024:info:"
         "k\r\n"
         "zz24:fixme:k\r\n",
         false,
         "dsda-doom ended with status 1|D: game|D: 0024:info:k|D: zz24:fixme:k" + kept},
        {{false, 1}, "last\n", true, "dsda-doom ended with status 1|D: last"},
        {{false, 1}, QByteArray(), false, "dsda-doom ended with status 1"},
    };
    for (const auto& r : rows) {
        platform.consoleReplies.clear();
        EXPECT_EQ(launchSinglePlayer(settings, platform), LaunchError::none);
        EXPECT_TRUE(platform.consoleReplies.isEmpty());
        QBuffer buffer;
        buffer.setData(r.output);
        buffer.open(QIODevice::ReadOnly);
        platform.watches.back()(r.end, r.output.isNull() ? nullptr : &buffer, r.replaced);
        EXPECT_EQ(
            platform.consoleReplies.join(QLatin1Char('|')),
            QString(r.replies).replace(QStringLiteral("|D: "), QStringLiteral("|dsda-doom: ")));
    }
    EXPECT_EQ(platform.starts.back().outputPath, doomFile(QStringLiteral("engine.txt")));
    // A program directory that cannot take engine.txt: the game starts all the same.
    platform.outputProblem = QStringLiteral("Permission denied");
    platform.consoleReplies.clear();
    EXPECT_EQ(launchSinglePlayer(settings, platform), LaunchError::none);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.consoleReplies,
              QStringList{"engine.txt could not be written (Permission denied); the game's output "
                          "is not kept."});
}
