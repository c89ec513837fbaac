#include "AppFixture.h"

#include "ui/AboutWindow.h"
#include "ui/DebugWindow.h"
#include "ui/EditWindow.h"
#include "ui/Startup.h"
#include "ui/OptionsWindow.h"
#include "ui/SetupWizard.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using namespace bv;
using namespace bv::test;

namespace {

// Calls back when a widget receives one type of event.
class EventSpy : public QObject {
public:
    EventSpy(QWidget* widget, QEvent::Type type, std::function<void()> seen)
        : type_(type), seen_(std::move(seen)) {
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == type_)
            seen_();
        return false;
    }

private:
    QEvent::Type type_;
    std::function<void()> seen_;
};

QColor consoleBase(World& w) {
    return w.windows.console().output()->palette().color(QPalette::Base);
}
QColor consoleText(World& w) {
    return w.windows.console().input()->palette().color(QPalette::Text);
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstStartOnACleanStoreShowsOnlyTheWizard() {
        Machine m;
        World w(m.dir.path(), m.platform);
        runStartup(w.windows);
        QVERIFY(w.windows.setupIfCreated());
        QVERIFY(w.windows.setup().isVisible());
        QVERIFY(!w.windows.setup().welcomePage()->isHidden());
        QVERIFY(!w.main->window.isVisible()); // the script showed it; the first run hides it
        QVERIFY(!w.windows.console().isVisible());
        QVERIFY(!w.windows.options().isVisible());
        QVERIFY(!w.windows.debug().isVisible());
        QVERIFY(!w.windows.about().isVisible());
        QVERIFY(!w.windows.edit().isVisible());
        // No colour.brc: black on black, every scroll bar at 0.
        QCOMPARE(w.colours.values(), Colours{});
        for (int i = 0; i < 6; ++i)
            QCOMPARE(w.windows.options().colourBar(i)->value(), 0);
        QCOMPARE(consoleBase(w), QColor(0, 0, 0));
        QCOMPARE(consoleText(w), QColor(0, 0, 0));
        QCOMPARE(w.main->designSizes, 1);
        QVERIFY(m.platform.messages.empty());
    }

    void firstRunCheckIsExact_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("firstRun"); // empty: not stored
        QTest::addColumn<bool>("wizard");
        const struct {
            const char* row;
            const char* arguments;
            const char* firstRun;
            bool wizard;
        } rows[] = {
            {"clean store", "", "", true},      {"-nosetup", "-nosetup", "yes", false},
            {"-NOSETUP", "-NOSETUP", "", true}, {"-nosetup and more", "-nosetup x", "", true},
            {"Firstrun yes", "", "yes", true},  {"Firstrun Yes", "", "Yes", false},
            {"Firstrun no", "", "no", false},
        };
        for (const auto& r : rows)
            QTest::newRow(r.row) << QString::fromLatin1(r.arguments)
                                 << QString::fromLatin1(r.firstRun) << r.wizard;
    }
    void firstRunCheckIsExact() {
        QFETCH(QString, arguments);
        QFETCH(QString, firstRun);
        QFETCH(bool, wizard);
        Machine m;
        m.platform.arguments = arguments;
        if (!firstRun.isEmpty())
            m.platform.store.insert({QStringLiteral("Misc"), QStringLiteral("Firstrun")}, firstRun);
        World w(m.dir.path(), m.platform);
        runStartup(w.windows);
        QCOMPARE(w.windows.setupIfCreated() != nullptr, wizard);
        QCOMPARE(w.main->window.isVisible(), !wizard);
        QCOMPARE(w.windows.console().isVisible(), !wizard);
        // Windows nobody asked for are not built before the main window shows.
        QVERIFY(!w.windows.optionsIfCreated());
        QVERIFY(!w.windows.debugIfCreated());
    }

    void colourFileIsReadAsFarAsItGoes_data() {
        QTest::addColumn<QByteArray>("bytes"); // null: no file
        QTest::addColumn<Colours>("expected");
        QTest::newRow("missing") << QByteArray() << Colours{};
        QTest::newRow("delivered")
            << QByteArray(" 0 \r\n 0 \r\n 0 \r\n 255 \r\n 215 \r\n 0 \r\n") << kDesignColours;
        QTest::newRow("three lines")
            << QByteArray("10\r\n20\r\n30\r\n") << Colours{10, 20, 30, 30, 30, 30};
        // A bad line leaves its scroll bar at the value it had (here the design value).
        QTest::newRow("bad lines")
            << QByteArray("1\r\n2\r\n3\r\nred\r\n300\r\n6\r\n") << Colours{1, 2, 3, 255, 215, 6};
    }
    void colourFileIsReadAsFarAsItGoes() {
        QFETCH(QByteArray, bytes);
        QFETCH(Colours, expected);
        Machine m;
        m.platform.arguments = QStringLiteral("-nosetup");
        if (!bytes.isNull())
            QVERIFY(writeBytes(m.file("colour.brc"), bytes));
        World w(m.dir.path(), m.platform);
        runStartup(w.windows);
        QCOMPARE(w.colours.values(), expected);
        QCOMPARE(consoleBase(w), QColor(expected[0], expected[1], expected[2]));
        QCOMPARE(consoleText(w), QColor(expected[3], expected[4], expected[5]));
        QCOMPARE(w.windows.options().backgroundPreview()->palette().color(QPalette::Window),
                 QColor(expected[0], expected[1], expected[2]));
        QVERIFY(m.platform.messages.empty());
    }

    void storedConsoleSettings_data() {
        QTest::addColumn<QString>("show");
        QTest::addColumn<QString>("docking");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<int>("dock");
        QTest::newRow("False, docked") << "False"
                                       << "1" << false << 1;
        QTest::newRow("true, undocked") << "true"
                                        << "0" << true << 0;
        QTest::newRow("not a boolean, not a number") << "maybe"
                                                     << "x" << true << 0;
    }
    void storedConsoleSettings() {
        QFETCH(QString, show);
        QFETCH(QString, docking);
        QFETCH(bool, shown);
        QFETCH(int, dock);
        Machine m;
        m.platform.arguments = QStringLiteral("-nosetup");
        m.platform.store.insert({QStringLiteral("Console Settings"), QStringLiteral("Show")}, show);
        m.platform.store.insert({QStringLiteral("Console Settings"), QStringLiteral("Docking")},
                                docking);
        World w(m.dir.path(), m.platform);
        runStartup(w.windows);
        QCOMPARE(w.main->shown, shown);
        QCOMPARE(w.windows.console().isVisible(), shown);
        QCOMPARE(w.colours.docked(), dock);
        QCOMPARE(w.windows.options().dockBox()->isChecked(), dock == 1);
    }

    void positionsComeBackAndBadOnesAreSkipped() {
        Machine m;
        m.platform.arguments = QStringLiteral("-nosetup");
        m.store("Window Settings", "MainTop", "1500");
        m.store("Window Settings", "MainLeft", "3000");
        m.store("Window Settings", "ConTop", "4500.4");
        m.store("Window Settings", "ConLeft", "left");
        World w(m.dir.path(), m.platform);
        w.windows.console().move(40, 60);
        runStartup(w.windows);
        QCOMPARE(w.main->window.pos(), QPoint(200, 100));
        QCOMPARE(w.windows.console().pos(), QPoint(40, 300));

        // A screen unplugged since the last exit must not hide the launcher.
        m.store("Window Settings", "MainLeft", "-300000");
        m.store("Window Settings", "ConTop", "900000");
        World moved(m.dir.path(), m.platform);
        runStartup(moved.windows);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(moved.main->window.x(), screen.left());
        QVERIFY(screen.intersects(moved.windows.console().frameGeometry()));
        // Partly visible is visible enough: it stays where the user put it.
        const QRect kept(screen.right() - 20, 10, 400, 300);
        QCOMPARE(keepOnScreen(kept, {screen}, screen), kept.topLeft());
    }

    void finishRunsStartupAgainWithoutNewWindows() {
        Machine m;
        World w(m.dir.path(), m.platform);
        runStartup(w.windows);
        SetupWizard& wizard = w.windows.setup();
        ConsoleWindow* console = &w.windows.console();
        StandInMain* main = w.main;
        wizard.onNextClicked();
        wizard.directoryBox()->setText(QStringLiteral("/games/chosen"));
        wizard.onNextClicked();

        QCOMPARE(m.platform.store.value({QStringLiteral("Misc"), QStringLiteral("Firstrun")}),
                 QStringLiteral("no"));
        QCOMPARE(w.main, main);
        QCOMPARE(&w.windows.console(), console);
        QCOMPARE(&w.windows.setup(), &wizard);
        QCOMPARE(main->designSizes, 2);
        QCOMPARE(w.interpreter.consoleText().count(QStringLiteral("Loading Main Dialog")), 2);
        QVERIFY(main->window.isVisible());
        QVERIFY(console->isVisible());
        QVERIFY(wizard.isVisible());
        QVERIFY(wizard.welcomePage()->isHidden());
        QCOMPARE(main->execCfgFolder, QStringLiteral("/games/chosen"));
        QCOMPARE(main->demoFolder, QStringLiteral("/games/chosen"));
    }

    void exitInTheStartupScriptStopsStartup() {
        Machine m;
        QVERIFY(writeBytes(m.file("main.brv"), "exit\r\nshow 1\r\n"));
        World w(m.dir.path(), m.platform);
        runStartup(w.windows);
        QCOMPARE(m.platform.quitCount, 1);
        QVERIFY(!w.windows.setupIfCreated());
        QVERIFY(!w.main->window.isVisible());
        runStartup(w.windows); // nothing runs after exit
        QCOMPARE(w.main->designSizes, 1);
        // The console was never built; the next start finds it docked under the main window
        // rather than in the corner of the screen.
        QVERIFY(!w.windows.consoleIfCreated());
        const QRect outer = w.main->window.frameGeometry();
        const double dpi = w.main->window.logicalDpiY();
        const auto stored = [&](const char* key) {
            return m.platform.store.value({QStringLiteral("Window Settings"), QLatin1String(key)});
        };
        QCOMPARE(stored("ConTop"), QString::number(pixelsToTwips(outer.bottom() + 1, dpi)));
        QCOMPARE(stored("ConLeft"), QString::number(pixelsToTwips(outer.left(), dpi)));
    }

    // Nothing of the console's may hold back the main window: it is built after the script
    // has shown the main window, and still shows what the script wrote.
    void theConsoleComesAfterTheMainWindow() {
        Machine m;
        QVERIFY(writeBytes(m.file("main.brv"), "echo hello\r\nshow 1\r\n"));
        m.store("Misc", "Firstrun", "no");
        World w(m.dir.path(), m.platform);
        bool consoleBuiltBeforeShow = true;
        EventSpy spy(w.windows.mainWindow(), QEvent::Show,
                     [&] { consoleBuiltBeforeShow = w.windows.consoleIfCreated() != nullptr; });
        runStartup(w.windows);
        QVERIFY(w.main->window.isVisible());
        QVERIFY(!consoleBuiltBeforeShow);
        QVERIFY(w.windows.console().isVisible());
        QVERIFY(w.windows.console().output()->toPlainText().contains(QStringLiteral("hello")));
        QCOMPARE(consoleBase(w), QColor(Qt::black)); // no colour.brc: the documented black
    }

    void optionsOkReloadsTheConsoleKeepingOutputAndInput() {
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
        QVERIFY(options.isVisible());
        QVERIFY(!w.main->window.isEnabled());
        options.colourBar(ConsoleOptions::backgroundRed)->setValue(40);
        options.colourBar(ConsoleOptions::textBlue)->setValue(250);
        w.settings.setText(Text::demoDirectory, QStringLiteral("/games/demos"));
        QCOMPARE(consoleBase(w), QColor(0, 0, 0)); // the console waits for OK

        QTest::mouseClick(options.findChild<QPushButton*>(QStringLiteral("cmdOk")), Qt::LeftButton);
        QVERIFY(!options.isVisible());
        QVERIFY(w.main->window.isEnabled());
        QVERIFY(console.isVisible());
        QCOMPARE(consoleBase(w), QColor(40, 0, 0));
        QCOMPARE(console.output()->palette().color(QPalette::Text), QColor(0, 0, 250));
        QCOMPARE(console.output()->toPlainText(), output);
        QCOMPARE(console.input()->text(), QStringLiteral("name half"));
        QCOMPARE(w.main->demoFolder, QStringLiteral("/games/demos"));
        QVERIFY(console.scrollTimer()->isActive()); // loaded anew: one more scroll to the end
        // The command line still works after the reload.
        QTest::keyClick(console.input(), Qt::Key_Return);
        QCOMPARE(w.settings.text(Text::playerName), QStringLiteral("half"));
    }

    void optionsOkWithTheConsoleUntickedKeepsItHidden() {
        Machine m;
        m.platform.arguments = QStringLiteral("-nosetup");
        m.store("Console Settings", "Show", "False");
        World w(m.dir.path(), m.platform);
        runStartup(w.windows);
        w.windows.showOptionsWindow();
        w.windows.options().colourBar(ConsoleOptions::backgroundGreen)->setValue(9);
        w.windows.options().close(); // the close box applies like OK
        QVERIFY(!w.windows.options().isVisible());
        QVERIFY(w.main->window.isEnabled());
        QVERIFY(!w.windows.console().isVisible());
        QCOMPARE(consoleBase(w), QColor(0, 9, 0));
        QCOMPARE(w.main->demoFolder, QStringLiteral("c:\\doom2"));
    }

    void closingTheConsoleUnticksShowConsole() {
        Machine m;
        m.platform.arguments = QStringLiteral("-nosetup");
        World w(m.dir.path(), m.platform);
        runStartup(w.windows);
        w.windows.console().close();
        QVERIFY(!w.windows.console().isVisible());
        QVERIFY(!w.main->shown);
        QCOMPARE(w.windows.placement().consoleShown, false);
    }

    void editorAndAboutAreCreatedAfreshAfterClosing() {
        Machine m;
        m.platform.arguments = QStringLiteral("-nosetup");
        World w(m.dir.path(), m.platform);
        runStartup(w.windows);
        w.interpreter.interpret(QStringLiteral("edit"));
        QPointer<EditWindow> editor = &w.windows.edit();
        QVERIFY(editor->isVisible());
        editor->close();
        QTRY_VERIFY(editor.isNull()); // deleted later, by the event loop
        w.interpreter.interpret(QStringLiteral("edit"));
        QVERIFY(w.windows.edit().isVisible());

        w.interpreter.interpret(QStringLiteral("about"));
        QVERIFY(w.windows.about().isVisible());
        w.interpreter.interpret(QStringLiteral("debug"));
        QVERIFY(w.windows.debug().isVisible());
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
