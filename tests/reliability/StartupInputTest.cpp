// Values a user or a crash may leave behind, read at startup and by the options window:
// colour.brc, colour themes and the per-user store holding empty values, negative numbers,
// numbers beyond range, floating point and very long text. Startup skips what it cannot use,
// a theme is rejected whole with a message naming the file and the line, a store value is
// skipped. And a program directory that cannot be written, seen through the windows.

#include "BadInput.h"

#include "settings/SettingsScript.h"
#include "ui/DebugWindow.h"
#include "ui/EditWindow.h"
#include "ui/Startup.h"
#include "ui/OptionsWindow.h"
#include "ui/ShownText.h"
#include "ui/app/AppFixture.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace bv;
using namespace bv::test;

namespace {

// A machine whose host skips the wizard.
struct NoSetupMachine : Machine {
    NoSetupMachine() { platform.arguments = QStringLiteral("-nosetup"); }
};

// A whole line of a million digits: too long for any number.
const QString kLongText(1000000, QLatin1Char('7'));

void typeCommand(ConsoleWindow& console, const QString& line) {
    console.input()->setText(line);
    QTest::keyClick(console.input(), Qt::Key_Return);
}

} // namespace

class StartupInputTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // colour.brc: an empty line converts to 0 as a missing file does; any other line that is
    // not a whole number from 0 to 255 leaves its scroll bar as it was.
    void colourFileValues_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Colours>("expected");
        QTest::newRow("empty lines") << QByteArray("\r\n \r\n\r\n\r\n\r\n\r\n") << Colours{};
        QTest::newRow("negative") << QByteArray("-1\r\n-255\r\n5\r\n-1\r\n-40\r\n7\r\n")
                                  << Colours{0, 0, 5, 255, 215, 7};
        QTest::newRow("beyond range")
            << QByteArray("256\r\n1000\r\n99999999999999999999\r\n300\r\n2147483648\r\n1\r\n")
            << Colours{0, 0, 0, 255, 215, 1};
        QTest::newRow("floating point")
            << QByteArray("1.5\r\n2.0\r\n1e2\r\n0.5\r\n.5\r\n3,5\r\n") << kDesignColours;
        QTest::newRow("very long text") << kLongText.toLatin1() + "\r\n1\r\n2\r\n3\r\n4\r\n5\r\n"
                                        << kDesignColours;
        QTest::newRow("binary") << QByteArray("\0\xff\r\n\x01", 5) << kDesignColours;
    }
    void colourFileValues() {
        QFETCH(QByteArray, bytes);
        QFETCH(Colours, expected);
        NoSetupMachine m;
        QVERIFY(writeBytes(m.file("colour.brc"), bytes));
        World w(m.dir.path(), m.platform);
        runStartup(w.windows);
        QCOMPARE(w.colours.values(), expected);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(w.windows.options().colourBar(i)->value(), expected[static_cast<size_t>(i)]);
        QVERIFY(m.platform.messages.empty());
        QVERIFY(w.main->window.isVisible()); // the startup script still ran
    }

    // A colour.brc that is no file is one that cannot be opened: every component 0. A pipe
    // is not waited for.
    void colourFileThatIsNotAFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder") << "folder";
        QTest::newRow("pipe") << "pipe";
    }
    void colourFileThatIsNotAFile() {
        QFETCH(QString, kind);
        NoSetupMachine m;
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir(m.dir.path()).mkdir(QStringLiteral("colour.brc")));
        else
            QVERIFY(makeFifo(m.file("colour.brc")));
        World w(m.dir.path(), m.platform);
        runStartup(w.windows);
        QCOMPARE(w.colours.values(), Colours{});
        QVERIFY(w.main->window.isVisible());
        QVERIFY(m.platform.messages.empty());
    }

    // A theme is all or nothing: the first line that is no whole number from 0 to 255 is
    // named with the file, and every scroll bar keeps its value.
    void themeValues_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        const QString bad = QStringLiteral("is not a number from 0 to 255");
        QTest::newRow("empty file") << QByteArray("") << "line 1 is missing";
        QTest::newRow("empty line")
            << QByteArray("1\r\n\r\n3\r\n4\r\n5\r\n6\r\n") << "line 2 " + bad;
        QTest::newRow("negative") << QByteArray("1\r\n2\r\n-3\r\n4\r\n5\r\n6\r\n")
                                  << "line 3 " + bad;
        QTest::newRow("beyond range")
            << QByteArray("1\r\n2\r\n3\r\n256\r\n5\r\n6\r\n") << "line 4 " + bad;
        QTest::newRow("floating point")
            << QByteArray("1\r\n2\r\n3\r\n4\r\n5.0\r\n6\r\n") << "line 5 " + bad;
        QTest::newRow("very long text") << kLongText.toLatin1() + "\r\n"
                                        << "line 1 " + bad;
        QTest::newRow("short") << QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n") << "line 6 is missing";
    }
    void themeValues() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        FakePlatform platform;
        LaunchSettings settings;
        ConsoleOptions colours;
        OptionsWindow options(settings, colours, platform);
        const QString theme = pathIn(dir, QStringLiteral("bad theme.brc"));
        QVERIFY(writeBytes(theme, bytes));
        platform.dialogAnswers = {theme};
        options.findChild<QPushButton*>(QStringLiteral("cmdTheme"))->click();
        QCOMPARE(colours.values(), kDesignColours);
        QCOMPARE(platform.messages.size(), size_t(1));
        const QString text = platform.messages[0].text;
        QVERIFY2(text.contains(theme) && text.contains(expected), qPrintable(text));
        QVERIFY(text.size() < 400); // the bad line itself is not quoted back
    }

    // Not a file at all: a folder, a device that never ends, a pipe that never delivers.
    void themeThatIsNotAFile() {
        QTemporaryDir dir;
        const QString pipe = pathIn(dir, QStringLiteral("pipe.brc"));
        QVERIFY(makeFifo(pipe));
        FakePlatform platform;
        LaunchSettings settings;
        ConsoleOptions colours;
        OptionsWindow options(settings, colours, platform);
        const QString themes[] = {dir.path(), QStringLiteral("/dev/zero"), pipe};
        for (const QString& theme : themes) {
            platform.dialogAnswers = {theme};
            options.findChild<QPushButton*>(QStringLiteral("cmdTheme"))->click();
            QVERIFY(platform.messages.back().text.startsWith(
                QStringLiteral("Could not open the colour theme ") + theme));
        }
        QCOMPARE(platform.messages.size(), std::size(themes));
        QCOMPARE(colours.values(), kDesignColours);
    }

    // Positions: any finite decimal number of twips that fits a screen (negative ones are
    // screens left of or above the main one); anything else leaves the window where it is.
    void storedPosition_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("top"); // in pixels at 96 dpi
        QTest::newRow("empty") << "" << 60;
        QTest::newRow("negative") << "-1500" << -100;
        QTest::newRow("beyond range") << "1e300" << 60;
        QTest::newRow("beyond int") << "99999999999999999999" << 60;
        QTest::newRow("floating point") << "1500.6" << 100;
        QTest::newRow("very long text") << kLongText << 60;
        QTest::newRow("not a number") << "top" << 60;
    }
    void storedPosition() {
        QFETCH(QString, value);
        QFETCH(int, top);
        NoSetupMachine m;
        m.store("Window Settings", "MainTop", value);
        m.store("Window Settings", "ConTop", value);
        World w(m.dir.path(), m.platform);
        w.windows.mainFrame().widget()->move(40, 60);
        w.windows.console().move(40, 60);
        runStartup(w.windows);
        QCOMPARE(w.main->window.pos(), QPoint(40, top));
        QCOMPARE(w.windows.console().pos(), QPoint(40, top));
    }

    // "Docking" is 0 or 1 and nothing else; "Show" is a boolean or a number, 0 being false.
    void storedConsoleSettings_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("dock");
        QTest::addColumn<bool>("shown");
        QTest::newRow("empty") << "" << 0 << true;
        QTest::newRow("negative") << "-1" << 0 << true;
        QTest::newRow("zero") << "0" << 0 << false;
        QTest::newRow("one as floating point") << "1.0" << 1 << true;
        QTest::newRow("beyond range") << "2" << 0 << true;
        QTest::newRow("floating point") << "0.5" << 0 << true;
        QTest::newRow("very long text") << kLongText << 0 << true;
        QTest::newRow("FALSE") << "FALSE" << 0 << false;
    }
    void storedConsoleSettings() {
        QFETCH(QString, value);
        QFETCH(int, dock);
        QFETCH(bool, shown);
        NoSetupMachine m;
        m.store("Console Settings", "Docking", value);
        m.store("Console Settings", "Show", value);
        World w(m.dir.path(), m.platform);
        runStartup(w.windows);
        QCOMPARE(w.colours.docked(), dock);
        QCOMPARE(w.main->shown, shown);
        QCOMPARE(w.windows.console().isVisible(), shown);
    }

    // Only "yes" is a first run.
    void storedFirstRun_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("wizard");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("yes with a blank") << "yes " << false;
        QTest::newRow("very long text") << QStringLiteral("yes") + kLongText << false;
        QTest::newRow("yes") << "yes" << true;
    }
    void storedFirstRun() {
        QFETCH(QString, value);
        QFETCH(bool, wizard);
        NoSetupMachine m;
        m.platform.arguments.clear();
        m.store("Misc", "Firstrun", value);
        World w(m.dir.path(), m.platform);
        runStartup(w.windows);
        QCOMPARE(w.windows.setupIfCreated() != nullptr, wizard);
        QCOMPARE(w.main->window.isVisible(), !wizard);
    }

    // Nothing can be created in the program directory: the console says so once, commands
    // work, the debug window keeps the log, and exit still ends the program with a report.
    void unwritableProgramDirectoryThroughTheWindows() {
        QTemporaryDir root;
        FakePlatform platform;
        platform.arguments = QStringLiteral("-nosetup");
        World w(pathThroughAFile(root), platform);
        runStartup(w.windows);
        ConsoleWindow& console = w.windows.console();
        typeCommand(console, QStringLiteral("warp 07"));
        typeCommand(console, QStringLiteral("debug"));
        QCOMPARE(w.settings.text(Text::warp), QStringLiteral("07"));
        const QStringList shown = console.output()->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(shown.filter(QStringLiteral("debug.txt could not be written")).size(), 1);
        QVERIFY(shown.contains(QStringLiteral("Could not execute script"))); // no main.brv
        QVERIFY(shown.contains(QStringLiteral("Warp Set")));
        QVERIFY(w.windows.debug().isVisible());
        QVERIFY(w.windows.debug().log()->toPlainText().endsWith(
            QStringLiteral("\nwarp 07\necho Warp Set\ndebug")));

        typeCommand(console, QStringLiteral("exit"));
        QCOMPARE(platform.quitCount, 1);
        QCOMPARE(platform.messages.size(), size_t(1));
        QVERIFY(platform.messages[0].text.contains(QStringLiteral("config.brv could not be")));
        QVERIFY(platform.messages[0].text.contains(QStringLiteral("colour.brc could not be")));
        typeCommand(console, QStringLiteral("warp 08"));
        QCOMPARE(w.settings.text(Text::warp), QStringLiteral("07"));
    }

    // The exit typed at the console while the disk is full: the files of the last exit stay.
    void exitOnAFullDiskKeepsTheLastSettings() {
        NoSetupMachine m;
        const QByteArray config = "zun_warp 05\r\nshow 1\r\n";
        const QByteArray colours = " 1 \r\n 2 \r\n 3 \r\n 4 \r\n 5 \r\n 6 \r\n";
        QVERIFY(writeBytes(m.file("config.brv"), config));
        QVERIFY(writeBytes(m.file("colour.brc"), colours));
        World w(m.dir.path(), m.platform);
        runStartup(w.windows);
        QCOMPARE(w.colours.values(), (Colours{1, 2, 3, 4, 5, 6}));
        {
            FileSizeLimit limit(8);
            QVERIFY(limit.active());
            typeCommand(w.windows.console(), QStringLiteral("exit"));
        }
        QCOMPARE(m.platform.quitCount, 1);
        QCOMPARE(readBytes(m.file("config.brv")), config);
        QCOMPARE(readBytes(m.file("colour.brc")), colours);
        QCOMPARE(entriesOf(m.dir.path()),
                 (QStringList{"colour.brc", "config.brv", "debug.txt", "main.brv"}));
        QCOMPARE(m.platform.messages.size(), size_t(1));
    }

    // Files that never end, chosen in the config file editor: refused with a message that
    // names them, and the document stays as it was.
    void editorRefusesDevicesAndPipes() {
        QTemporaryDir dir;
        const QString pipe = pathIn(dir, QStringLiteral("pipe.cfg"));
        QVERIFY(makeFifo(pipe));
        FakePlatform platform;
        LaunchSettings settings;
        EditWindow editor(settings, platform);
        editor.textBox()->setPlainText(QStringLiteral("bind x quit"));
        platform.dialogAnswers = {QStringLiteral("/dev/zero"), pipe};
        editor.openAction()->trigger();
        editor.openAction()->trigger();
        QCOMPARE(platform.messages.size(), size_t(2));
        QVERIFY(platform.messages[0].text.startsWith(QStringLiteral("Could not open the file "
                                                                    "\"/dev/zero\"")));
        QVERIFY(platform.messages[1].text.contains(pipe));
        QCOMPARE(editor.textBox()->toPlainText(), QStringLiteral("bind x quit"));
    }

    // A ten-megabyte line in the debug window and the console is shown cut, at once; the
    // interpreter and debug.txt keep all of it.
    void tenMegabyteLineIsShownCut() {
        NoSetupMachine m;
        World w(m.dir.path(), m.platform);
        runStartup(w.windows);
        w.windows.showDebugWindow();
        const QByteArray huge(10 * 1024 * 1024, 'x');
        QVERIFY(writeBytes(m.file("huge.brv"), huge + "\r\nwarp 31\r\n"));
        typeCommand(w.windows.console(), QStringLiteral("exec huge.brv"));
        QCOMPARE(w.settings.text(Text::warp), QStringLiteral("31"));
        QVERIFY(w.interpreter.consoleText().contains(QString::fromLatin1(huge)));
        QVERIFY(readBytes(m.file("debug.txt")).contains(huge));
        const QString note = QStringLiteral(" more characters not shown]");
        for (QPlainTextEdit* box : {w.windows.console().output(), w.windows.debug().log()}) {
            const QString shown = box->toPlainText();
            QVERIFY(shown.contains(note));
            QVERIFY(shown.size() < 10 * kShownLineLimit);
            QCOMPARE(shownText(shown), shown); // cutting again changes nothing
        }
        QVERIFY(w.windows.console().output()->toPlainText().endsWith(
            QStringLiteral("\nCommand unkown\nWarp Set")));
    }
};

QTEST_MAIN(StartupInputTest)
#include "StartupInputTest.moc"
