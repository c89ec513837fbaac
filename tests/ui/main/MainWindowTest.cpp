// The main window's wiring: each control shows its setting and writes it; each button, menu
// entry and picker runs what it should. The logic behind them is tested where it lives.
#include "support/FakePlatform.h"
#include "support/Files.h"

#include "settings/CommandInterpreter.h"
#include "ui/main/MainPanes.h"
#include "ui/main/MainWindow.h"
#include "ui/main/SettingsBinder.h"
#include "ui/main/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

using namespace bv;
using namespace bv::test;

namespace {

// A main window over temporary folders, a recording host and a stand-in console.
struct Fixture {
    Fixture() {
        platform.programDir = programDir.path();
        settings.setText(Text::doomDirectory, doomDir.path());
        writeBytes(doomFile("Doom3.exe"), "x");
        writeBytes(doomFile("hx8.exe"), "x");
    }
    MainWindow& window() {
        if (!made) {
            made = std::make_unique<MainWindow>(settings, colours, interpreter, platform);
            made->setConsoleWindow(&console);
            made->buildOtherPanes(); // as showing it would
        }
        return *made;
    }
    template <typename T = QWidget> T* control(const char* name) {
        return window().findChild<T*>(QLatin1String(name));
    }
    QLineEdit* edit(const char* name) { return control<QLineEdit>(name); }
    QAction* action(const char* name) { return control<QAction>(name); }
    void click(const char* name) { control<QAbstractButton>(name)->click(); }
    QString programFile(const char* name) const { return pathIn(programDir, QLatin1String(name)); }
    QString doomFile(const char* name) const { return pathIn(doomDir, QLatin1String(name)); }

    QTemporaryDir programDir, doomDir;
    FakePlatform platform;
    LaunchSettings settings;
    ConsoleOptions colours;
    CommandInterpreter interpreter{settings, colours, platform};
    QWidget console;
    std::unique_ptr<MainWindow> made;
};

QStringList texts(QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

void pick(QListWidget* list, int row) {
    list->setCurrentRow(row);
    list->item(row)->setSelected(true);
}

// The visible entries of a menu, separators as "-".
QString offered(QMenu* menu) {
    QStringList captions;
    for (QAction* action : menu->actions()) {
        if (action->isVisible())
            captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return captions.join(QLatin1Char('|'));
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void loadFillsTheWindowAndEveryControlIsBoundBothWays() {
        Fixture f;
        f.settings.setText(Text::playerName, QStringLiteral("gi joe"));
        writeBytes(f.programFile("b.brv"), "warp 09\r\n");
        writeBytes(f.programFile("A.BRV"), "");
        QTemporaryDir bin;
        makeExecutable(pathIn(bin, QStringLiteral("woof")));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit());
        MainWindow& w = f.window();
        qputenv("PATH", path);
        QCOMPARE(w.windowTitle(), QStringLiteral("Brimvault Version 1.21 Beta"));
        QCOMPARE(f.settings.text(Text::playerName), QStringLiteral("GI JOE"));
        auto* engines = f.control<QComboBox>("comboEXE");
        QCOMPARE(engines->count(), 8);
        QCOMPARE(engines->itemText(0), QStringLiteral("Cajun.exe"));
        QCOMPARE(engines->itemText(7), QStringLiteral("woof"));
        QCOMPARE(engines->currentText(), QStringLiteral("Doom3.exe"));
        for (const char* name : {"lblResolution", "lblWidth", "lblHeight", "txtWidth", "txtHeight"})
            QVERIFY2(!f.control(name)->isEnabled(), name);
        QCOMPARE(f.edit("txtWeap")->maxLength(), 9);
        QVERIFY(f.control<QPushButton>("cmdLaunchSingle")->isDefault() && w.consoleShown());
        w.applyDesignSize();
        QCOMPARE(w.frameGeometry().size(),
                 QSize(twipsToPixels(6195, w.logicalDpiX()), twipsToPixels(5295, w.logicalDpiY())));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        // The Exec button runs the chosen script of the program directory.
        auto* scripts = f.control<QComboBox>("comboExec");
        QCOMPARE(scripts->itemText(0) + scripts->itemText(1), QStringLiteral("A.BRVb.brv"));
        QCOMPARE(scripts->currentText(), QString());
        f.click("cmdEXEC");
        QVERIFY(f.interpreter.consoleText().endsWith(QStringLiteral("Could not execute script")));
        scripts->setCurrentIndex(1);
        f.click("cmdEXEC");
        QCOMPARE(f.edit("txtWarp")->text(), QStringLiteral("09"));

        for (int i = 0; i < kTextCount; ++i) {
            auto* combo = f.control<QComboBox>(controlName(Text(i)));
            QLineEdit* box = combo ? combo->lineEdit() : f.edit(controlName(Text(i)));
            if (!box)
                continue; // the directories: the options window's
            f.settings.setText(Text(i), QStringLiteral("v%1").arg(i));
            QCOMPARE(box->text(), QStringLiteral("v%1").arg(i));
            if (!box->isEnabled())
                continue; // width and height: by command and script only
            box->selectAll();
            QTest::keyClicks(box, QStringLiteral("w"));
            QCOMPARE(f.settings.text(Text(i)), QStringLiteral("w"));
        }
        for (int i = 0; i < kCheckCount; ++i) {
            auto* box = f.control<QCheckBox>(controlName(Check(i)));
            f.settings.setCheck(Check(i), 0);
            QVERIFY(!box->isChecked());
            box->click();
            QCOMPARE(f.settings.check(Check(i)), 1);
        }
        QVERIFY(!f.control<QCheckBox>("check3DFX")->isChecked()); // OpenGL cleared it
        for (const DmOption option : {DmOption::altDeath, DmOption::deathmatch, DmOption::none}) {
            f.settings.setDm(option);
            QVERIFY(f.control<QRadioButton>(controlName(option))->isChecked());
        }
        f.click("optionDM2");
        QCOMPARE(f.settings.dm(), DmOption::altDeath);
        f.settings.setText(Text::executable, QStringLiteral("legacy.exe"));
        QCOMPARE(engines->currentIndex(), 3);
    }

    void paneButtonsShowOnePaneAndTheOthersComeWithTheWindow() {
        Fixture f;
        MainWindow window(f.settings, f.colours, f.interpreter, f.platform);
        QVERIFY(!window.findChild<QWidget*>(QStringLiteral("multBox")));
        f.settings.setText(Text::weaponsOrder, QStringLiteral("0123"));
        writeBytes(f.doomFile("game.cfg"), "");
        window.setExecCfgFolder(f.doomDir.path());
        window.show();
        window.hide();
        window.show();
        auto* panes = window.findChild<QStackedWidget*>(QStringLiteral("panes"));
        QCOMPARE(panes->count(), 8);
        QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("txtWeap"))->text(), "0123");
        QCOMPARE(texts(window.findChild<QListWidget*>(QStringLiteral("fileExecCfg"))),
                 QStringList{"game.cfg"});
        QVERIFY(window.findChild<QPushButton*>(QStringLiteral("cmdAddBot"))->autoDefault());
        for (size_t i = 0; i < kPanes.size(); ++i) {
            window.findChild<QPushButton*>(QLatin1String(kPanes[i].buttonName))->click();
            QCOMPARE(panes->currentWidget()->objectName(), QLatin1String(kPanes[i].paneName));
            for (size_t j = 0; j < kPanes.size(); ++j)
                QCOMPARE(window.findChild<QPushButton*>(QLatin1String(kPanes[j].buttonName))
                             ->isEnabled(),
                         i != j);
        }
        MainWindow unseen(f.settings, f.colours, f.interpreter, f.platform);
        unseen.findChild<QPushButton*>(QStringLiteral("cmdYBOT"))->click();
        QVERIFY(unseen.findChild<QWidget*>(QStringLiteral("ybotBox"))->isVisibleTo(&unseen));
    }

    void menusAndButtonsSendTheirCommandsAndStartTheirGames() {
        Fixture f;
        FakeWindows windows;
        f.interpreter.setWindowActions(&windows);
        MainWindow& w = f.window();
        w.show();
        QCOMPARE(offered(f.control<QMenu>("menuFile")),
                 "&Open Settings...|&Save Settings...|&Export Settings...|&Make Batch File...|-|"
                 "E&xit");
        QCOMPARE(offered(f.control<QMenu>("menuTools")),
                 "Config File &Editor...|-|Show &Console|-|&Options...");
        QCOMPARE(offered(f.control<QMenu>("menuHelp")), "BRV Help &Topics|-|&About...");
        for (const char* name : {"menuNew", "menuMatic", "menuHX8ParEdit"}) {
            QTest::keySequence(&w, f.action(name)->shortcut());
            QVERIFY2(!f.action(name)->isEnabled(), name);
        }
        QVERIFY(f.platform.dialogs.empty());
        for (const char* name : {"menuCEdit", "menuOptions", "menuTopics", "menuAbout"})
            f.action(name)->trigger();
        QCOMPARE(windows.calls, QStringList({"showEdit", "showOptions", "showAbout"}));
        QCOMPARE(f.platform.documents.size(), size_t(1));

        const QString saved = f.programFile("Mine.brv");
        f.settings.setText(Text::warp, QStringLiteral("E1M1"));
        f.platform.dialogAnswers = {saved};
        f.action("menuSave")->trigger();
        const FileDialogSpec save = f.platform.dialogs.back().request;
        QCOMPARE(f.platform.dialogs.back().kind, FileDialogKind::Save);
        QCOMPARE(save.initialDirectory, f.programDir.path());
        QCOMPARE(save.filter, QStringLiteral("Brimvault Config File|*.brv"));
        QCOMPARE(save.flags, kHideReadOnly);
        QCOMPARE(readBytes(saved).count("\r\n"), 23);
        f.action("menuOpen")->trigger(); // cancelled
        f.platform.dialogAnswers = {saved};
        f.action("menuOpen")->trigger();
        QCOMPARE(f.platform.dialogs.back().kind, FileDialogKind::Open);
        QCOMPARE(f.platform.dialogs.back().request.filter, save.filter);
        QCOMPARE(f.edit("txtWarp")->text(), QStringLiteral("e1m1"));
        f.platform.dialogAnswers = {f.programFile("no/x.brv")};
        f.action("menuSave")->trigger();
        QCOMPARE(f.platform.messages.back().text, "The settings could not be saved to " +
                                                      f.programFile("no/x.brv") +
                                                      ".\nNo such file or directory");
        f.platform.dialogAnswers = {f.doomFile("e.cfg"), f.doomFile("b.bat")};
        f.action("menuExport")->trigger();
        f.action("menuBatchFile")->trigger();
        QVERIFY(readBytes(f.doomFile("e.cfg")).startsWith("weaponpref "));
        QVERIFY(readBytes(f.doomFile("b.bat")).contains("Doom3.exe -warp e1m1 -mb 10"));

        f.click("cdHX8");
        f.click("cmdMultiplayer");
        QVERIFY(QFile::exists(f.doomFile("hx8.bat")) && QFile::exists(f.doomFile("doomatic.cfg")));
        f.click("cmdHX8");
        QTest::keyClick(f.edit("txtComputerName"), Qt::Key_Return);
        QTest::keyClick(f.control<QComboBox>("comboEXE")->lineEdit(), Qt::Key_Enter);
        QCOMPARE(f.platform.starts.size(), size_t(3));
        QCOMPARE(f.platform.starts.back().program, f.doomFile("Doom3.exe"));
        f.action("menuExit")->trigger();
        QVERIFY(w.close());
        QCOMPARE(f.platform.quitCount, 1); // after the end, closing sends nothing more
    }

    void theConsoleIsDockedHiddenAndShownWithTheWindow() {
        Fixture f;
        MainWindow& w = f.window();
        auto* timer = f.control<QTimer>("UpdateTimer");
        QVERIFY(timer->isActive() && timer->interval() == 100);
        QCOMPARE(f.console.pos(), QPoint(w.frameGeometry().left(), w.frameGeometry().bottom() + 1));
        w.show();
        f.console.show();
        f.console.move(300, 20);
        QMetaObject::invokeMethod(timer, "timeout");
        QCOMPARE(f.console.windowTitle(), QStringLiteral("Brimvault [Console]"));
        QCOMPARE(f.console.pos(), QPoint(300, 20));
        f.colours.setDocked(1);
        w.move(40, 30);
        QMetaObject::invokeMethod(timer, "timeout");
        QCOMPARE(f.console.windowTitle(), QString());
        QCOMPARE(f.console.pos(), QPoint(w.frameGeometry().left(), w.frameGeometry().bottom() + 1));
        f.console.move(5, 5);
        w.setWindowState(Qt::WindowMinimized);
        QMetaObject::invokeMethod(timer, "timeout");
        QCOMPARE(f.console.pos(), QPoint(5, 5));
        QVERIFY(f.console.isHidden());
        w.setWindowState(Qt::WindowNoState);
        QVERIFY(f.console.isVisible());
        f.action("menu")->trigger(); // "Show &Console" off
        w.setWindowState(Qt::WindowMinimized);
        w.setWindowState(Qt::WindowNoState);
        QVERIFY(!w.consoleShown() && f.console.isHidden());
        f.action("menu")->trigger();
        QVERIFY(f.console.isVisible());
    }

    void pickersFillTheirSettings() {
        Fixture f;
        for (const char* name : {"autoexec.cfg", "Other.CFG", "demo1.lmp", "x.txt"})
            writeBytes(f.doomFile(name), "");
        QDir(f.doomDir.path()).mkdir(QStringLiteral("sub.cfg"));
        MainWindow& w = f.window();
        w.setExecCfgFolder(f.doomDir.path());
        w.setDemoFolder(f.doomDir.path());
        // PWADs below the Doom directory (named in any case) are added relative to it.
        f.settings.setText(Text::doomDirectory, f.doomDir.path().toUpper());
        f.platform.dialogAnswers = {f.doomFile("wads/M.wad"), QStringLiteral("/other/x.deh")};
        f.click("cmdAdd");
        f.click("cmdAdd");
        f.click("cmdAdd"); // cancelled
        QCOMPARE(f.edit("txtPWADS")->text(), QStringLiteral("wads/M.wad /other/x.deh"));
        QCOMPARE(f.platform.dialogs[0].request.filter,
                 QStringLiteral("PWADs and DeHacked Patches|*.wad;*.deh"));
        f.platform.dialogAnswers = {f.programFile("serial.hx8")};
        f.click("cmdParFile");
        QCOMPARE(f.edit("txtParFile")->text(), f.programFile("serial.hx8"));
        QStringList levels; // the same from every start, from 1 to 32
        for (int i = 0; i < 3; ++i) {
            f.click("cmdRND");
            levels << f.settings.text(Text::warp);
        }
        QCOMPARE(levels, QStringList({"27", "5", "29"}));
        for (const char* bot : {"zbot", "abot", "mbot"})
            f.settings.addToList(BotList::availableBots, QLatin1String(bot));
        auto* available = f.control<QListWidget>("fileBots");
        f.click("cmdAddBot"); // nothing chosen
        pick(available, 2);
        f.click("cmdAddBot");
        pick(available, 0);
        f.click("cmdAddBot");
        QCOMPARE(texts(f.control<QListWidget>("listUseBots")), QStringList({"abot", "zbot"}));
        pick(f.control<QListWidget>("listUseBots"), 0);
        f.click("cmdRemoveBot");
        QCOMPARE(texts(available), QStringList({"abot", "mbot"}));
        QCOMPARE(f.settings.list(BotList::selectedBots), QStringList{"zbot"});
        QCOMPARE(texts(f.control<QListWidget>("fileExecCfg")),
                 QStringList({"autoexec.cfg", "Other.CFG"}));
        pick(f.control<QListWidget>("fileExecCfg"), 1);
        QCOMPARE(f.settings.text(Text::customConfig), QStringLiteral("Other.CFG"));
        pick(f.control<QListWidget>("fileDemo"), 0);
        QCOMPARE(f.settings.text(Text::demoFile), QStringLiteral("demo1"));
        w.show();
        f.click("cmdInsert");
        QVERIFY(f.control<QMenu>("menuWeapOld")->isVisible());
        f.action("menu_clear")->trigger();
        for (const char* name :
             {"menu_fists", "menu_pistol", "mneu_Shotgun", "menu_SuperShotgun", "menu_Chaingun",
              "menu_rocketlauncher", "menu_plasma", "menu_bfg", "menu_chainsaw", "menu_fists"})
            f.action(name)->trigger();
        QCOMPARE(f.edit("txtWeap")->text(), QStringLiteral("014857632"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
