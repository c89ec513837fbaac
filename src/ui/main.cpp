#include "AppWindows.h"
#include "ConsoleWindow.h"
#include "DebugWindow.h"
#include "platform/QtPlatform.h"
#include "settings/CommandInterpreter.h"
#include "settings/LaunchSettings.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brimvault"));
    QApplication::setApplicationName(QStringLiteral("Brimvault"));
    QApplication::setQuitOnLastWindowClosed(false);

    bv::QtPlatform platform(QCoreApplication::applicationDirPath());
    bv::LaunchSettings settings;
    bv::ConsoleOptions colours;
    bv::CommandInterpreter interpreter(settings, colours, platform);
    bv::AppWindows windows;
    interpreter.setWindowActions(&windows);

    bv::ConsoleWindow console(interpreter, colours);
    bv::DebugWindow debug(interpreter, platform);
    windows.console = &console;
    windows.debug = &debug;

    console.show();
    interpreter.interpret(QStringLiteral("exec main.brv"));
    if (interpreter.ended())
        return 0;
    return QApplication::exec();
}
