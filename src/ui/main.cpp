#include "AppWindows.h"
#include "Startup.h"
#include "core/Version.h"
#include "platform/ProgramDirectory.h"
#include "platform/QtPlatform.h"
#include "settings/CommandInterpreter.h"
#include "settings/LaunchSettings.h"

#include <QApplication>
#include <QStandardPaths>

#include <cstdio>
#include <cstring>

namespace {

QByteArray versionText() {
    return QByteArrayLiteral("Brimvault ") + bv::kVersion + " Beta";
}

// The per-user folder an installed program keeps its files in.
QString userDataDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Brimvault");
}

// Answers --help and --version without opening a window or touching any file; returns
// true when one of them was asked for.
bool answeredInformationSwitch(int argc, char* argv[]) {
    if (argc != 2)
        return false;
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("%s\n", versionText().constData());
        return true;
    }
    if (std::strcmp(argv[1], "--help") != 0)
        return false;
    QCoreApplication app(argc, argv);
    const QString executableDirectory = QCoreApplication::applicationDirPath();
    const QString programDirectory =
        bv::isPortableFolder(executableDirectory)
            ? executableDirectory + QStringLiteral(" (the folder of the executable)")
            : userDataDirectory() + QStringLiteral(" (the per-user folder)");
    std::printf("%s: a launcher for Doom Legacy and other Doom engine games.\n\n"
                "Usage: brimvault [-nosetup]\n"
                "  -nosetup    skip the setup wizard of the first start\n"
                "  --help      show this text\n"
                "  --version   show the version\n\n"
                "Program directory (main.brv, config.brv, colour.brc, debug.txt, engine.txt,\n"
                "help/):\n"
                "  %s\n"
                "It is the folder of the executable when that folder is writable and is not\n"
                "an installed layout (bin/ with ../share/brimvault/ beside it); otherwise it is\n"
                "the per-user folder, seeded with the delivered files that are missing there.\n"
                "Per-user settings (window positions, docking, first run):\n"
                "  %s\n"
                "Launch files are written into the Doom directory chosen in the setup wizard\n"
                "or the options window. A game started on this system writes its output to\n"
                "engine.txt, and the console says when it ends with an error.\n",
                versionText().constData(), qPrintable(programDirectory),
                qPrintable(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QStringLiteral("/Brimvault/Brimvault.conf")));
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (answeredInformationSwitch(argc, argv))
        return 0;
    QApplication app(argc, argv);
    bv::setUpApplication();

    // A build or portable folder is its own program directory; an installed program keeps
    // its files in the per-user data folder, because its own folder is not writable.
    const QString executableDirectory = QCoreApplication::applicationDirPath();
    const bv::ProgramDirectoryChoice programDirectory =
        bv::chooseProgramDirectory(executableDirectory, userDataDirectory());
    if (!programDirectory.problem.isEmpty())
        std::fprintf(stderr, "Brimvault: %s\n", qPrintable(programDirectory.problem));
    bv::QtPlatform platform(programDirectory.path);
    bv::LaunchSettings settings;
    bv::ConsoleOptions colours;
    bv::CommandInterpreter interpreter(settings, colours, platform);
    bv::AppWindows windows(settings, colours, interpreter, platform, [&] {
        return bv::makeMainWindowFrame(settings, colours, interpreter, platform);
    });
    interpreter.setWindowActions(&windows);
    platform.setConsoleReplies([&interpreter](const QString& text) {
        interpreter.interpretWhenIdle(QStringLiteral("echo ") + text);
    });

    bv::runStartup(windows);
    // An exit in the startup script ends the program before the event loop could.
    const int code = interpreter.ended() ? 0 : QApplication::exec();
    interpreter.setWindowActions(nullptr); // the windows go first
    platform.setConsoleReplies(nullptr);
    return code;
}
