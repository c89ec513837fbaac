// What the console says when a game started by a launch ends badly, driven through the
// recording host: the launch starts the engine, the test ends it.
#include "LaunchFixture.h"

#include "launch/Launches.h"

#include <QBuffer>
#include <QFile>

using namespace bv;
using namespace bv::test;

namespace {

class EngineEnd : public LaunchFixture {
protected:
    EngineEnd() {
        writeBytes(doomFile(QStringLiteral("dsda-doom")), "engine");
        settings.setText(Text::executable, QStringLiteral("dsda-doom -iwad freedoom2.wad"));
    }
    // Launches, then ends the engine as given; returns what the console was handed.
    QStringList endedWith(ProcessEnd end, const QByteArray* output, bool replaced) {
        platform.consoleReplies.clear();
        EXPECT_EQ(launchSinglePlayer(settings, platform), LaunchError::none);
        EXPECT_TRUE(platform.consoleReplies.isEmpty());
        QBuffer buffer;
        if (output) {
            buffer.setData(*output);
            buffer.open(QIODevice::ReadOnly);
        }
        platform.watches.back()(end, output ? &buffer : nullptr, replaced);
        return platform.consoleReplies;
    }
};

} // namespace

TEST_F(EngineEnd, RepliesSayHowItEndedAndWhatItLastWrote) {
    // How it ended, "dsda-doom: " and each line, then where the output is when still there.
    const auto replies = [](const char* how, const QStringList& lines, bool kept) {
        QStringList all{QLatin1String(how)};
        for (const QString& line : lines)
            all << QStringLiteral("dsda-doom: ") + line;
        if (kept)
            all << QStringLiteral("dsda-doom's output is in engine.txt");
        return all;
    };
    const char* status1 = "dsda-doom ended with status 1";
    QByteArray twelve;
    QStringList lastTen;
    for (int i = 1; i <= 12; ++i) {
        twelve += "line " + QByteArray::number(i) + "\n";
        if (i > 2)
            lastTen << QStringLiteral("line %1").arg(i);
    }
    const struct {
        const char* row;
        ProcessEnd end;
        QByteArray output; // null: not kept
        bool replaced;
        QStringList replies;
    } rows[] = {
        {"ended well", {false, 0}, "bye\n", false, {}},
        {"status 1, no output", {false, 1}, "", false, replies(status1, {}, true)},
        {"status 255, both streams",
         {false, 255},
         "DSDA-Doom v0.27\r\nUnknown command line option -mb\n",
         false,
         replies("dsda-doom ended with status 255",
                 {"DSDA-Doom v0.27", "Unknown command line option -mb"}, true)},
        {"a signal",
         {true, 11},
         "I_Init\n",
         false,
         replies("dsda-doom ended by signal 11 (Segmentation fault)", {"I_Init"}, true)},
        {"more than ten lines", {false, 1}, twelve, false, replies(status1, lastTen, true)},
        {"a line of 1 MB",
         {false, 1},
         "first\n" + QByteArray(1024 * 1024, 'x') + "\n",
         false,
         replies(status1, {"first", QString(200, QLatin1Char('x'))}, true)},
        {"binary bytes and NUL",
         {false, 1},
         QByteArray("a\0b\x01\tc\x7f\xe9\xff", 9),
         false,
         replies(status1, {QStringLiteral("a?b??c?\u00e9\u00ff")}, true)},
        {"line ends of every kind, blank lines",
         {false, 1},
         "one\rtwo\r\n\r\n   \t\r\nthree\n\nfour",
         false,
         replies(status1, {"one", "two", "three", "four"}, true)},
        {"wine's diagnostics",
         {false, 1},
         "0024:fixme:ntdll:NtQuerySystemInformation\r\ngame\r\n002a:err:x\r\n00AF:warn:y\r\n"
         "0100:trace:z\r\n0024:info:kept\r\nzz24:fixme:kept\r\n",
         false,
         replies(status1, {"game", "0024:info:kept", "zz24:fixme:kept"}, true)},
        {"replaced by a newer launch",
         {false, 1},
         "last\n",
         true,
         replies(status1, {"last"}, false)},
        {"output not kept", {false, 1}, QByteArray(), false, replies(status1, {}, false)},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.row);
        EXPECT_EQ(endedWith(r.end, r.output.isNull() ? nullptr : &r.output, r.replaced), r.replies);
    }
    EXPECT_EQ(platform.starts.back().outputPath,
              platform.programDir + QStringLiteral("/engine.txt"));
}

// A program directory that cannot take engine.txt: the game starts all the same.
TEST_F(EngineEnd, OutputThatCannotBeKeptIsSaidOnceAndTheGameStarts) {
    platform.outputProblem = QStringLiteral("Permission denied");
    EXPECT_EQ(launchSinglePlayer(settings, platform), LaunchError::none);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.starts.size(), 1u);
    EXPECT_EQ(platform.consoleReplies,
              QStringList{"engine.txt could not be written (Permission denied); the game's output "
                          "is not kept."});
}
