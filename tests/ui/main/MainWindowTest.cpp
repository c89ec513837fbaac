#include "MainWindowFixture.h"

#include "ui/main/MainPanes.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTimer>

#include <cmath>

using namespace bv;
using namespace bv::test;

namespace {

const char* const kPaneButtons[] = {"cmdGen", "cmdMult", "cmdAd",        "cmdDoomBot",
                                    "cmdHX8", "cmdYBOT", "cmdCustomCFG", "cmdDemo"};
const char* const kPaneNames[] = {"genBox", "multBox", "adBox",     "doombotBox",
                                  "hx8Box", "ybotBox", "boxCustom", "boxDemo"};

QStringList enabledPaneButtons(MainWindowFixture& f) {
    QStringList names;
    for (const char* name : kPaneButtons)
        if (f.button(name)->isEnabled())
            names << QLatin1String(name);
    return names;
}

QStringList shownPanes(MainWindowFixture& f) {
    QStringList names;
    for (const char* name : kPaneNames)
        if (!f.control(name)->isHidden())
            names << QLatin1String(name);
    return names;
}

// What a menu offers: captions of the visible entries, separators as "-".
QStringList offered(QMenu* menu) {
    QStringList captions;
    for (QAction* action : menu->actions())
        if (action->isVisible())
            captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

void tick(MainWindowFixture& f) {
    QMetaObject::invokeMethod(f.control<QTimer>("UpdateTimer"), "timeout");
}

QString fileText(const QString& path) {
    return QString::fromLatin1(readBytes(path));
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void loadFillsTheWindow() {
        MainWindowFixture f;
        f.settings.setText(Text::playerName, QStringLiteral("gi joe"));
        // Engines of this system on the PATH follow the list's own, in a fixed order.
        QTemporaryDir bin;
        for (const char* engine : {"woof", "dsda-doom", "chocolate-doom", "gzdoom"}) {
            f.touch(pathIn(bin, QLatin1String(engine)));
            if (qstrcmp(engine, "gzdoom") != 0) // not a program: not offered
                QFile::setPermissions(pathIn(bin, QLatin1String(engine)), QFile::ExeOwner);
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit());
        MainWindow& w = f.window();
        qputenv("PATH", path);
        QCOMPARE(w.windowTitle(), QStringLiteral("Brimvault Version 1.21 Beta"));
        QCOMPARE(f.settings.text(Text::playerName), QStringLiteral("GI JOE"));
        QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));

        auto* exe = f.control<QComboBox>("comboEXE");
        QVERIFY(exe->isEditable());
        QStringList offeredExes;
        for (int i = 0; i < exe->count(); ++i)
            offeredExes << exe->itemText(i);
        QCOMPARE(offeredExes,
                 QStringList({"Cajun.exe", "Doom3.exe", "Doombot.exe", "legacy.exe", "windoom3.exe",
                              "ybot.exe", "ybot050.exe", "chocolate-doom", "dsda-doom", "woof"}));
        QCOMPARE(exe->currentText(), QStringLiteral("Doom3.exe"));
        QCOMPARE(f.settings.text(Text::executable), QStringLiteral("Doom3.exe"));
        QVERIFY(!f.control<QComboBox>("comboExec")->isEditable());

        for (const char* name : {"lblResolution", "lblWidth", "lblHeight", "txtWidth", "txtHeight"})
            QVERIFY2(!f.control(name)->isEnabled(), name);
        QCOMPARE(f.edit("txtWeap")->maxLength(), 9);
        QVERIFY(f.control<QPushButton>("cmdLaunchSingle")->isDefault());
        QVERIFY(w.consoleShown());
    }

    void everyMainWindowSettingHasItsControl() {
        MainWindowFixture f;
        f.window();
        for (int i = 0; i < kTextCount; ++i) {
            const auto field = static_cast<Text>(i);
            if (field == Text::doomDirectory || field == Text::demoDirectory)
                continue; // the options window shows these
            QVERIFY2(f.control(controlName(field)), controlName(field));
        }
        for (int i = 0; i < kCheckCount; ++i)
            QVERIFY2(f.control<QCheckBox>(controlName(static_cast<Check>(i))),
                     controlName(static_cast<Check>(i)));
        for (auto option : {DmOption::none, DmOption::deathmatch, DmOption::altDeath})
            QVERIFY(f.control<QRadioButton>(controlName(option)));
    }

    void designSizeIsFixed() {
        MainWindowFixture f;
        MainWindow& w = f.window();
        w.applyDesignSize();
        const auto px = [](int twips, int dpi) {
            return static_cast<int>(std::lround(twips * dpi / 1440.0));
        };
        QCOMPARE(w.frameGeometry().width(), px(6195, w.logicalDpiX()));
        QCOMPARE(w.frameGeometry().height(), px(5295, w.logicalDpiY()));
        QCOMPARE(w.minimumSize(), w.maximumSize());
    }

    void paneButtonsShowOnePane() {
        MainWindowFixture f;
        f.window().show();
        QCOMPARE(shownPanes(f), QStringList{"genBox"});
        QCOMPARE(enabledPaneButtons(f).size(), 7);
        QVERIFY(!f.button("cmdGen")->isEnabled());

        f.settings.setText(Text::warp, QStringLiteral("05"));
        f.click("cmdDemo");
        QCOMPARE(shownPanes(f), QStringList{"boxDemo"});
        QVERIFY(!f.button("cmdDemo")->isEnabled());
        QVERIFY(f.button("cmdGen")->isEnabled());
        QCOMPARE(enabledPaneButtons(f).size(), 7);
        // A hidden pane keeps its values.
        QCOMPARE(f.edit("txtWarp")->text(), QStringLiteral("05"));
    }

    // Only the General pane is built before the window first shows; the others come right
    // after, or when a pane button asks for one first, bound and wired as if built at load.
    void otherPanesComeOnceTheWindowIsShown() {
        MainWindowFixture f;
        f.touch(f.doomFile(QStringLiteral("game.cfg")));
        MainWindow window(f.settings, f.colours, f.interpreter, f.platform);
        QVERIFY(window.findChild<QWidget*>(QStringLiteral("genBox")));
        QVERIFY(!window.findChild<QWidget*>(QStringLiteral("multBox")));
        // Settings and folders given before the panes exist reach them when they are built.
        f.settings.setText(Text::weaponsOrder, QStringLiteral("0123"));
        window.setExecCfgFolder(f.doomDir.path());

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* panes = window.findChild<QStackedWidget*>(QStringLiteral("panes"));
        QCOMPARE(panes->count(), static_cast<int>(kPanes.size()));
        for (int i = 0; i < panes->count(); ++i)
            QCOMPARE(panes->widget(i)->objectName(), QLatin1String(kPanes[i].paneName));
        QCOMPARE(panes->currentIndex(), 0);

        auto* txtWeap = window.findChild<QLineEdit*>(QStringLiteral("txtWeap"));
        QCOMPARE(txtWeap->text(), QStringLiteral("0123"));
        f.settings.setText(Text::weaponsOrder, QStringLiteral("01"));
        QCOMPARE(txtWeap->text(), QStringLiteral("01"));
        QTest::keyClicks(txtWeap, QStringLiteral("7"));
        QCOMPARE(f.settings.text(Text::weaponsOrder), QStringLiteral("017"));
        QCOMPARE(items(window.findChild<QListWidget*>(QStringLiteral("fileExecCfg"))),
                 QStringList{"game.cfg"});
        auto* cmdAddBot = window.findChild<QPushButton*>(QStringLiteral("cmdAddBot"));
        QVERIFY(cmdAddBot->autoDefault());
        // Built once: showing again adds nothing.
        window.hide();
        window.show();
        QCOMPARE(panes->count(), static_cast<int>(kPanes.size()));

        // A pane button of a window not yet shown builds them too.
        MainWindow unseen(f.settings, f.colours, f.interpreter, f.platform);
        unseen.findChild<QPushButton*>(QStringLiteral("cmdYBOT"))->click();
        auto* ybot = unseen.findChild<QWidget*>(QStringLiteral("ybotBox"));
        QVERIFY(ybot);
        QCOMPARE(unseen.findChild<QStackedWidget*>(QStringLiteral("panes"))->currentWidget(), ybot);
    }

    void commandsShowAtOnceAndEditsReachTheLaunch() {
        MainWindowFixture f;
        f.window();
        f.interpreter.interpret(QStringLiteral("warp 07"));
        QCOMPARE(f.edit("txtWarp")->text(), QStringLiteral("07"));
        f.interpreter.interpret(QStringLiteral("dm 2"));
        QVERIFY(f.control<QRadioButton>("optionDM2")->isChecked());
        QVERIFY(!f.control<QRadioButton>("optionDMNone")->isChecked());
        f.interpreter.interpret(QStringLiteral("exe legacy.exe"));
        QCOMPARE(f.control<QComboBox>("comboEXE")->currentText(), QStringLiteral("legacy.exe"));
        f.interpreter.interpret(QStringLiteral("weaponpref 0123456789ab"));
        QCOMPARE(f.edit("txtWeap")->text(), QStringLiteral("012345678"));

        f.edit("txtWarp")->clear();
        QTest::keyClicks(f.edit("txtWarp"), QStringLiteral("12"));
        QCOMPARE(f.settings.text(Text::warp), QStringLiteral("12"));
        f.control<QComboBox>("comboEXE")->lineEdit()->selectAll();
        QTest::keyClicks(f.control<QComboBox>("comboEXE")->lineEdit(), QStringLiteral("my.exe"));
        QCOMPARE(f.settings.text(Text::executable), QStringLiteral("my.exe"));
        f.click("checkMon");
        QCOMPARE(f.settings.check(Check::monsters), 0);
        f.click("optionDM");
        QCOMPARE(f.settings.dm(), DmOption::deathmatch);

        f.click("cmdLaunchSingle");
        const QString batch = fileText(f.doomFile(QStringLiteral("brv.bat")));
        QVERIFY2(batch.contains(QStringLiteral("my.exe")), qPrintable(batch));
        QVERIFY(batch.contains(QStringLiteral("-warp 12")));
        QVERIFY(batch.contains(QStringLiteral("-nomonsters")));
        QVERIFY(batch.contains(QStringLiteral("-deathmatch")));
    }

    void threeDfxAndOpenGlExcludeEachOther() {
        MainWindowFixture f;
        f.window();
        auto* fx = f.control<QCheckBox>("check3DFX");
        auto* gl = f.control<QCheckBox>("checkGL");
        fx->click();
        gl->click();
        QVERIFY(gl->isChecked());
        QVERIFY(!fx->isChecked());
        QCOMPARE(f.settings.check(Check::threeDfx), 0);
        fx->click();
        QVERIFY(!gl->isChecked());
        QCOMPARE(f.settings.check(Check::openGl), 0);
        fx->click(); // unchecking one leaves the other alone
        QVERIFY(!fx->isChecked() && !gl->isChecked());

        f.interpreter.interpret(QStringLiteral("gl 1"));
        QVERIFY(gl->isChecked());
        f.interpreter.interpret(QStringLiteral("3dfx 1"));
        QVERIFY(fx->isChecked());
        QVERIFY(!gl->isChecked());
    }

    void minimisingHidesTheConsole() {
        MainWindowFixture f;
        MainWindow& w = f.window();
        w.show();
        f.console.show();
        w.setWindowState(Qt::WindowMinimized);
        QVERIFY(f.console.isHidden());
        w.setWindowState(Qt::WindowNoState);
        QVERIFY(f.console.isVisible());

        f.action("menu")->trigger(); // "Show &Console" off
        QVERIFY(!w.consoleShown());
        QVERIFY(f.console.isHidden());
        w.setWindowState(Qt::WindowMinimized);
        w.setWindowState(Qt::WindowNoState);
        QVERIFY(f.console.isHidden());
        f.action("menu")->trigger();
        QVERIFY(w.consoleShown());
        QVERIFY(f.console.isVisible());
    }

    void dockedConsoleFollowsOnEveryTick() {
        MainWindowFixture f;
        MainWindow& w = f.window();
        auto* timer = f.control<QTimer>("UpdateTimer");
        QCOMPARE(timer->interval(), 100);
        QVERIFY(timer->isActive());
        // Load places the console under the window once.
        QCOMPARE(f.console.pos(), QPoint(w.frameGeometry().left(), w.frameGeometry().bottom() + 1));

        w.show();
        f.console.show();
        f.console.move(300, 20);
        tick(f);
        QCOMPARE(f.console.windowTitle(), QStringLiteral("Brimvault [Console]"));
        QCOMPARE(f.console.pos(), QPoint(300, 20));

        f.colours.setDocked(1);
        w.move(40, 30);
        tick(f);
        QCOMPARE(f.console.windowTitle(), QString());
        const QRect outer = w.frameGeometry();
        QCOMPARE(f.console.pos(), QPoint(outer.left(), outer.top() + outer.height()));

        // Minimised: neither moved nor re-captioned.
        f.console.move(5, 5);
        f.console.setWindowTitle(QStringLiteral("kept"));
        w.setWindowState(Qt::WindowMinimized);
        tick(f);
        QCOMPARE(f.console.pos(), QPoint(5, 5));
        QCOMPARE(f.console.windowTitle(), QStringLiteral("kept"));

        w.setWindowState(Qt::WindowNoState);
        f.colours.setDocked(0);
        tick(f);
        QCOMPARE(f.console.windowTitle(), QStringLiteral("Brimvault [Console]"));
    }

    void menusOfferTheirEntriesAndHideTheRest() {
        MainWindowFixture f;
        MainWindow& w = f.window();
        w.show();
        QCOMPARE(offered(f.control<QMenu>("menuFile")),
                 QStringList({"&Open Settings...", "&Save Settings...", "&Export Settings...",
                              "&Make Batch File...", "-", "E&xit"}));
        QCOMPARE(offered(f.control<QMenu>("menuTools")),
                 QStringList({"Config File &Editor...", "-", "Show &Console", "-", "&Options..."}));
        QCOMPARE(offered(f.control<QMenu>("menuHelp")),
                 QStringList({"BRV Help &Topics", "-", "&About..."}));
        QVERIFY(f.action("menu")->isCheckable());

        for (const char* name : {"menuNew", "menuMatic", "menuHX8ParEdit"}) {
            QAction* hidden = f.action(name);
            QVERIFY2(!hidden->isVisible() && !hidden->isEnabled(), name);
            QSignalSpy spy(hidden, &QAction::triggered);
            QTest::keySequence(&w, hidden->shortcut());
            QCOMPARE(spy.count(), 0);
        }
        QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier);
        QVERIFY(f.platform.dialogs.empty());
        // The weapons popup is the window's but never on the menu bar.
        for (QAction* top : w.menuBar()->actions())
            QVERIFY(top->menu() != f.control<QMenu>("menuWeapOld"));
    }

    void menuEntriesSendTheirCommands() {
        MainWindowFixture f;
        FakeWindows windows;
        f.interpreter.setWindowActions(&windows);
        f.window();
        for (const char* name : {"menuCEdit", "menuOptions", "menuTopics", "menuAbout"})
            f.action(name)->trigger();
        QCOMPARE(windows.calls, QStringList({"showEdit", "showOptions", "showAbout"}));
        QCOMPARE(f.platform.documents.size(), size_t(1)); // the help page
        QVERIFY(f.interpreter.debugLog().contains(QStringLiteral("\nzun_help")));

        f.action("menuExit")->trigger();
        QVERIFY(f.interpreter.ended());
        QCOMPARE(f.platform.quitCount, 1);
        QVERIFY(QFile::exists(f.programFile(QStringLiteral("config.brv"))));
    }

    void closingSendsExitOnce() {
        MainWindowFixture f;
        MainWindow& w = f.window();
        w.show();
        QVERIFY(w.close());
        QVERIFY(f.interpreter.ended());
        QCOMPARE(f.platform.quitCount, 1);
        QVERIFY(QFile::exists(f.programFile(QStringLiteral("config.brv"))));
        w.show();
        QVERIFY(w.close());
        QCOMPARE(f.platform.quitCount, 1);
    }

    void saveAndOpenSettingsThroughTheDialog() {
        MainWindowFixture f;
        f.window();
        const QString saved = f.programFile(QStringLiteral("Mine.brv"));
        f.settings.setText(Text::warp, QStringLiteral("E1M1"));
        f.platform.dialogAnswers = {saved};
        f.action("menuSave")->trigger();
        const auto& save = f.platform.dialogs.back();
        QCOMPARE(save.kind, FileDialogKind::Save);
        QCOMPARE(save.request.initialDirectory, f.programDir.path());
        QCOMPARE(save.request.filter, QStringLiteral("Brimvault Config File|*.brv"));
        QCOMPARE(save.request.flags, kHideReadOnly);
        QVERIFY(save.request.fileName.isEmpty());
        QCOMPARE(readBytes(saved).count("\r\n"), 23);

        f.settings.setText(Text::warp, QStringLiteral("03"));
        f.action("menuOpen")->trigger(); // cancelled
        QCOMPARE(f.settings.text(Text::warp), QStringLiteral("03"));
        f.platform.dialogAnswers = {saved};
        f.action("menuOpen")->trigger();
        QCOMPARE(f.platform.dialogs.back().kind, FileDialogKind::Open);
        QCOMPARE(f.platform.dialogs.back().request.flags, kHideReadOnly);
        QCOMPARE(f.edit("txtWarp")->text(), QStringLiteral("e1m1"));

        const QString unwritable = f.programFile(QStringLiteral("missing/dir/x.brv"));
        f.platform.dialogAnswers = {unwritable};
        f.action("menuSave")->trigger();
        QCOMPARE(f.platform.messages.size(), size_t(1));
        QVERIFY(f.platform.messages.front().text.contains(unwritable));
    }

    void exportsWriteTheChosenFile() {
        MainWindowFixture f;
        f.window();
        f.platform.dialogAnswers = {f.doomFile(QStringLiteral("mine.cfg")),
                                    f.doomFile(QStringLiteral("go.bat"))};
        f.action("menuExport")->trigger();
        f.action("menuBatchFile")->trigger();
        QVERIFY(fileText(f.doomFile(QStringLiteral("mine.cfg")))
                    .contains(QStringLiteral("weaponpref 014576328")));
        QVERIFY(readBytes(f.doomFile(QStringLiteral("go.bat"))).endsWith("\r\n"));
        f.action("menuExport")->trigger(); // cancelled: nothing written, nothing reported
        QVERIFY(f.platform.messages.empty());
    }

    void scriptRunnerListsBrvFiles() {
        MainWindowFixture f;
        writeBytes(f.programFile(QStringLiteral("b.brv")), "warp 09\r\n");
        writeBytes(f.programFile(QStringLiteral("A.BRV")), "");
        writeBytes(f.programFile(QStringLiteral("notes.txt")), "");
        auto* list = f.control<QComboBox>("comboExec");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->itemText(0), QStringLiteral("A.BRV"));
        QCOMPARE(list->itemText(1), QStringLiteral("b.brv"));
        QCOMPARE(list->currentText(), QString());

        f.click("cmdEXEC"); // nothing chosen
        QVERIFY(f.interpreter.consoleText().endsWith(QStringLiteral("Could not execute script")));
        list->setCurrentIndex(1);
        f.click("cmdEXEC");
        QCOMPARE(f.edit("txtWarp")->text(), QStringLiteral("09"));

        MainWindowFixture empty;
        QCOMPARE(empty.control<QComboBox>("comboExec")->count(), 0);
    }

    void launchButtonsWriteTheirFiles() {
        MainWindowFixture f;
        f.window();
        f.click("cmdLaunchSingle");
        for (const char* name : {"autoexec.cfg", "addbots.cfg", "brv.bat"})
            QVERIFY2(QFile::exists(f.doomFile(QLatin1String(name))), name);
        QCOMPARE(f.platform.starts.size(), size_t(1));
        f.click("cdHX8");
        QVERIFY(QFile::exists(f.doomFile(QStringLiteral("hx8.cfg"))));
        QVERIFY(QFile::exists(f.doomFile(QStringLiteral("hx8.bat"))));
        QCOMPARE(f.platform.starts.size(), size_t(2));
        f.click("cmdMultiplayer");
        QVERIFY(QFile::exists(f.doomFile(QStringLiteral("doomatic.cfg"))));
        QVERIFY(f.platform.messages.empty());
    }

    void enterStartsASinglePlayerGame() {
        MainWindowFixture f;
        MainWindow& w = f.window();
        w.show();
        f.click("cmdHX8");
        QTest::keyClick(f.edit("txtComputerName"), Qt::Key_Return);
        QCOMPARE(f.platform.starts.size(), size_t(1));
        QTest::keyClick(f.control<QComboBox>("comboEXE")->lineEdit(), Qt::Key_Enter);
        QCOMPARE(f.platform.starts.size(), size_t(2));
        QTest::keyClick(f.control("checkGL"), Qt::Key_Return);
        QCOMPARE(f.platform.starts.size(), size_t(3));
        QVERIFY(QFile::exists(f.doomFile(QStringLiteral("brv.bat"))));
        QVERIFY(!QFile::exists(f.doomFile(QStringLiteral("hx8.bat"))));
    }

    void labelsNameTheirControls() {
        MainWindowFixture f;
        auto* panes = f.control<QStackedWidget>("panes");
        const QList<QLabel*> labels = panes->findChildren<QLabel*>();
        QWidgetList named;
        for (QLabel* label : labels)
            if (label->buddy())
                named << label->buddy();
        for (QWidget* control : panes->findChildren<QWidget*>()) {
            const bool field = qobject_cast<QLineEdit*>(control) ||
                               qobject_cast<QComboBox*>(control) ||
                               qobject_cast<QListWidget*>(control);
            if (!field || control->objectName().isEmpty() ||
                control->objectName().startsWith("qt_"))
                continue;
            QVERIFY2(named.contains(control) || !control->accessibleName().isEmpty(),
                     qPrintable(control->objectName()));
        }
        QCOMPARE(f.control<QLabel>("lblWarp")->buddy(), f.control("txtWarp"));
        QCOMPARE(f.control<QLabel>("lblBots")->buddy(), f.control("fileBots"));
    }

    void tabOrderReadsTopToBottom() {
        MainWindowFixture f;
        QWidget* pane = f.control("genBox");
        QStringList order;
        QWidget* at = f.control("comboEXE");
        for (int guard = 0; guard < 200 && order.size() < 7; ++guard, at = at->nextInFocusChain())
            if (pane->isAncestorOf(at) && (at->focusPolicy() & Qt::TabFocus) &&
                !at->objectName().isEmpty() && !at->objectName().startsWith("qt_") &&
                !order.contains(at->objectName()))
                order << at->objectName();
        QCOMPARE(order, QStringList({"comboEXE", "txtWarp", "cmdRND", "txtPWADS", "cmdAdd",
                                     "check3DFX", "checkGL"}));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
