#include "support/FakePlatform.h"

#include "settings/CommandInterpreter.h"
#include "settings/LaunchSettings.h"
#include "ui/ConsoleWindow.h"
#include "ui/DebugWindow.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace bv;

class ConsoleWindowTest : public QObject {
    Q_OBJECT

    struct World {
        QTemporaryDir dir;
        test::FakePlatform platform;
        LaunchSettings settings;
        ConsoleOptions colours;
        CommandInterpreter interpreter{settings, colours, platform};
        World() { platform.programDir = dir.path(); }
    };

private Q_SLOTS:
    void enterHandsTheLineToTheInterpreterAndEmptiesTheInput() {
        World w;
        ConsoleWindow console(w.interpreter, w.colours);
        console.show();
        QTest::keyClicks(console.input(), QStringLiteral("Warp 07"));
        QTest::keyClick(console.input(), Qt::Key_Return);
        QCOMPARE(w.settings.text(Text::warp), QStringLiteral("07"));
        QCOMPARE(console.output()->toPlainText(), QStringLiteral("\nWarp Set"));
        QVERIFY(console.input()->text().isEmpty());

        QTest::keyClicks(console.input(), QStringLiteral("bogus"));
        QTest::keyClick(console.input(), Qt::Key_Enter);
        QCOMPARE(console.output()->toPlainText(),
                 QStringLiteral("\nWarp Set\nbogus\nCommand unkown"));
        // The newest line is in view: the caret sits at the end.
        QCOMPARE(console.output()->textCursor().position(),
                 console.output()->document()->characterCount() - 1);
    }

    // The input line stands apart in the text colour, and typing with the output focused
    // still reaches it; keys that move or copy stay with the output.
    void theInputLineTakesTheTypingAndWearsTheTextColour() {
        World w;
        ConsoleWindow console(w.interpreter, w.colours);
        console.show();
        console.output()->setFocus();
        QTest::keyClicks(console.output(), QStringLiteral("warp 7"));
        QTest::keyClick(console.output(), Qt::Key_Home);
        QTest::keyClick(console.output(), Qt::Key_Backspace);
        QCOMPARE(console.input()->text(), QStringLiteral("warp "));
        QTest::keyClick(console.output(), Qt::Key_Return);
        QVERIFY(console.output()->toPlainText().endsWith(QStringLiteral("\nWarp Set")));
        QCOMPARE(console.focusProxy(), console.input());
        w.colours.setValue(ConsoleOptions::textGreen, 9);
        console.applyColours();
        QWidget* frame = console.findChild<QWidget*>(QStringLiteral("inputFrame"));
        QCOMPARE(frame->palette().color(QPalette::Window), QColor(255, 9, 0));
        QCOMPARE(frame->contentsMargins(), QMargins());
        QCOMPARE(console.input()->geometry().topLeft(), QPoint(1, 1));
    }

    void emptyLineIsAnUnknownCommand() {
        World w;
        ConsoleWindow console(w.interpreter, w.colours);
        QTest::keyClick(console.input(), Qt::Key_Return);
        QCOMPARE(console.output()->toPlainText(), QStringLiteral("\n\nCommand unkown"));
        QVERIFY(console.input()->text().isEmpty());
    }

    void clsAndColours() {
        World w;
        w.colours.setValue(ConsoleOptions::backgroundRed, 10);
        ConsoleWindow console(w.interpreter, w.colours);
        QCOMPARE(console.output()->palette().color(QPalette::Base), QColor(10, 0, 0));
        QCOMPARE(console.input()->palette().color(QPalette::Text), QColor(255, 215, 0));
        w.interpreter.interpret(QStringLiteral("echo x"));
        w.interpreter.interpret(QStringLiteral("cls"));
        QVERIFY(console.output()->toPlainText().isEmpty());
        QCOMPARE(console.windowTitle(), QStringLiteral("Brimvault [Console]"));
        QCOMPARE(console.objectName(), QStringLiteral("frmConsole"));
    }

    void timerDownScrollsOnceAfterLoad() {
        World w;
        for (int i = 0; i < 200; ++i)
            w.interpreter.interpret(QStringLiteral("echo line"));
        ConsoleWindow console(w.interpreter, w.colours);
        console.show();
        QVERIFY(console.scrollTimer()->isActive());
        QTRY_VERIFY(!console.scrollTimer()->isActive());
        QCOMPARE(console.output()->textCursor().position(),
                 console.output()->document()->characterCount() - 1);
    }

    void debugWindowShowsTheLog() {
        World w;
        w.interpreter.interpret(QStringLiteral("warp 1"));
        DebugWindow debug(w.interpreter, w.platform);
        QCOMPARE(debug.log()->toPlainText(), QStringLiteral("\nwarp 1\necho Warp Set"));
        w.interpreter.interpret(QStringLiteral("// later"));
        QCOMPARE(debug.log()->toPlainText(), QStringLiteral("\nwarp 1\necho Warp Set\n// later"));
        QCOMPARE(debug.log()->palette().color(QPalette::Text), QColor(Qt::white));
        debug.show();
        // It follows the newest line, unless the player scrolled up to read.
        QScrollBar* bar = debug.log()->verticalScrollBar();
        for (int i = 0; i < 100; ++i)
            w.interpreter.interpret(QStringLiteral("// more"));
        QTRY_VERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
        bar->setValue(1);
        w.interpreter.interpret(QStringLiteral("// one more"));
        QCOMPARE(bar->value(), 1);
        QTest::mouseClick(debug.findChild<QWidget*>(QStringLiteral("cmdHide")), Qt::LeftButton);
        QVERIFY(!debug.isVisible());
        QTest::mouseClick(debug.findChild<QWidget*>(QStringLiteral("cmdQuit")), Qt::LeftButton);
        QCOMPARE(w.platform.quitCount, 1);
        QVERIFY(!QFile::exists(w.dir.path() + QStringLiteral("/config.brv"))); // nothing saved
    }
};

QTEST_MAIN(ConsoleWindowTest)
#include "ConsoleWindowTest.moc"
