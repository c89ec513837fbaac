// The start of the program, its windows made on first use, and whole flows from the windows
// to the files and the per-user store.
#include "AppFixture.h"

#include "platform/QtPlatform.h"
#include "ui/AboutWindow.h"
#include "ui/DebugWindow.h"
#include "ui/EditWindow.h"
#include "ui/OptionsWindow.h"
#include "ui/SetupWizard.h"
#include "ui/Startup.h"
#include "ui/main/MainWindow.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using namespace bv;
using namespace bv::test;

Q_DECLARE_METATYPE(bv::test::Colours)

namespace {

QColor consoleColour(World& w, QPalette::ColorRole role) {
    return w.windows.console().input()->palette().color(role);
}

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

// A host whose per-user store is the real one, below the test's own XDG_CONFIG_HOME.
struct RealStore : FakePlatform {
    QString storeValue(const QString& s, const QString& k, const QString& d) override {
        return real.storeValue(s, k, d);
    }
    bool setStoreValue(const QString& s, const QString& k, const QString& v) override {
        return real.setStoreValue(s, k, v);
    }
    QtPlatform real{QString()};
};

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

class StartupTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aFirstRunShowsOnlyTheWizard_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("firstRun"); // empty: not stored
        QTest::addColumn<bool>("wizard");
        QTest::newRow("clean store") << ""
                                     << "" << true;
        QTest::newRow("-nosetup") << "-nosetup"
                                  << "yes" << false;
        QTest::newRow("-NOSETUP") << "-NOSETUP"
                                  << "" << true;
        QTest::newRow("-nosetup and more") << "-nosetup x"
                                           << "" << true;
        QTest::newRow("Firstrun yes") << ""
                                      << "yes" << true;
        QTest::newRow("Firstrun Yes") << ""
                                      << "Yes" << false;
        QTest::newRow("Firstrun yes and a blank") << ""
                                                  << "yes " << false;
    }
    void aFirstRunShowsOnlyTheWizard() {
        QFETCH(QString, arguments);
        QFETCH(QString, firstRun);
        QFETCH(bool, wizard);
        Machine m;
        m.platform.arguments = arguments;
        if (!firstRun.isEmpty())
            m.store("Misc", "Firstrun", firstRun);
        World w(m.dir.path(), m.platform);
        runStartup(w.windows);
        QCOMPARE(w.windows.setupIfCreated() != nullptr, wizard);
        QCOMPARE(w.main->window.isVisible(), !wizard);
        QCOMPARE(w.windows.console().isVisible(), !wizard);
        QVERIFY(!w.windows.optionsIfCreated() || !w.windows.options().isVisible());
        QCOMPARE(w.main->designSizes, 1);
        QVERIFY(m.platform.messages.empty());
        if (wizard) {
            QVERIFY(w.windows.setup().isVisible());
            QVERIFY(!w.windows.about().isVisible() && !w.windows.edit().isVisible());
        }
    }

    // colour.brc is read as far as it goes; no file, or no file but a folder or a pipe, is
    // black on black.
    void theColoursComeFromColourBrc_data() {
        QTest::addColumn<QByteArray>("bytes"); // null: none; "folder", "pipe"
        QTest::addColumn<Colours>("expected");
        QTest::newRow("missing") << QByteArray() << Colours{};
        QTest::newRow("a folder") << QByteArray("folder") << Colours{};
        QTest::newRow("a pipe") << QByteArray("pipe") << Colours{};
        QTest::newRow("delivered")
            << QByteArray(" 0 \r\n 0 \r\n 0 \r\n 255 \r\n 215 \r\n 0 \r\n") << kDesignColours;
        QTest::newRow("bad lines")
            << QByteArray("1\r\n2\r\n3\r\nred\r\n300\r\n6\r\n") << Colours{1, 2, 3, 255, 215, 6};
    }
    void theColoursComeFromColourBrc() {
        QFETCH(QByteArray, bytes);
        QFETCH(Colours, expected);
        Machine m;
        m.platform.arguments = QStringLiteral("-nosetup");
        if (bytes == "folder")
            QDir(m.dir.path()).mkdir(QStringLiteral("colour.brc"));
        else if (bytes == "pipe")
            makeFifo(m.file("colour.brc"));
        else if (!bytes.isNull())
            writeBytes(m.file("colour.brc"), bytes);
        World w(m.dir.path(), m.platform);
        runStartup(w.windows);
        QCOMPARE(w.colours.values(), expected);
        QCOMPARE(consoleColour(w, QPalette::Base), QColor(expected[0], expected[1], expected[2]));
        QCOMPARE(consoleColour(w, QPalette::Text), QColor(expected[3], expected[4], expected[5]));
        QVERIFY(w.main->window.isVisible());
    }

    void thePerUserStoreIsRestoredAndBadValuesAreSkipped() {
        Machine m;
        m.platform.arguments = QStringLiteral("-nosetup");
        m.store("Window Settings", "MainTop", "1500");
        m.store("Window Settings", "MainLeft", "3000");
        m.store("Window Settings", "ConTop", "4500.4");
        m.store("Window Settings", "ConLeft", "left");
        m.store("Console Settings", "Docking", "1");
        m.store("Console Settings", "Show", "False");
        World w(m.dir.path(), m.platform);
        w.windows.console().move(40, 60);
        runStartup(w.windows);
        QCOMPARE(w.main->window.pos(), QPoint(200, 100));
        QCOMPARE(w.windows.console().pos(), QPoint(40, 300));
        QCOMPARE(w.colours.docked(), 1);
        QVERIFY(!w.main->shown && !w.windows.console().isVisible());
        QCOMPARE(w.main->execCfgFolder, QStringLiteral("c:\\doom2"));
        QCOMPARE(w.main->demoFolder, QStringLiteral("c:\\doom2"));
        // A screen unplugged since the last exit must not hide the launcher.
        m.store("Window Settings", "MainLeft", "-300000");
        m.store("Console Settings", "Docking", "2");
        m.store("Console Settings", "Show", "maybe");
        World moved(m.dir.path(), m.platform);
        runStartup(moved.windows);
        QCOMPARE(moved.main->window.x(), QGuiApplication::primaryScreen()->availableGeometry().x());
        QCOMPARE(moved.colours.docked(), 0);
        QVERIFY(moved.main->shown);
    }

    void finishStartsTheProgramAgainWithTheSameWindows() {
        Machine m;
        World w(m.dir.path(), m.platform);
        runStartup(w.windows);
        SetupWizard& wizard = w.windows.setup();
        ConsoleWindow* console = &w.windows.console();
        wizard.onNextClicked();
        wizard.directoryBox()->setText(QStringLiteral("/games/chosen"));
        wizard.onNextClicked();
        QCOMPARE(&w.windows.console(), console);
        QCOMPARE(w.main->designSizes, 2);
        QVERIFY(w.main->window.isVisible() && console->isVisible() && wizard.isVisible());
        QCOMPARE(w.main->execCfgFolder, QStringLiteral("/games/chosen"));
    }

    // exit in the startup script ends it there; the console, never built, is stored as docked.
    void exitInTheStartupScriptEndsEverything() {
        Machine m;
        writeBytes(m.file("main.brv"), "exit\r\nshow 1\r\n");
        World w(m.dir.path(), m.platform);
        runStartup(w.windows);
        runStartup(w.windows);
        QCOMPARE(m.platform.quitCount, 1);
        QCOMPARE(w.main->designSizes, 1);
        QVERIFY(!w.windows.setupIfCreated() && !w.windows.consoleIfCreated());
        const QRect outer = w.main->window.frameGeometry();
        QCOMPARE(m.platform.store.value({"Window Settings", "ConTop"}),
                 QString::number(pixelsToTwips(outer.bottom() + 1, w.main->window.logicalDpiY())));
    }

    void optionsOkReloadsTheConsoleWithItsTextAndTheNewColours() {
        Machine m;
        m.platform.arguments = QStringLiteral("-nosetup");
        World w(m.dir.path(), m.platform);
        runStartup(w.windows);
        ConsoleWindow& console = w.windows.console();
        QTest::keyClicks(console.input(), QStringLiteral("warp 07"));
        QTest::keyClick(console.input(), Qt::Key_Return);
        QTest::keyClicks(console.input(), QStringLiteral("name half"));
        const QString output = console.output()->toPlainText();
        w.interpreter.interpret(QStringLiteral("options"));
        OptionsWindow& options = w.windows.options();
        QVERIFY(options.isVisible() && !w.main->window.isEnabled());
        options.colourBar(ConsoleOptions::backgroundRed)->setValue(40);
        w.settings.setText(Text::demoDirectory, QStringLiteral("/games/demos"));
        QCOMPARE(consoleColour(w, QPalette::Base), QColor(0, 0, 0)); // waits for OK
        options.findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
        QVERIFY(!options.isVisible() && w.main->window.isEnabled() && console.isVisible());
        QCOMPARE(consoleColour(w, QPalette::Base), QColor(40, 0, 0));
        QCOMPARE(console.output()->toPlainText(), output);
        QCOMPARE(console.input()->text(), QStringLiteral("name half"));
        QCOMPARE(w.main->demoFolder, QStringLiteral("/games/demos"));
        QVERIFY(console.scrollTimer()->isActive());
        // The close box applies too, and a console the player put away stays away.
        console.close();
        QVERIFY(!w.main->shown);
        w.windows.showOptionsWindow();
        options.close();
        QVERIFY(!options.isVisible() && w.main->window.isEnabled() && !console.isVisible());
    }

    void sideWindowsComeOnFirstUseAndAfreshAfterClosing() {
        Machine m;
        m.platform.arguments = QStringLiteral("-nosetup");
        World w(m.dir.path(), m.platform);
        runStartup(w.windows);
        w.interpreter.interpret(QStringLiteral("edit"));
        QPointer<EditWindow> editor = &w.windows.edit();
        QVERIFY(editor->isVisible());
        editor->close();
        QTRY_VERIFY(editor.isNull());
        w.interpreter.interpret(QStringLiteral("edit"));
        QVERIFY(w.windows.edit().isVisible());
        w.interpreter.interpret(QStringLiteral("about"));
        QVERIFY(w.windows.about().isVisible());
        w.interpreter.interpret(QStringLiteral("debug"));
        QVERIFY(w.windows.debug().isVisible());
        w.interpreter.interpret(QStringLiteral("zun_font 14"));
        QCOMPARE(w.windows.console().output()->font().pointSizeF(), 14.0);
        w.interpreter.interpret(QStringLiteral("show 0"));
        QVERIFY(!w.main->window.isVisible());
        // A line too long to lay out is shown cut, with what is left out.
        w.interpreter.interpret(QStringLiteral("echo ") + QString(20000, QLatin1Char('x')));
        QVERIFY(w.windows.console().output()->toPlainText().endsWith(
            QStringLiteral(" [... 4000 more characters not shown]")));
        QVERIFY(w.windows.debug().log()->toPlainText().endsWith(
            QStringLiteral(" [... 4005 more characters not shown]")));
    }

    // Closing the main window saves what the next start restores.
    void closingTheMainWindowSavesWhatTheNextStartRestores() {
        QTemporaryDir dir;
        QVERIFY(deliver(dir, {"main.brv", "colour.brc"}));
        RealStore host;
        host.arguments = QStringLiteral("-nosetup");
        QPoint mainAt;
        {
            Program p(dir.path(), host);
            runStartup(p.windows);
            p.interpreter.interpret(QStringLiteral("warp 11"));
            p.colours.setValue(ConsoleOptions::backgroundGreen, 77);
            p.mainWindow().move(60, 40);
            mainAt = p.mainWindow().pos();
            p.colours.setDocked(1);
            p.mainWindow().setConsoleShown(false);
            p.mainWindow().close();
            QCOMPARE(host.quitCount, 1);
        }
        Program again(dir.path(), host);
        runStartup(again.windows);
        QCOMPARE(again.settings.text(Text::warp), QStringLiteral("11"));
        QCOMPARE(again.mainWindow().pos(), mainAt);
        QCOMPARE(again.colours.docked(), 1);
        QCOMPARE(again.colours.value(ConsoleOptions::backgroundGreen), 77);
        QVERIFY(!again.windows.console().isVisible());
    }

    // The delivered files: nothing is drawn before the settings are restored, and a new
    // player meets no error, also when Finish runs the startup again.
    void theDeliveredFilesStartCleanly() {
        QTemporaryDir dir;
        QVERIFY(deliver(dir, {"main.brv", "config.brv", "colour.brc"}));
        FakePlatform host;
        {
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

        QVERIFY(writeBytes(pathIn(dir, QStringLiteral("config.brv")), "warp 13\r\n"));
        host.arguments = QStringLiteral("-nosetup");
        Program q(dir.path(), host);
        struct Paints : QObject {
            int count = 0;
            QString firstWarp;
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
        runStartup(q.windows);
        QCOMPARE(paints.count, 0);
        QTRY_VERIFY(!paints.firstWarp.isNull());
        qApp->removeEventFilter(&paints);
        QCOMPARE(paints.firstWarp, QStringLiteral("13"));
    }

    // A program directory where nothing can be made: the console says so once, and exit
    // still ends the program with one report.
    void anUnwritableProgramDirectoryThroughTheWindows() {
        QTemporaryDir root;
        FakePlatform platform;
        platform.arguments = QStringLiteral("-nosetup");
        World w(pathThroughAFile(root), platform);
        runStartup(w.windows);
        QLineEdit* input = w.windows.console().input();
        for (const char* line : {"warp 07", "exit", "warp 08"}) {
            input->setText(QLatin1String(line));
            QTest::keyClick(input, Qt::Key_Return);
        }
        const QString shown = w.windows.console().output()->toPlainText();
        QCOMPARE(shown.count(QStringLiteral("debug.txt could not be written")), 1);
        QVERIFY(shown.contains(QStringLiteral("Could not execute script"))); // no main.brv
        QCOMPARE(w.settings.text(Text::warp), QStringLiteral("07"));
        QCOMPARE(platform.quitCount, 1);
        QCOMPARE(platform.messages.size(), size_t(1));
    }

    // The save dialog a player types "green" into returns green.brc under the theme filter.
    void aSavedNameWithoutADotTakesTheFiltersExtension() {
        QTemporaryDir dir;
        QtPlatform host(dir.path());
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            dialog->selectFile(QStringLiteral("green"));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QCOMPARE(host.fileDialog(FileDialogKind::Save,
                                 {dir.path(), QString(), QStringLiteral("Colour Themes|*.brc"), 0}),
                 pathIn(dir, QStringLiteral("green.brc")));
    }
};

int main(int argc, char* argv[]) {
    // The per-user store of this test lives and dies with it.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    StartupTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "StartupTest.moc"
