#include "support/FakePlatform.h"
#include "support/TempDir.h"

#include "settings/LaunchSettings.h"
#include "ui/EditWindow.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

using namespace bv;

namespace {

// Every line end the editor has to keep, a NUL, tabs and the whole upper half of Latin-1.
QByteArray mixedBytes() {
    QByteArray bytes("bind \"x\" \"say hi\"\r\nalias a b\nloose cr\rnul");
    bytes.append('\0');
    bytes.append("after\tthe\ttabs\r\n");
    for (int b = 0x80; b <= 0xFF; ++b)
        bytes.append(static_cast<char>(b));
    bytes.append("\r\n\n\rlast line without an end");
    return bytes;
}

} // namespace

class EditWindowTest : public QObject {
    Q_OBJECT

    struct World {
        QTemporaryDir dir;
        test::FakePlatform platform;
        LaunchSettings settings;
        QPointer<EditWindow> window;
        World() {
            settings.setText(Text::doomDirectory, dir.path());
            window = new EditWindow(settings, platform);
        }
        ~World() { delete window.data(); }
        QString path(const QString& name) const { return test::pathIn(dir, name); }
        QPlainTextEdit* box() const { return window->textBox(); }
    };

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void newAsksOnlyWhenThereIsText() {
        World w;
        w.window->newAction()->trigger();
        QVERIFY(w.platform.questions.empty());
        QVERIFY(w.box()->toPlainText().isEmpty());

        w.box()->setPlainText(QStringLiteral("keep this"));
        w.platform.yesNoAnswers = {false};
        w.window->newAction()->trigger();
        QCOMPARE(w.platform.questions.size(), size_t(1));
        QCOMPARE(w.platform.questions.front(), QStringLiteral("Create new document?"));
        QCOMPARE(w.box()->toPlainText(), QStringLiteral("keep this"));

        w.platform.yesNoAnswers = {true};
        w.window->newAction()->trigger();
        QCOMPARE(w.platform.questions.size(), size_t(2));
        QVERIFY(w.box()->toPlainText().isEmpty());
        // A new document is saved as a lone CR LF.
        QCOMPARE(w.window->bytesForSave(), QByteArray("\r\n"));
    }

    void dialogsStartInTheDoomDirectoryAndCancelChangesNothing() {
        World w;
        w.box()->setPlainText(QStringLiteral("untouched"));
        w.window->openAction()->trigger();
        w.window->saveAction()->trigger();

        QCOMPARE(w.platform.dialogs.size(), size_t(2));
        QCOMPARE(w.platform.dialogs[0].kind, FileDialogKind::Open);
        QCOMPARE(w.platform.dialogs[1].kind, FileDialogKind::Save);
        for (const auto& dialog : w.platform.dialogs) {
            QCOMPARE(dialog.request.initialDirectory, w.dir.path());
            QCOMPARE(dialog.request.flags, kHideReadOnly);
            QVERIFY(dialog.request.fileName.isEmpty());
            QCOMPARE(dialog.request.filter,
                     QStringLiteral("Doom Legacy Config File|*.cfg|Brimvault Config File|*.brv|"
                                    "Brimvault HX8 Parameter File|*.hx8"));
        }
        QCOMPARE(w.box()->toPlainText(), QStringLiteral("untouched"));
        QVERIFY(w.platform.messages.empty());
        QCOMPARE(QDir(w.dir.path()).entryList(QDir::Files), QStringList());

        // The directory is read when the dialog opens, not when the window was made.
        w.settings.setText(Text::doomDirectory, QStringLiteral("c:\\doom2"));
        w.window->openAction()->trigger();
        QCOMPARE(w.platform.dialogs.back().request.initialDirectory, QStringLiteral("c:\\doom2"));
    }

    void openThenSaveGrowsByOneCrLf_data() {
        QTest::addColumn<QByteArray>("original");
        QTest::newRow("three CR LF lines") << QByteArray("warp 01\r\nskill 4\r\nmonsters 1\r\n");
        QTest::newRow("mixed ends, NUL, tabs, high bytes") << mixedBytes();
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("only line ends") << QByteArray("\r\r\n\n\n\r");
        const qsizetype row = EditWindow::kRowLength;
        QTest::newRow("lines longer than a row") << QByteArray(2 * row + 5, 'x') + "\nshort\r" +
                                                        QByteArray(row + 1, '\xe9') + "\r\n" +
                                                        QByteArray(row, 'z');
    }
    void openThenSaveGrowsByOneCrLf() {
        QFETCH(QByteArray, original);
        World w;
        const QString file = w.path(QStringLiteral("game.cfg"));
        QVERIFY(test::writeBytes(file, original));

        w.platform.dialogAnswers = {file, file};
        w.window->openAction()->trigger();
        w.window->saveAction()->trigger();
        QVERIFY(w.platform.messages.empty());
        QCOMPARE(test::readBytes(file), original + "\r\n");
        // The document as the editor reports it saves alike, and goes back in unchanged.
        const EditorText text = w.window->document();
        QCOMPARE(editorBytesForSave(text), original + "\r\n");
        w.window->setDocument(text);
        QCOMPARE(w.window->bytesForSave(), original + "\r\n");

        // Each further open and save adds one more.
        w.platform.dialogAnswers = {file, file};
        w.window->openAction()->trigger();
        w.window->saveAction()->trigger();
        QCOMPARE(test::readBytes(file), original + "\r\n\r\n");
    }

    void openShowsEveryByteAsItsCharacter() {
        World w;
        const QString file = w.path(QStringLiteral("mixed.brv"));
        QVERIFY(test::writeBytes(file, mixedBytes()));
        QVERIFY(w.window->openFile(file));

        const QTextDocument* doc = w.box()->document();
        QCOMPARE(doc->blockCount(), 8);
        QCOMPARE(doc->findBlockByNumber(0).text(), QStringLiteral("bind \"x\" \"say hi\""));
        QCOMPARE(doc->findBlockByNumber(2).text(), QStringLiteral("loose cr"));
        QCOMPARE(doc->findBlockByNumber(3).text(),
                 QStringLiteral("nul") + QChar(0) + QStringLiteral("after\tthe\ttabs"));
        const QString high = doc->findBlockByNumber(4).text();
        QCOMPARE(high.size(), 128);
        QCOMPARE(high.front(), QChar(0x80));
        QCOMPARE(high.back(), QChar(0xFF));
        QCOMPARE(doc->lastBlock().text(), QStringLiteral("last line without an end"));
    }

    void editedLinesTakeTheFilesUsualEnd() {
        World w;
        const QString file = w.path(QStringLiteral("unix.cfg"));
        QVERIFY(test::writeBytes(file, "one\ntwo\n"));
        QVERIFY(w.window->openFile(file));
        w.window->show();

        QTextCursor cursor(w.box()->document()->firstBlock());
        cursor.movePosition(QTextCursor::EndOfBlock);
        w.box()->setTextCursor(cursor);
        QTest::keyClick(w.box(), Qt::Key_Return);
        QTest::keyClicks(w.box(), QStringLiteral("new"));
        QTest::keyClick(w.box(), Qt::Key_Return, Qt::ShiftModifier);
        w.box()->insertPlainText(QStringLiteral("\u20ac5"));
        QCOMPARE(w.window->bytesForSave(), QByteArray("one\nnew\n?5\ntwo\n\r\n"));
    }

    void aLongLineInRowsTakesLineEndsOnlyWhereTyped() {
        World w;
        const QString file = w.path(QStringLiteral("long.cfg"));
        const qsizetype row = EditWindow::kRowLength;
        const QByteArray a(row, 'a'), b(row, 'b'), c(500, 'c');
        const QByteArray original = a + b + c + "\nend\r\n";
        QVERIFY(test::writeBytes(file, a + b + c + "\nend"));
        QVERIFY(w.window->openFile(file));
        w.window->show();
        QCOMPARE(w.box()->document()->blockCount(), 4);
        const auto press = [&w](int block, int column, Qt::Key key) {
            QTextCursor cursor(w.box()->document()->findBlockByNumber(block));
            cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
            w.box()->setTextCursor(cursor);
            QTest::keyClick(w.box(), key);
        };

        press(1, 10, Qt::Key_Return);
        const QByteArray split = a + b.left(10) + "\n" + b.mid(10) + c + "\nend\r\n";
        QCOMPARE(w.window->bytesForSave(), split);
        w.box()->undo();
        QCOMPARE(w.window->bytesForSave(), original);
        w.box()->redo();
        QCOMPARE(w.window->bytesForSave(), split);
        // Joining rows writes nothing new: not at the break typed before, nor on undo.
        press(1, 0, Qt::Key_Backspace);
        QCOMPARE(w.window->bytesForSave(), split);
        w.box()->undo();
        w.box()->undo();
        QCOMPARE(w.window->bytesForSave(), original);
        press(2, 0, Qt::Key_Backspace);
        QCOMPARE(w.box()->document()->blockCount(), 3);
        QCOMPARE(w.window->bytesForSave(), original);
        w.box()->undo();
        QCOMPARE(w.box()->document()->blockCount(), 4);
        QCOMPARE(w.window->bytesForSave(), original);
    }

    void splittingKeepsEveryLineEnd() {
        const EditorText text = editorTextFromBytes("\r\r\n\n");
        QCOMPARE(text.lines, QStringList(4, QString()));
        QCOMPARE(text.ends, (std::vector<LineEnd>{LineEnd::Cr, LineEnd::CrLf, LineEnd::Lf}));
        QCOMPARE(text.usual, LineEnd::Cr);
        // Without any line end, added lines get CR LF.
        QCOMPARE(editorTextFromBytes("x").usual, LineEnd::CrLf);
    }

    void failedOpenIsReportedAndKeepsTheDocument_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing file") << QStringLiteral("missing.cfg");
        QTest::newRow("directory") << QStringLiteral("folder.cfg");
    }
    void failedOpenIsReportedAndKeepsTheDocument() {
        QFETCH(QString, name);
        World w;
        QVERIFY(QDir(w.dir.path()).mkdir(QStringLiteral("folder.cfg")));
        const QString file = w.path(name);
        w.box()->setPlainText(QStringLiteral("line one\nline two"));

        w.platform.dialogAnswers = {file};
        w.window->openAction()->trigger();
        QCOMPARE(w.platform.messages.size(), size_t(1));
        QVERIFY2(w.platform.messages.front().text.contains(file),
                 qPrintable(w.platform.messages.front().text));
        QCOMPARE(w.box()->toPlainText(), QStringLiteral("line one\nline two"));
    }

    void failedSaveIsReportedAndKeepsTheDocument_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing folder") << QStringLiteral("nowhere/game.cfg");
        QTest::newRow("directory") << QStringLiteral("folder.cfg");
    }
    void failedSaveIsReportedAndKeepsTheDocument() {
        QFETCH(QString, name);
        World w;
        QVERIFY(QDir(w.dir.path()).mkdir(QStringLiteral("folder.cfg")));
        const QString file = w.path(name);
        w.box()->setPlainText(QStringLiteral("precious"));

        w.platform.dialogAnswers = {file};
        w.window->saveAction()->trigger();
        QCOMPARE(w.platform.messages.size(), size_t(1));
        QVERIFY2(w.platform.messages.front().text.contains(file),
                 qPrintable(w.platform.messages.front().text));
        QCOMPARE(w.box()->toPlainText(), QStringLiteral("precious"));
        QVERIFY(!QFileInfo(file).isFile());
    }

    void textBoxFillsTheClientAreaAfterEveryResize() {
        World w;
        w.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window));
        for (const QSize size : {QSize(300, 200), QSize(640, 480), QSize(150, 120)}) {
            w.window->resize(size);
            QCOMPARE(w.window->size(), size);
            const QRect menu = w.window->menuBar()->geometry();
            const QRect client(0, menu.bottom() + 1, size.width(), size.height() - menu.height());
            QCOMPARE(w.box()->geometry(), client);
        }
        const QFontMetrics metrics(w.box()->font());
        QCOMPARE(metrics.horizontalAdvance(QStringLiteral("iiii")),
                 metrics.horizontalAdvance(QStringLiteral("WWWW")));
        QCOMPARE(w.box()->lineWrapMode(), QPlainTextEdit::NoWrap);
    }

    void closeAndTheCloseBoxUnloadTheEditor() {
        World w;
        w.window->show();
        w.box()->setPlainText(QStringLiteral("dropped without asking"));
        w.window->closeAction()->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(w.window.isNull());
        QVERIFY(w.platform.questions.empty());

        World again;
        again.window->show();
        again.window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(again.window.isNull());
    }
};

QTEST_MAIN(EditWindowTest)
#include "EditWindowTest.moc"
