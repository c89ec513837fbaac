// Start-up and whole flows down to the files and the per-user store, then the side windows.
#include "AppFixture.h"

#include "ui/EditorText.h"
#include "ui/ShownText.h"
#include "ui/main/FileListBox.h"

namespace {

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

} // namespace

class AppTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { QTest::failOnWarning(kQtWarning); }

    // Only "-nosetup" or a Firstrun other than "yes" skips the wizard; colour.brc not a file is 0.
    void startupShowsTheWizardOnAFirstRunAndTakesTheColours_data() {
        QTest::addColumn<QStringList>("row"); // arguments|Firstrun (- none)|wizard|colour.brc
        for (const char* row :
             {"|-|1|missing", "-nosetup|yes|0|folder", "-NOSETUP|-|1|pipe", "-nosetup x|-|1|file",
              "|yes|1|file", "|Yes|0|file", "|yes |0|file"})
            QTest::newRow(row) << list(row);
    }
    void startupShowsTheWizardOnAFirstRunAndTakesTheColours() {
        QFETCH(QStringList, row);
        App a(row[0].toLatin1().constData());
        if (row[1] != "-"_L1)
            a.platform.store.insert({u"Misc"_s, u"Firstrun"_s}, row[1]);
        if (row[3] == "folder"_L1)
            QDir(a.dir.path()).mkdir(u"colour.brc"_s);
        else if (row[3] == "pipe"_L1)
            makeFifo(a.file("colour.brc"));
        else if (row[3] == "file"_L1)
            writeBytes(a.file("colour.brc"), "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n");
        for (const char* window : {"options", "about", "edit", "debug"}) // the wizard stands alone
            a.interpreter.interpret(QLatin1String(window));
        writeBytes(a.file("main.brv"), "show 1\r\noptions\r\n"); // and one the script opens
        a.console(); // built before the start, it still takes the colours read then
        Seen seen;
        qApp->installEventFilter(&seen);
        runStartup(a.windows);
        qApp->removeEventFilter(&seen);
        const bool wizard = row[2] == "1"_L1;
        QCOMPARE(seen.windows.contains(u"frmSetup"_s), wizard); // above the other windows
        QVERIFY(a.console().pos() == MainWindow::consoleDockPoint(a.main()) && // placed at load,
                a.console().windowTitle() == "Brimvault [Console]"_L1);        // floating
        QTRY_COMPARE(a.windows.setupIfCreated() && a.windows.setup().isActiveWindow(), wizard);
        QVERIFY(a.main().isVisible() != wizard && a.console().isVisible() != wizard);
        QVERIFY(a.platform.messages.empty() && a.windows.options().isVisible() != wizard &&
                !a.windows.debug().isVisible());
        QVERIFY(!wizard || (!a.windows.about().isVisible() && !a.windows.edit().isVisible()));
        const bool file = row[3] == "file"_L1;
        QCOMPARE(a.consoleColour(QPalette::Base), file ? QColor(1, 2, 3) : QColor(0, 0, 0));
        // Before Finish, Escape or the close box ends the program without storing anything.
        if (wizard && file)
            a.windows.setup().close();
        else if (wizard)
            QTest::keyClick(&a.windows.setup(), Qt::Key_Escape);
        QVERIFY(a.platform.quitCount == int(wizard) && a.platform.storeWrites.empty());
    }

    // Delivered files start cleanly; a typed command and the places outlive exit, restored first.
    void aFirstStartAnExitAndTheNextStart() {
        QTemporaryDir dir;
        for (const char* name : {"main.brv", "config.brv", "colour.brc"})
            QVERIFY(writeBytes(pathIn(dir, QLatin1String(name)),
                               readBytes(QStringLiteral(BRIMVAULT_DELIVERED "/") + name)));
        RealStore host;
        QPoint consoleAt;
        {
            App a("", &host, dir.path());
            runStartup(a.windows);
            // The wizard asks for the Doom directory; Finish takes it and starts the program.
            SetupWizard& wizard = a.windows.setup();
            QVERIFY(wizard.minimumSize() == wizard.maximumSize()); // not to be resized
            QTest::keyClick(&wizard, Qt::Key_Return);
            QCOMPARE(wizard.focusWidget(), wizard.directoryBox()); // ready for the directory
            host.dialogAnswers = {u"/g/x.wad"_s, u"/g/Doom3.exe"_s, pathIn(dir, u"Doombot.exe"_s)};
            a.windows.showOptionsWindow(); // a window opened before Finish goes with the wizard
            for (int i = 0; i < 2; ++i) // first a file that no engine is: refused, with a warning
                click(wizard, "cmdBrowse");
            QCOMPARE(wizard.directoryBox()->text() + host.dialogs[0].request.filter,
                     u"/gDoom3.exe|Doom3.exe|Doombot.exe|Doombot.exe"_s);
            QTest::keyClick(child(wizard, "cmdBrowse"), Qt::Key_Return);    // presses it, not Next
            QCOMPARE(a.settings.text(Text::doomDirectory), u"c:\\doom2"_s); // not yet
            QTest::keyClick(wizard.directoryBox(), Qt::Key_Enter, Qt::KeypadModifier);
            QCOMPARE(a.settings.text(Text::doomDirectory), dir.path());
            QVERIFY(a.main().isVisible() && a.console().isVisible() && host.messages.size() == 1);
            QVERIFY(!a.windows.options().isVisible() && a.main().isEnabled());
            QTest::keyClick(&wizard, Qt::Key_Escape); // after Finish only hidden, nothing ended
            wizard.show();
            wizard.close(); // nor by its close box
            QVERIFY(!wizard.isVisible() && host.quitCount == 0);
            QCOMPARE( // the console built after the script shows what it said
                a.console().output()->toPlainText(),
                u"\nexec main.brv\nshow 1\nLoading Main Dialog\nexec config.brv"_s.repeated(2));
            a.console().input()->setText(u"warp 11"_s);
            QTest::keyClick(a.console().input(), Qt::Key_Return);
            a.colours.setValue(ConsoleOptions::backgroundGreen, 77);
            a.main().move(-30, 40); // partly off the screen, and kept so
            a.console().move(300, 420);
            consoleAt = a.console().pos();
            a.main().setConsoleShown(false);
            a.main().close();
            QCOMPARE(host.quitCount, 1);
        }
        QVERIFY(readBytes(pathIn(dir, u"config.brv"_s)).contains("warp 11\r\n"));
        App again("", &host, dir.path());
        Seen seen; // its first picture shows what config.brv restored
        qApp->installEventFilter(&seen);
        runStartup(again.windows);
        QTRY_COMPARE(seen.painted.filter(QRegularExpression("^txtWarp=")).value(0), "txtWarp=11");
        // Neither the first picture nor the panes it did not show read an image file: working
        // out an image's format would have loaded every image format plugin.
        again.main().buildOtherPanes();
        QCOMPARE(child<FileListBox>(again.main(), "fileDemo")->folder() + '|' +
                     child<FileListBox>(again.main(), "fileExecCfg")->folder(),
                 dir.path() + '|' + dir.path()); // the pickers' folder: the Doom directory
        QVERIFY(!readBytes(u"/proc/self/maps"_s).contains("/imageformats/"));
        QVERIFY(!again.windows.setupIfCreated() && !again.console().isVisible() &&
                host.storeValue(u"Misc"_s, u"Firstrun"_s, {}) == "no"_L1);
        QVERIFY(again.main().x() < 0 && again.main().y() == 40 && // offscreen adds 2 to x
                again.console().pos() == consoleAt &&
                again.colours.value(ConsoleOptions::backgroundGreen) == 77);
    }

    // The console and the side windows; colours set by bar or by a theme, which OK applies.
    void theConsoleItsColoursAndTheSideWindows() {
        App a("-nosetup");
        runStartup(a.windows);
        ConsoleWindow& console = a.console();
        QTRY_VERIFY(!console.scrollTimer()->isActive()); // one scroll to the end, not a stream
        console.output()->setFocus(); // keys typed here go to the input line; foreign text shows
        QTest::keyClicks(console.output(), u"echo \u00a0"_s); // a no-break space, kept
        typeEuro(console.output());
        QTest::keyClick(console.output(), Qt::Key_Return);
        QTest::keyClicks(console.input(), u"name half"_s);
        QTest::keyClick(console.output(), Qt::Key_Left); // a cursor key stays with the output
        QCOMPARE(console.input()->cursorPosition(), 9);
        const QString output = console.output()->document()->toRawText();
        QVERIFY(output.endsWith(u"\u2029\u00a0\u20ac"_s) &&
                console.focusWidget() == console.input());
        a.interpreter.interpret(u"options"_s);
        OptionsWindow& options = a.windows.options();
        QVERIFY(options.isVisible() && !a.main().isEnabled());
        QTest::keyClick(options.colourBar(ConsoleOptions::backgroundBlue), Qt::Key_PageDown);
        options.colourBar(ConsoleOptions::backgroundBlue)
            ->triggerAction(QScrollBar::SliderSingleStepAdd); // its arrow
        QCOMPARE(a.colours.value(ConsoleOptions::backgroundBlue), 17);
        QTest::keyClick(options.colourBar(ConsoleOptions::backgroundRed), Qt::Key_End); // to 255
        const QPoint inPreview = options.backgroundPreview()->mapTo(&options, QPoint(9, 9));
        QCOMPARE(options.grab().toImage().pixelColor(inPreview), QColor(255, 0, 17));
        // Browse takes the folder of Doom3.exe or Doombot.bat, the root too, and no other file's.
        a.platform.dialogAnswers = {"/Doom3.exe", "/g/MyDoom3.exe", "/g/Doombot.bat"};
        for (const char* folder : {"/", "/", "/g"}) {
            click(options, "cmdBrowse");
            QCOMPARE(a.settings.text(Text::doomDirectory), QLatin1String(folder));
        }
        QCOMPARE(a.platform.dialogs.back().request.filter,
                 "Doom3.exe|Doom3.exe|Doombot.bat|Doombot.bat");
        QVERIFY(a.platform.messages.size() == 1 && !a.platform.messages[0].informationIcon);
        const std::array<int, 6> theme{1, 2, 3, 4, 5, 255};
        for (int i = 0; i < 6; ++i)
            options.colourBar(i)->setValue(theme[size_t(i)]);
        a.platform.dialogAnswers = {a.file("mine.brc"), a.file("mine.brc")};
        click(options, "cmdSaveTheme");
        for (int i = 0; i < 6; ++i)
            a.colours.setValue(i, 200);
        QCOMPARE(options.colourBar(ConsoleOptions::textBlue)->value(), 200); // the bars follow
        click(options, "cmdTheme");
        QCOMPARE(a.colours.values(), theme);
        QCOMPARE(a.platform.dialogs.back().request.filter, "Colour Themes|*.brc");
        makeFifo(a.file("pipe.brc"));
        QDir(a.dir.path()).mkdir(u"dir.brc"_s);
        writeBytes(a.file("short.brc"), "10\r\n20\r\n30\r\n");
        writeBytes(a.file("bad.brc"), " 1 \r\n 2 \r\n 3 \r\n 4 \r\n 256 \r\n"); // its last line
        for (const char* row :
             {"short.brc|The colour theme %1 was not loaded: line 4 is missing.",
              "bad.brc|The colour theme %1 was not loaded: line 5 is not a number from 0 to 255.",
              "pipe.brc|Could not open the colour theme %1: it is a device or a pipe, not a file",
              "dir.brc|Could not open the colour theme %1: file to open is a directory",
              "pipe.brc|Could not save the colour theme %1: it is a device or a pipe, not a "
              "file"}) {
            const QString path = pathIn(a.dir, list(row)[0]);
            a.platform.dialogAnswers = {path};
            click(options, list(row)[1].contains("save") ? "cmdSaveTheme" : "cmdTheme");
            QCOMPARE(a.platform.messages.back().text, list(row)[1].arg(path));
            QVERIFY(!a.platform.messages.back().informationIcon);
        }
        QCOMPARE(a.colours.values(), theme);
        QCOMPARE(a.consoleColour(QPalette::Base), QColor(0, 0, 0)); // waits for OK
        console.hide(); // OK shows it again, as the player's setting says
        click(options, "cmdOk");
        QVERIFY(!options.isVisible() && a.main().isEnabled() && console.isVisible() &&
                console.output()->textCursor().atEnd());
        a.main().buildOtherPanes(); // should the first picture not have come yet
        QCOMPARE(child<FileListBox>(a.main(), "fileDemo")->folder(), "/g"); // the Doom directory's
        QCOMPARE(console.output()->palette().color(QPalette::Base), QColor(1, 2, 3));
        QCOMPARE(a.consoleColour(QPalette::Text), QColor(4, 5, 255));
        QCOMPARE(console.output()->document()->toRawText() + console.input()->text(),
                 output + "name half");
        // The input line sits in a frame of the text colour, one pixel wide.
        auto* frame = console.findChild<QWidget*>(u"inputFrame"_s);
        QCOMPARE(console.grab().toImage().pixelColor(frame->pos()), QColor(4, 5, 255));
        QCOMPARE(console.input()->geometry(), frame->rect().adjusted(1, 1, -1, -1));
        const QRect above = console.output()->geometry(); // the output fills the rest, edge to edge
        QVERIFY(above.top() == 0 && above.width() == console.width() &&
                above.bottom() + 1 == frame->y());
        // The close box applies too, and a console the player put away stays away.
        console.close();
        a.windows.showOptionsWindow();
        options.close();
        QVERIFY(a.main().isEnabled() && !console.isVisible() && !a.main().consoleShown());

        for (const char* command : {"edit", "about", "debug", "show 0", "cls", "zun_font 14"})
            a.interpreter.interpret(QLatin1String(command));
        QVERIFY(a.windows.edit().isVisible() && a.windows.about().isVisible());
        QVERIFY(a.windows.debug().isVisible() && !a.main().isVisible() &&
                console.output()->toPlainText().isEmpty()); // the font size taken without a word
        QPointer<QWidget> about = &a.windows.about(), edit = &a.windows.edit(); // closed, unloaded
        QTest::keyClick(child(*about, "cmdOk"), Qt::Key_Return); // OK is About's default button
        edit->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(about.isNull() && edit.isNull()); // the next About types its text anew
        QCOMPARE(console.output()->font().pointSizeF(), 14.0);
        QCOMPARE(console.output()->font().family(), console.input()->font().family()); // fixed
        // A line too long to lay out is shown cut, with what is left out.
        QCOMPARE(shownText(QString(16385, 'x') + "\na"),
                 QString(16000, 'x') + " [... 385 more characters not shown]\na");
        console.show(); // and the console follows its replies, its caret moved to the end
        console.output()->selectAll();
        a.interpreter.interpret(u"echo "_s + QString(20000, QLatin1Char('x')));
        QVERIFY(
            console.output()->toPlainText().endsWith(u"x [... 4000 more characters not shown]"_s));
        const QScrollBar* follows = console.output()->verticalScrollBar();
        QVERIFY(follows->maximum() > 0 && follows->value() == follows->maximum() &&
                !console.output()->textCursor().hasSelection()); // the caret moved there
        ConsoleWindow fresh(a.interpreter, a.colours);           // one built now opens at the end
        fresh.show();
        const QScrollBar* opens = fresh.output()->verticalScrollBar();
        QTRY_VERIFY(opens->maximum() > 0 && opens->value() == opens->maximum());
        console.hide();
        DebugWindow& debug = a.windows.debug();
        QVERIFY(debug.log()->toPlainText().endsWith(u"x [... 4005 more characters not shown]"_s));
        QScrollBar* bar = debug.log()->verticalScrollBar(); // follows, unless scrolled up
        QVERIFY(bar->maximum() > 0 && bar->value() == bar->maximum());
        bar->setValue(0);
        a.interpreter.interpret(u"echo"_s);
        QCOMPARE(bar->value(), 0);
        click(debug, "cmdHide");
        a.interpreter.interpret(u"about"_s); // closing the last window shown ends nothing
        QCOMPARE(QApplication::applicationName(), u"Brimvault"_s); // the windows' class on X
        const auto later = [](auto f) { QMetaObject::invokeMethod(qApp, f, Qt::QueuedConnection); };
        later([&a] { a.windows.about().close(); }); // Qt would ask to quit two turns later
        later([later] { later([later] { later([] { QApplication::exit(7); }); }); });
        QCOMPARE(QApplication::exec(), 7);
        click(debug, "cmdQuit");
        QVERIFY(!debug.isVisible() && a.platform.quitCount == 1 &&
                !QFile::exists(a.file("config.brv")));
    }

    void theEditorKeepsEveryByteAndEveryLineEnd() {
        App a;
        auto editor = std::make_unique<EditWindow>(a.settings, a.platform);
        QPlainTextEdit* box = editor->textBox();
        QCOMPARE(box->fontMetrics().horizontalAdvance('i'),
                 box->fontMetrics().horizontalAdvance('M')); // columns line up
        const QByteArray row(EditWindow::kRowLength, 'r');
        for (const QByteArray& original :
             {QByteArrayLiteral(
                  "bind \"x\"\nalias a b\r\nloose cr\rnul\0tab\t\xe9\xff\r\n\n\rlast"),
              QByteArray(), QByteArray("\r\r\n\n\n\r"), row + row + "xy\nshort\r" + row}) {
            writeBytes(a.file("game.cfg"), original);
            a.platform.dialogAnswers = {a.file("game.cfg"), a.file("game.cfg")};
            editor->openAction()->trigger();
            editor->saveAction()->trigger();
            QCOMPARE(readBytes(a.file("game.cfg")), original + "\r\n");
            const FakePlatform::Dialog& asked = a.platform.dialogs.back(); // in the Doom directory
            QCOMPARE(asked.request.initialDirectory + asked.request.filter,
                     u"c:\\doom2"_s + EditWindow::kFilter);
            QVERIFY(asked.kind == FileDialogKind::Save && asked.request.flags == kHideReadOnly &&
                    a.platform.dialogs.end()[-2].kind == FileDialogKind::Open); // Open opens
            QCOMPARE(editorBytesForSave(editor->document()), original + "\r\n");
            editor->setDocument(editorTextFromBytes(original));
            QCOMPARE(editor->bytesForSave(), original + "\r\n");
        }
        editor->show();
        const auto press = [box](int block, int column, QKeyCombination key) {
            QTextCursor cursor(box->document()->findBlockByNumber(block));
            cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
            box->setTextCursor(cursor);
            if (key.key() != Qt::Key_unknown)
                QTest::keyClick(box, key.key(), key.keyboardModifiers());
        };
        // A long line shows in rows, saved whole whatever its end and the edit at a join, through
        // undo and redo: "at" and "put" say what the edit does to it ("\n": the file's line end).
        QByteArray line;
        for (int i = 0; i < 25000; ++i)
            line += char('a' + i % 23);
        const struct {
            int length;
            const char* end;
            int block, column;
            QKeyCombination key;
            int at, removed;
            const char* put;
        } rows[] = {
            {10000, "\r\n", 0, 0, Qt::Key_unknown, 0, 0, ""},
            {25000, "\r\n", 0, 0, Qt::Key_unknown, 0, 0, ""}, // nothing to undo
            {10001, "\n", 1, 0, Qt::Key_Backspace, 0, 0, ""},
            {10001, "\r", 0, 10000, Qt::Key_Delete, 0, 0, ""},
            {25000, "\r\n", 1, 0, Qt::Key_X, 10000, 0, "x"},
            {25000, "\n", 2, 0, Qt::Key_Return, 20000, 0, "\n"},
            {25000, "\r", 1, 5, Qt::Key_Return, 10005, 0, "\n"},
            {10001, "\r\n", 1, 1, Qt::Key_Backspace, 10000, 1, ""},
            {25000, "\n", 1, 5, Qt::CTRL | Qt::Key_V, 10005, 0, "\n\n"}, // two lines pasted
        };
        QGuiApplication::clipboard()->setText(u"\n\n"_s);
        for (const auto& r : rows) {
            const QByteArray text = line.left(r.length), end(r.end);
            const QByteArray rest = end + "b" + end + text + "\r\n";
            writeBytes(a.file("long.cfg"), text + end + "b" + end + text);
            QVERIFY(editor->openFile(a.file("long.cfg")) && box->textCursor().atStart());
            const QString opened = box->toPlainText(); // and shown again after an undo
            QCOMPARE(opened.count('\n'), (r.length - 1) / EditWindow::kRowLength * 2 + 2); // rows
            press(r.block, r.column, r.key);
            QByteArray first = text;
            first.replace(r.at, r.removed, QByteArray(r.put).replace("\n", end));
            QVERIFY(editor->saveFile(a.file("saved.cfg")));
            QCOMPARE(readBytes(a.file("saved.cfg")), first + rest);
            box->undo();
            QCOMPARE(editor->bytesForSave() + box->toPlainText().toLatin1(),
                     text + rest + opened.toLatin1());
            box->redo();
            QCOMPARE(editor->bytesForSave(), first + rest);
        }
        // Lines typed take the file's first line end; a typed euro shows, and is saved as "?".
        writeBytes(a.file("unix.cfg"), "one\ntwo\r\n");
        QVERIFY(editor->openFile(a.file("unix.cfg")));
        press(0, 3, Qt::Key_Return);
        typeEuro(box);
        const QString typedText = u"\u0100\U0001F600"_s + QChar(0xdc00); // a pair, a lone half
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, typedText, {});
        QTest::keyClick(box, Qt::Key_Return, Qt::ShiftModifier); // a line break in the line
        QCOMPARE(box->toPlainText(), "one\n\u20ac" + typedText + "\n\ntwo\n");
        const QByteArray typed("one\n????\n\ntwo\r\n\r\n"); // one "?" for a pair, one for a half
        QCOMPARE(editor->bytesForSave() + editorBytesForSave(editor->document()), typed + typed);
        // A pipe (a device takes the same way), a folder or a file that cannot be read is
        // refused and the document kept.
        makeFifo(a.file("pipe.cfg"));
        const QString device = u"\": it is a device or a pipe, not a file"_s;
        for (const auto& [path, why] : {std::pair{a.file("pipe.cfg"), device},
                                        {a.dir.path(), u"\": file to open is a directory"_s},
                                        {u"/proc/self/mem"_s, "\": " + qt_error_string(EIO)}}) {
            QVERIFY(!editor->openFile(path) && !a.platform.messages.back().informationIcon);
            QCOMPARE(a.platform.messages.back().text, "Could not open the file \"" + path + why);
        }
        QVERIFY(!editor->saveFile(a.file("pipe.cfg/x"))); // and says so, as a warning
        const FakePlatform::Message& said = a.platform.messages.back();
        QVERIFY(said.text.startsWith("Could not save the file \""_L1) && !said.informationIcon);
        QCOMPARE(editor->bytesForSave(), typed);
        a.platform.yesNoAnswers = {false}; // New asks only when there is text
        editor->newAction()->trigger();
        QCOMPARE(editor->bytesForSave(), typed);
        editor->newAction()->trigger();
        editor->newAction()->trigger(); // empty: not asked
        QCOMPARE(a.platform.questions, list("Create new document?|Create new document?"));
        QTest::keyClick(box, Qt::Key_Return); // a new document's lines end in CR LF
        QCOMPARE(editor->bytesForSave(), QByteArray("\r\n\r\n"));
    }
};

int main(int argc, char* argv[]) {
    // The per-user store of this test lives and dies with it.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("FONTCONFIG_FILE", BRIMVAULT_FONTS); // the places in the window table hold
    QApplication app(argc, argv);
    setUpApplication();
    AppTest test;
    return QTest::qExec(&test, argc, argv) | runWindowTests(argc, argv);
}

#include "AppTest.moc"
