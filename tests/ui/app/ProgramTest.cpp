#include "support/FakePlatform.h"
#include "support/TempDir.h"

#include "platform/QtPlatform.h"
#include "settings/CommandInterpreter.h"
#include "settings/LaunchSettings.h"
#include "ui/AppWindows.h"
#include "ui/ConsoleWindow.h"
#include "ui/Startup.h"
#include "ui/OptionsWindow.h"
#include "ui/SetupWizard.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace bv;
using namespace bv::test;

namespace {

// A recording host whose per-user store is the real one, below a temporary XDG_CONFIG_HOME.
class RealStorePlatform : public FakePlatform {
public:
    QString storeValue(const QString& section, const QString& key,
                       const QString& defaultValue) override {
        return real_.storeValue(section, key, defaultValue);
    }
    bool setStoreValue(const QString& section, const QString& key, const QString& value) override {
        return real_.setStoreValue(section, key, value);
    }

private:
    QtPlatform real_{QString()};
};

// The whole program as main() wires it, with the real main window.
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
    AppWindows windows{settings, colours, interpreter, platform, [this] {
                           return makeMainWindowFrame(settings, colours, interpreter, platform);
                       }};
};

// Copies delivered files into a program directory.
bool deliver(const QTemporaryDir& dir, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const QString source = QStringLiteral(BRIMVAULT_DELIVERED "/") + QLatin1String(name);
        if (!QFile::exists(source) ||
            !writeBytes(pathIn(dir, QLatin1String(name)), readBytes(source)))
            return false;
    }
    return true;
}

} // namespace

class ProgramTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void closingTheMainWindowSavesWhatTheNextStartRestores() {
        QTemporaryDir dir;
        QVERIFY(
            writeBytes(pathIn(dir, QStringLiteral("main.brv")), "exec config.brv\r\nshow 1\r\n"));
        QVERIFY(writeBytes(pathIn(dir, QStringLiteral("colour.brc")),
                           " 0 \r\n 0 \r\n 0 \r\n 255 \r\n 215 \r\n 0 \r\n"));
        RealStorePlatform host;
        host.arguments = QStringLiteral("-nosetup");
        QPoint mainAt;
        QPoint consoleAt;
        {
            Program p(dir.path(), host);
            runStartup(p.windows);
            MainWindow& main = p.mainWindow();
            QVERIFY(main.isVisible());
            QVERIFY(p.windows.console().isVisible());

            p.interpreter.interpret(QStringLiteral("options"));
            QVERIFY(!main.isEnabled());
            p.windows.options().colourBar(ConsoleOptions::backgroundGreen)->setValue(77);
            p.windows.options().findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
            QVERIFY(main.isEnabled());

            p.interpreter.interpret(QStringLiteral("warp 11"));
            main.move(60, 40);
            mainAt = main.pos();
            p.windows.console().move(30, 420);
            consoleAt = p.windows.console().pos();
            p.colours.setDocked(1);
            main.setConsoleShown(false);
            main.close(); // Form_Unload sends exit
            QCOMPARE(host.quitCount, 1);
        }
        QCOMPARE(readBytes(pathIn(dir, QStringLiteral("colour.brc"))),
                 QByteArray(" 0 \r\n 77 \r\n 0 \r\n 255 \r\n 215 \r\n 0 \r\n"));
        QCOMPARE(host.storeValue(QStringLiteral("Window Settings"), QStringLiteral("MainTop"),
                                 QString()),
                 QString::number(pixelsToTwips(mainAt.y(), 96.0)));

        Program again(dir.path(), host);
        runStartup(again.windows);
        QCOMPARE(again.settings.text(Text::warp), QStringLiteral("11"));
        QCOMPARE(again.mainWindow().pos(), mainAt);
        QCOMPARE(again.colours.docked(), 1);
        QCOMPARE(again.colours.value(ConsoleOptions::backgroundGreen), 77);
        QVERIFY(!again.mainWindow().consoleShown());
        QVERIFY(!again.windows.console().isVisible());
        // Docking moves the console on the main window's next tick, not at startup.
        QCOMPARE(again.windows.console().pos(), consoleAt);
    }

    // The delivered script shows the main window before it restores the settings: nothing is
    // drawn while it runs, so the first picture already holds them.
    void theDeliveredScriptsFirstPictureHoldsTheRestoredSettings() {
        QTemporaryDir dir;
        QVERIFY(deliver(dir, {"main.brv"}));
        QVERIFY(writeBytes(pathIn(dir, QStringLiteral("config.brv")), "warp 13\r\n"));
        FakePlatform host;
        host.arguments = QStringLiteral("-nosetup");
        Program p(dir.path(), host);

        struct Paints : QObject {
            int count = 0;
            QString firstWarp; // what txtWarp held when first drawn
            bool eventFilter(QObject* watched, QEvent* event) override {
                if (event->type() != QEvent::Paint)
                    return false;
                ++count;
                if (watched->objectName() == QLatin1String("txtWarp") && firstWarp.isNull())
                    firstWarp = static_cast<QLineEdit*>(watched)->text();
                return false;
            }
        } paints;
        qApp->installEventFilter(&paints);
        runStartup(p.windows);
        QCOMPARE(paints.count, 0);
        QVERIFY(p.mainWindow().isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(&p.mainWindow()));
        QTRY_VERIFY(!paints.firstWarp.isNull());
        qApp->removeEventFilter(&paints);
        QCOMPARE(paints.firstWarp, QStringLiteral("13"));
    }

    // The save dialog a player types "green" into returns green.brc under the theme filter.
    void aSavedNameWithoutADotTakesTheFiltersExtension() {
        QTemporaryDir dir;
        QtPlatform host(dir.path());
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->selectFile(QStringLiteral("green"));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        const QString saved =
            host.fileDialog(FileDialogKind::Save,
                            {dir.path(), QString(), QStringLiteral("Colour Themes|*.brc"), 0});
        QCOMPARE(saved, pathIn(dir, QStringLiteral("green.brc")));
    }

    // A new player meets no error: the delivered config.brv runs without a word, and running
    // it again on Finish does not undo the Doom directory just chosen.
    void aFirstStartWithTheDeliveredFilesSaysNothingWrong() {
        QTemporaryDir dir;
        QVERIFY(deliver(dir, {"main.brv", "config.brv", "colour.brc"}));
        FakePlatform host;
        Program p(dir.path(), host);
        runStartup(p.windows);
        SetupWizard& wizard = p.windows.setup();
        wizard.nextButton()->click();
        wizard.directoryBox()->setText(dir.path());
        wizard.nextButton()->click();
        QVERIFY(p.mainWindow().isVisible());
        QCOMPARE(p.settings.text(Text::doomDirectory), dir.path());
        QCOMPARE(p.interpreter.consoleText(),
                 QStringLiteral("\nexec main.brv\nshow 1\nLoading Main Dialog\nexec config.brv")
                     .repeated(2));
    }
};

int main(int argc, char* argv[]) {
    // The per-user store of this test lives and dies with it.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ProgramTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ProgramTest.moc"
