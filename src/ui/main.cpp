#include "AppWindows.h"
#include "ModMain.h"
#include "platform/ProgramDirectory.h"
#include "platform/QtPlatform.h"
#include "settings/CommandInterpreter.h"
#include "settings/LaunchSettings.h"

#include <QApplication>
#include <QStandardPaths>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brimvault"));
    QApplication::setApplicationName(QStringLiteral("Brimvault"));
    // Windows are hidden rather than closed; only exit, Quit and Cancel end the program.
    QApplication::setQuitOnLastWindowClosed(false);

    // A build or portable folder is its own program directory; an installed program keeps
    // its files in the per-user data folder, because its own folder is not writable.
    const QString executableDirectory = QCoreApplication::applicationDirPath();
    const bv::ProgramDirectoryChoice programDirectory = bv::chooseProgramDirectory(
        executableDirectory, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
        bv::installedDataDirectory(executableDirectory));
    if (!programDirectory.problem.isEmpty())
        std::fprintf(stderr, "Brimvault: %s\n", qPrintable(programDirectory.problem));
    bv::QtPlatform platform(programDirectory.path);
    bv::LaunchSettings settings;
    bv::ConsoleOptions colours;
    bv::CommandInterpreter interpreter(settings, colours, platform);
    bv::AppWindows windows(
        settings, colours, interpreter, platform, [&](bv::ConsoleWindow& console) {
            return bv::makeMainWindowFrame(settings, colours, interpreter, platform, console);
        });
    interpreter.setWindowActions(&windows);

    bv::Main(windows);
    // An exit in the startup script ends the program before the event loop could.
    const int code = interpreter.ended() ? 0 : QApplication::exec();
    interpreter.setWindowActions(nullptr); // the windows go first
    return code;
}
