// The side windows: options and colour themes, the setup wizard, the console and debug
// windows, the config file editor and the About window, each over a recording host.
#include "AppFixture.h"

#include "ui/AboutWindow.h"
#include "ui/DebugWindow.h"
#include "ui/EditWindow.h"
#include "ui/OptionsWindow.h"
#include "ui/SetupWizard.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

using namespace bv;
using namespace bv::test;

namespace {

struct Host {
    QTemporaryDir dir;
    FakePlatform platform;
    LaunchSettings settings;
    ConsoleOptions colours;
    CommandInterpreter interpreter{settings, colours, platform};
    Host() { platform.programDir = dir.path(); }
    QString file(const char* name) const { return pathIn(dir, QLatin1String(name)); }
    QString lastMessage() const { return platform.messages.back().text; }
};

void click(QWidget& window, const char* name) {
    window.findChild<QPushButton*>(QLatin1String(name))->click();
}

QColor preview(QLabel* label) {
    return label->palette().color(QPalette::Window);
}

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void optionsBindDirectoriesColoursAndDocking() {
        Host h;
        OptionsWindow window(h.settings, h.colours, h.platform);
        QCOMPARE(window.doomDirectoryBox()->text(), QStringLiteral("c:\\doom2"));
        QTest::keyClicks(window.demoDirectoryBox(), QStringLiteral("/d"));
        QCOMPARE(h.settings.text(Text::demoDirectory), QStringLiteral("/d"));
        h.settings.setText(Text::doomDirectory, QStringLiteral("/g"));
        QCOMPARE(window.doomDirectoryBox()->text(), QStringLiteral("/g"));
        window.show();
        QScrollBar* blue = window.colourBar(ConsoleOptions::backgroundBlue);
        QCOMPARE(blue->focusPolicy(), Qt::StrongFocus);
        QTest::keyClick(blue, Qt::Key_PageDown);
        QCOMPARE(h.colours.value(ConsoleOptions::backgroundBlue), 16);
        QCOMPARE(preview(window.backgroundPreview()), QColor(0, 0, 16));
        QCOMPARE(preview(window.textPreview()), QColor(255, 215, 0));
        h.colours.setValue(ConsoleOptions::textRed, 7);
        QCOMPARE(window.colourBar(ConsoleOptions::textRed)->value(), 7);
        QCOMPARE(preview(window.textPreview()), QColor(7, 215, 0));
        window.dockBox()->click();
        QCOMPARE(h.colours.docked(), 1);
        h.colours.setDocked(0);
        QVERIFY(!window.dockBox()->isChecked());
        QSignalSpy ok(&window, &OptionsWindow::okClicked);
        click(window, "cmdOk");
        window.close();
        QCOMPARE(ok.count(), 2);
        QVERIFY(window.isVisible()); // the program hides it as part of applying
        // Browse takes the directory of an engine file of exactly one of two names.
        for (const char* chosen : {"/x/DOOM3.EXE", "/x/MyDoom3.exe", "/x/Doombot.exe",
                                   "/games/bots/Doombot.bat", "/Doom3.exe"})
            h.platform.dialogAnswers.push_back(QLatin1String(chosen));
        for (int i = 0; i < 6; ++i)
            click(window, "cmdBrowse");
        QCOMPARE(h.settings.text(Text::doomDirectory), QStringLiteral("/"));
        QCOMPARE(h.platform.messages.size(), size_t(3));
        QCOMPARE(h.lastMessage(), QStringLiteral("Error Getting Doom Directory"));
        QCOMPARE(h.platform.dialogs[0].request.filter,
                 QStringLiteral("Doom3.exe|Doom3.exe|Doombot.bat|Doombot.bat"));
    }

    void themesAreSavedAndOpenedWholeOrNotAtAll() {
        Host h;
        OptionsWindow window(h.settings, h.colours, h.platform);
        window.colourBar(ConsoleOptions::textRed)->setValue(128);
        h.platform.dialogAnswers = {h.file("mine.brc")};
        click(window, "cmdSaveTheme");
        QCOMPARE(readBytes(h.file("mine.brc")),
                 QByteArray(" 0 \r\n 0 \r\n 0 \r\n 128 \r\n 215 \r\n 0 \r\n"));
        const FileDialogSpec save = h.platform.dialogs.back().request;
        QCOMPARE(h.platform.dialogs.back().kind, FileDialogKind::Save);
        QCOMPARE(save.initialDirectory, h.dir.path());
        QCOMPARE(save.filter, QStringLiteral("Colour Themes|*.brc"));
        QCOMPARE(save.flags, kHideReadOnly);
        h.colours.setValue(ConsoleOptions::textRed, 1);
        h.platform.dialogAnswers = {h.file("mine.brc")};
        click(window, "cmdTheme");
        QCOMPARE(h.platform.dialogs.back().kind, FileDialogKind::Open);
        QCOMPARE(h.colours.values(), (Colours{0, 0, 0, 128, 215, 0}));
        QCOMPARE(preview(window.textPreview()), QColor(128, 215, 0));
        click(window, "cmdTheme"); // cancelled
        QVERIFY(h.platform.messages.empty());

        makeFifo(h.file("pipe.brc"));
        writeBytes(h.file("short.brc"), "10\r\n20\r\n30\r\n");
        writeBytes(h.file("bad.brc"), " 1 \r\n 2 \r\n 3 \r\n 4 \r\n 256 \r\n 6 \r\n");
        const struct {
            QString theme;
            QString message;
        } rows[] = {
            {h.file("short.brc"),
             "The colour theme " + h.file("short.brc") + " was not loaded: line 4 is missing."},
            {h.file("bad.brc"), "The colour theme " + h.file("bad.brc") +
                                    " was not loaded: line 5 is not a number from 0 to 255."},
            {h.file("pipe.brc"), "Could not open the colour theme " + h.file("pipe.brc") +
                                     ": it is a device or a pipe, not a file"},
            {h.file("none.brc"), "Could not open the colour theme " + h.file("none.brc") +
                                     ": No such file or directory"},
        };
        for (const auto& r : rows) {
            h.platform.dialogAnswers = {r.theme};
            click(window, "cmdTheme");
            QCOMPARE(h.lastMessage(), r.message);
            QVERIFY(!h.platform.messages.back().informationIcon);
        }
        QCOMPARE(h.colours.values(), (Colours{0, 0, 0, 128, 215, 0}));
        h.platform.dialogAnswers = {h.file("no/t.brc")};
        click(window, "cmdSaveTheme");
        QCOMPARE(h.lastMessage(), "Could not save the colour theme " + h.file("no/t.brc") +
                                      ": No such file or directory");
    }

    void theWizardAsksForTheDoomDirectoryAndFinishStartsTheProgram() {
        Host h;
        int starts = 0;
        SetupWizard wizard(h.settings, h.platform, [&starts] { ++starts; });
        wizard.show();
        QVERIFY(!wizard.backButton()->isEnabled());
        QCOMPARE(wizard.pictureLabel()->pixmap().size(), QSize(64, 128));
        QTest::keyClick(&wizard, Qt::Key_Return);
        QVERIFY(wizard.welcomePage()->isHidden() && !wizard.directoryPage()->isHidden());
        QCOMPARE(wizard.nextButton()->text(), QStringLiteral("&Finish"));
        click(wizard, "cmdBack");
        QCOMPARE(wizard.nextButton()->text(), QStringLiteral("&Next >"));
        QVERIFY(!wizard.welcomePage()->isHidden() && !wizard.backButton()->isEnabled());
        click(wizard, "cmdNext");
        h.platform.dialogAnswers = {QStringLiteral("/g/Doombot.exe"), QStringLiteral("/g/x.exe")};
        click(wizard, "cmdBrowse");
        QCOMPARE(wizard.directoryBox()->text(), QStringLiteral("/g"));
        click(wizard, "cmdBrowse");
        QCOMPARE(h.lastMessage(), QStringLiteral("Error Getting Doom Directory"));
        QCOMPARE(h.settings.text(Text::doomDirectory), QStringLiteral("c:\\doom2")); // not yet
        QTest::keyClick(wizard.directoryBox(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(starts, 1);
        QCOMPARE(h.settings.text(Text::doomDirectory), QStringLiteral("/g"));
        QCOMPARE(h.platform.store.value({"Misc", "Firstrun"}), QStringLiteral("no"));
        // Left on screen, Cancel, Escape and the close box only put it away.
        click(wizard, "cmdCancel");
        wizard.show();
        QTest::keyClick(wizard.directoryBox(), Qt::Key_Escape);
        wizard.show();
        wizard.close();
        QVERIFY(!wizard.isVisible());
        QCOMPARE(h.platform.quitCount, 0);
        // A Finish that cannot be recorded says so and starts the program anyway.
        h.platform.failStoreAfter = 0;
        click(wizard, "cmdNext");
        QCOMPARE(starts, 2);
        QCOMPARE(h.lastMessage(), QStringLiteral("Brimvault could not record that setup is done; "
                                                 "this wizard will run again at the next start."));
        // Before Finish, each of them ends the program without storing anything.
        for (int way = 0; way < 3; ++way) {
            Host fresh;
            SetupWizard first(fresh.settings, fresh.platform, [] {});
            first.show();
            if (way == 0)
                click(first, "cmdCancel");
            else if (way == 1)
                QTest::keyClick(&first, Qt::Key_Escape);
            else
                first.close();
            QCOMPARE(fresh.platform.quitCount, 1);
            QVERIFY(fresh.platform.storeWrites.empty());
        }
    }

    void theConsoleTakesCommandsAndTheDebugWindowShowsTheLog() {
        Host h;
        ConsoleWindow console(h.interpreter, h.colours);
        console.show();
        QVERIFY(console.scrollTimer()->isActive() && console.scrollTimer()->isSingleShot());
        QTest::keyClicks(console.input(), QStringLiteral("Warp 07"));
        QTest::keyClick(console.input(), Qt::Key_Return);
        QCOMPARE(h.settings.text(Text::warp), QStringLiteral("07"));
        QCOMPARE(console.output()->toPlainText(), QStringLiteral("\nWarp Set"));
        QVERIFY(console.input()->text().isEmpty());
        // Keys typed into the output go to the input line; those that move stay.
        console.output()->setFocus();
        QTest::keyClicks(console.output(), QStringLiteral("warp 7"));
        QTest::keyClick(console.output(), Qt::Key_Home);
        QTest::keyClick(console.output(), Qt::Key_Backspace);
        QCOMPARE(console.input()->text(), QStringLiteral("warp "));
        QTest::keyClick(console.output(), Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(console.output(), Qt::Key_Return);
        QCOMPARE(console.output()->toPlainText(), QStringLiteral("\nWarp Set\nWarp Set"));
        QCOMPARE(console.output()->textCursor().position(),
                 console.output()->document()->characterCount() - 1);
        QCOMPARE(console.focusProxy(), console.input());
        h.colours.setValue(ConsoleOptions::backgroundRed, 10);
        h.colours.setValue(ConsoleOptions::textGreen, 9);
        console.applyColours();
        QCOMPARE(console.output()->palette().color(QPalette::Base), QColor(10, 0, 0));
        QCOMPARE(console.input()->palette().color(QPalette::Text), QColor(255, 9, 0));
        QCOMPARE(console.findChild<QWidget*>(QStringLiteral("inputFrame"))
                     ->palette()
                     .color(QPalette::Window),
                 QColor(255, 9, 0));
        h.interpreter.interpret(QStringLiteral("cls"));
        QVERIFY(console.output()->toPlainText().isEmpty());

        DebugWindow debug(h.interpreter, h.platform);
        QVERIFY(debug.log()->toPlainText().startsWith(QStringLiteral("\nWarp 07\necho Warp Set")));
        debug.show();
        QScrollBar* bar = debug.log()->verticalScrollBar();
        for (int i = 0; i < 100; ++i)
            h.interpreter.interpret(QStringLiteral("// more"));
        QTRY_VERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
        bar->setValue(1);
        h.interpreter.interpret(QStringLiteral("// one more"));
        QCOMPARE(bar->value(), 1);
        QVERIFY(debug.log()->toPlainText().endsWith(QStringLiteral("\n// one more")));
        click(debug, "cmdHide");
        QVERIFY(!debug.isVisible());
        click(debug, "cmdQuit");
        QCOMPARE(h.platform.quitCount, 1);
        QVERIFY(!QFile::exists(h.file("config.brv"))); // Quit saves nothing
    }

    void theEditorKeepsEveryByteAndEveryLineEnd() {
        Host h;
        h.settings.setText(Text::doomDirectory, h.dir.path());
        QPointer<EditWindow> editor = new EditWindow(h.settings, h.platform);
        const qsizetype row = EditWindow::kRowLength;
        QByteArray mixed("bind \"x\"\r\nalias a b\nloose cr\rnul");
        mixed += QByteArray(1, '\0') + "tab\t\xe9\xff\r\n\n\rlast";
        const QByteArray files[] = {mixed, QByteArray(), "\r\r\n\n\n\r",
                                    QByteArray(2 * row + 5, 'x') + "\nshort\r" +
                                        QByteArray(row + 1, '\xe9') + "\r\n" +
                                        QByteArray(row, 'z')};
        for (const QByteArray& original : files) {
            writeBytes(h.file("game.cfg"), original);
            h.platform.dialogAnswers = {h.file("game.cfg"), h.file("game.cfg")};
            editor->openAction()->trigger();
            editor->saveAction()->trigger();
            QCOMPARE(readBytes(h.file("game.cfg")), original + "\r\n");
            QCOMPARE(editorBytesForSave(editor->document()), original + "\r\n");
        }
        QCOMPARE(h.platform.dialogs[0].request.initialDirectory, h.dir.path());
        QCOMPARE(h.platform.dialogs[0].request.filter,
                 QStringLiteral("Doom Legacy Config File|*.cfg|Brimvault Config File|*.brv|"
                                "Brimvault HX8 Parameter File|*.hx8"));
        QCOMPARE(h.platform.dialogs[1].kind, FileDialogKind::Save);
        // Lines typed take the file's first line end; a character beyond Latin-1 is "?".
        QVERIFY(editor->openFile(h.file("game.cfg")));
        writeBytes(h.file("unix.cfg"), "one\ntwo\n");
        QVERIFY(editor->openFile(h.file("unix.cfg")));
        editor->show();
        QTextCursor cursor(editor->textBox()->document()->firstBlock());
        cursor.movePosition(QTextCursor::EndOfBlock);
        editor->textBox()->setTextCursor(cursor);
        QTest::keyClick(editor->textBox(), Qt::Key_Return);
        QTest::keyClicks(editor->textBox(), QStringLiteral("new"));
        editor->textBox()->insertPlainText(QStringLiteral("\u20ac"));
        QCOMPARE(editor->bytesForSave(), QByteArray("one\nnew?\ntwo\n\r\n"));
        // Failures are reported and keep the document.
        makeFifo(h.file("pipe.cfg"));
        for (const char* name : {"missing.cfg", "pipe.cfg"}) {
            QVERIFY(!editor->openFile(h.file(name)));
            QVERIFY(h.lastMessage().startsWith("Could not open the file \"" + h.file(name)));
        }
        QVERIFY(!editor->saveFile(h.file("no/x.cfg")));
        QCOMPARE(h.lastMessage(), "Could not save the file \"" + h.file("no/x.cfg") +
                                      "\": No such file or directory");
        QCOMPARE(editor->bytesForSave(), QByteArray("one\nnew?\ntwo\n\r\n"));
        // New asks only when there is text; Close unloads the window.
        h.platform.yesNoAnswers = {false, true};
        editor->newAction()->trigger();
        QCOMPARE(editor->bytesForSave(), QByteArray("one\nnew?\ntwo\n\r\n"));
        editor->newAction()->trigger();
        QCOMPARE(editor->bytesForSave(), QByteArray("\r\n"));
        editor->newAction()->trigger();
        QCOMPARE(h.platform.questions, std::vector<QString>(2, "Create new document?"));
        editor->closeAction()->trigger();
        QTRY_VERIFY(editor.isNull());
    }

    // A line longer than a row shows in rows, and only a line end typed in it is saved.
    void aLongLineInRowsTakesLineEndsOnlyWhereTyped() {
        Host h;
        EditWindow editor(h.settings, h.platform);
        const qsizetype row = EditWindow::kRowLength;
        const QByteArray a(row, 'a'), b(row, 'b'), c(500, 'c');
        const QByteArray original = a + b + c + "\nend\r\n";
        writeBytes(h.file("long.cfg"), a + b + c + "\nend");
        QVERIFY(editor.openFile(h.file("long.cfg")));
        editor.show();
        QCOMPARE(editor.textBox()->document()->blockCount(), 4);
        const auto press = [&editor](int block, int column, Qt::Key key) {
            QTextCursor cursor(editor.textBox()->document()->findBlockByNumber(block));
            cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
            editor.textBox()->setTextCursor(cursor);
            QTest::keyClick(editor.textBox(), key);
        };
        press(1, 10, Qt::Key_Return);
        const QByteArray split = a + b.left(10) + "\n" + b.mid(10) + c + "\nend\r\n";
        QCOMPARE(editor.bytesForSave(), split);
        editor.textBox()->undo();
        QCOMPARE(editor.bytesForSave(), original);
        editor.textBox()->redo();
        press(1, 0, Qt::Key_Backspace);
        QCOMPARE(editor.bytesForSave(), split);
        editor.textBox()->undo();
        editor.textBox()->undo();
        press(2, 0, Qt::Key_Backspace);
        QCOMPARE(editor.textBox()->document()->blockCount(), 3);
        QCOMPARE(editor.bytesForSave(), original);
    }

    void theAboutWindowWritesItsThreeLinesOneCharacterATick() {
        const QString text = AboutWindow::aboutText();
        QCOMPARE(text.split(QChar(13)).size(), 3);
        QVERIFY(text.startsWith(QStringLiteral("Brimvault 1.2 Beta\r")));
        QPointer<AboutWindow> window = new AboutWindow;
        QCOMPARE(window->typewriter()->interval(), 1);
        QVERIFY(window->typewriter()->isActive());
        QMetaObject::invokeMethod(window->typewriter(), "timeout"); // the first shows nothing
        QVERIFY(window->writtenText().isEmpty());
        for (int n = 1; n <= text.size() + 3; ++n) {
            QMetaObject::invokeMethod(window->typewriter(), "timeout");
            QCOMPARE(window->writtenText(), text.left(n));
        }
        QCOMPARE(window->writingLabel()->text(), QString(text).replace(QChar(13), QChar(10)));
        window->show();
        window->okButton()->click();
        QTRY_VERIFY(window.isNull());
    }
};

QTEST_MAIN(WindowsTest)
#include "WindowsTest.moc"
