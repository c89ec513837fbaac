#include "support/FakePlatform.h"
#include "support/TempDir.h"

#include "settings/CommandInterpreter.h"
#include "settings/LaunchSettings.h"
#include "ui/AppWindows.h"
#include "ui/ConsoleWindow.h"
#include "ui/ModMain.h"
#include "ui/OptionsWindow.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace bv;
using namespace bv::test;

namespace {

// The whole program as main() wires it, with the real main window and a recording host.
struct Program {
    explicit Program(const QString& programDirectory, FakePlatform& host) : platform(host) {
        platform.programDir = programDirectory;
        interpreter.setWindowActions(&windows);
    }
    ~Program() { interpreter.setWindowActions(nullptr); }

    MainWindow& mainWindow() { return static_cast<MainWindow&>(*windows.mainWindow()); }

    FakePlatform& platform;
    LaunchSettings settings;
    ConsoleOptions colours;
    CommandInterpreter interpreter{settings, colours, platform};
    AppWindows windows{settings, colours, interpreter, platform, [this](ConsoleWindow& console) {
                           return makeMainWindowFrame(settings, colours, interpreter, platform,
                                                      console);
                       }};
};

} // namespace

class ProgramTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void closingTheMainWindowSavesWhatTheNextStartRestores() {
        QTemporaryDir dir;
        QVERIFY(
            writeBytes(pathIn(dir, QStringLiteral("main.brv")), "exec config.brv\r\nshow 1\r\n"));
        FakePlatform host;
        host.store.insert({QStringLiteral("Misc"), QStringLiteral("Firstrun")},
                          QStringLiteral("no"));
        QPoint mainAt;
        {
            Program p(dir.path(), host);
            Main(p.windows);
            MainWindow& main = p.mainWindow();
            QVERIFY(main.isVisible());
            QCOMPARE(main.windowTitle(), QStringLiteral("Brimvault Version 1.21 Beta"));
            QVERIFY(p.windows.console().isVisible());

            p.interpreter.interpret(QStringLiteral("options"));
            QVERIFY(!main.isEnabled());
            p.windows.options().findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
            QVERIFY(main.isEnabled());

            p.interpreter.interpret(QStringLiteral("warp 11"));
            main.move(60, 40);
            mainAt = main.pos();
            p.colours.setCheckDock(1);
            main.setConsoleShown(false);
            main.close(); // Form_Unload sends exit
            QCOMPARE(host.quitCount, 1);
        }
        QVERIFY(QFile::exists(pathIn(dir, QStringLiteral("config.brv"))));
        QVERIFY(QFile::exists(pathIn(dir, QStringLiteral("colour.brc"))));

        Program again(dir.path(), host);
        Main(again.windows);
        QCOMPARE(again.settings.text(Text::txtWarp), QStringLiteral("11"));
        QCOMPARE(again.mainWindow().pos(), mainAt);
        QCOMPARE(again.colours.checkDock(), 1);
        QVERIFY(!again.mainWindow().consoleShown());
        QVERIFY(!again.windows.console().isVisible());
        QVERIFY(!again.windows.setupIfCreated());
    }
};

QTEST_MAIN(ProgramTest)
#include "ProgramTest.moc"
