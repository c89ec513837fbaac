// Executes generated settings scripts of growing size with the debug log on and prints
// lines per second, to show that the cost of a line does not grow with the log.
#include "settings/CommandInterpreter.h"
#include "settings/LaunchSettings.h"
#include "support/FakePlatform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const char* const kLines[] = {"warp 07",
                              "heap 16",
                              "name player",
                              "botskill 3",
                              "hx8_comports com1,9600",
                              "weaponpref 014576328"};

double runScript(int lines) {
    QTemporaryDir dir;
    bv::test::FakePlatform platform;
    platform.programDir = dir.path();
    QFile script(dir.path() + QStringLiteral("/bench.brv"));
    if (!script.open(QIODevice::WriteOnly))
        return 0;
    QByteArray bytes;
    for (int i = 0; i < lines; ++i) {
        bytes.append(kLines[i % std::size(kLines)]);
        bytes.append("\r\n");
    }
    script.write(bytes);
    script.close();

    bv::LaunchSettings settings;
    bv::ConsoleOptions colours;
    bv::CommandInterpreter interpreter(settings, colours, platform);
    QElapsedTimer timer;
    timer.start();
    interpreter.interpret(QStringLiteral("exec bench.brv"));
    const qint64 ns = timer.nsecsElapsed();
    return static_cast<double>(ns) / lines;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    runScript(1000); // warm-up
    std::printf("%10s %14s %14s\n", "lines", "lines/s", "us/line");
    double first = 0;
    double last = 0;
    for (int lines : {1000, 10000, 100000}) {
        const double nsPerLine = runScript(lines);
        std::printf("%10d %14.0f %14.2f\n", lines, 1e9 / nsPerLine, nsPerLine / 1000.0);
        if (first == 0)
            first = nsPerLine;
        last = nsPerLine;
    }
    std::printf("time per line at 100000 / at 1000: %.2f\n", last / first);
    return 0;
}
