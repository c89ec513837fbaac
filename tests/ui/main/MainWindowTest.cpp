// The main window's wiring: controls show and write their settings; buttons and menus run theirs.
#include "support/FakePlatform.h"
#include "support/Files.h"

#include "settings/CommandInterpreter.h"
#include "ui/main/MainPanes.h"
#include "ui/main/MainWindow.h"
#include "ui/main/SettingsBinder.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

using namespace bv;
using namespace bv::test;

namespace {

// A main window over temporary folders, a recording host and a stand-in console.
struct Fixture {
    // Runs before the window is made, which lists the scripts and the folders' files.
    bool prepare() {
        platform.programDir = programDir.path();
        settings.setText(Text::doomDirectory, doomDir.path());
        for (const char* name : {"Doom3.exe", "autoexec.cfg", "Other.CFG", "demo1.lmp"})
            writeBytes(doomFile(name), "");
        writeBytes(pathIn(programDir, QStringLiteral("b.brv")), "warp 09\r\n");
        return writeBytes(pathIn(programDir, QStringLiteral("A.BRV")), "");
    }
    Fixture() { window.setConsoleWindow(&console); }
    // What the window loads once its first picture is on screen: the other panes, the engines.
    bool showAndFinishLoading() {
        window.show();
        return QTest::qWaitFor([this] {
            return control<QStackedWidget>("panes")->count() > 1 &&
                   control<QComboBox>("comboEXE")->count() > 7;
        });
    }
    template <typename T = QWidget> T* control(const char* name) {
        return window.findChild<T*>(QLatin1String(name));
    }
    QLineEdit* edit(const char* name) { return control<QLineEdit>(name); }
    QAction* action(const char* name) { return control<QAction>(name); }
    void click(const char* name) { control<QAbstractButton>(name)->click(); }
    QString doomFile(const char* name) const { return pathIn(doomDir, QLatin1String(name)); }
    // Chooses a row of a list as a click does.
    void pick(const char* list, int row) {
        control<QListWidget>(list)->setCurrentRow(row);
        control<QListWidget>(list)->item(row)->setSelected(true);
    }

    QTemporaryDir programDir, doomDir;
    FakePlatform platform;
    LaunchSettings settings;
    ConsoleOptions colours;
    CommandInterpreter interpreter{settings, colours, platform};
    QWidget console;
    bool prepared = prepare();
    MainWindow window{settings, colours, interpreter, platform};
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void everyControlAndPickerFillsItsSetting() {
        QTemporaryDir bin;
        makeExecutable(pathIn(bin, QStringLiteral("woof")));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit());
        Fixture f;
        // The seven Windows engines first; the native ones found on the PATH (or in
        // /usr/games) and the other panes come after the first picture.
        auto* engines = f.control<QComboBox>("comboEXE");
        QVERIFY(engines->count() == 7 && engines->itemText(6) == QLatin1String("ybot050.exe"));
        QCOMPARE(f.control<QStackedWidget>("panes")->count(), 1);
        QVERIFY(f.showAndFinishLoading());
        qputenv("PATH", path);
        QVERIFY(engines->findText(QStringLiteral("woof")) >= 7);
        const int listed = engines->count(); // once, however often the window paints
        f.window.repaint();
        QCoreApplication::processEvents();
        QCOMPARE(engines->count(), listed);
        QCOMPARE(engines->currentText(), QStringLiteral("Doom3.exe"));
        f.settings.setText(Text::executable, QStringLiteral("legacy.exe"));
        QCOMPARE(engines->currentIndex(), 3);
        // The Exec button runs the script chosen from those of the program directory.
        auto* scripts = f.control<QComboBox>("comboExec");
        QCOMPARE(scripts->itemText(0) + scripts->itemText(1), QStringLiteral("A.BRVb.brv"));
        scripts->setCurrentIndex(1);
        f.click("cmdEXEC");
        QCOMPARE(f.settings.text(Text::warp), QStringLiteral("09"));

        // Text beyond Latin-1 shows in the box as typed.
        const QString typed = QStringLiteral("w\u20ac");
        for (int i = 0; i < kTextCount; ++i) {
            if (Text(i) == Text::doomDirectory || Text(i) == Text::demoDirectory)
                continue; // the options window's
            auto* combo = f.control<QComboBox>(controlName(Text(i)));
            QLineEdit* box = combo ? combo->lineEdit() : f.edit(controlName(Text(i)));
            QVERIFY2(box, controlName(Text(i)));
            f.settings.setText(Text(i), QStringLiteral("v%1").arg(i));
            QCOMPARE(box->text(), QStringLiteral("v%1").arg(i));
            if (!box->isEnabled())
                continue; // width and height: by command and script only
            box->selectAll();
            QTest::keyClick(box, Qt::Key_W);
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, typed.mid(1), {});
            QCOMPARE(box->text() + f.settings.text(Text(i)), typed + typed);
        }
        for (int i = 0; i < kCheckCount; ++i) {
            f.settings.setCheck(Check(i), 0);
            f.click(controlName(Check(i)));
            QCOMPARE(f.settings.check(Check(i)), 1);
        }
        f.click("optionDM2");
        QCOMPARE(f.settings.dm(), DmOption::altDeath);
        // Each pane button shows its pane and is the one disabled.
        auto* panes = f.control<QStackedWidget>("panes");
        for (size_t i = 0; i < kPanes.size(); ++i) {
            f.click(kPanes[i].buttonName);
            QCOMPARE(panes->currentWidget()->objectName(), QLatin1String(kPanes[i].paneName));
            QVERIFY(!f.control(kPanes[i].buttonName)->isEnabled());
            QVERIFY(f.control(kPanes[(i + 1) % kPanes.size()].buttonName)->isEnabled());
        }
        QCOMPARE(panes->count(), static_cast<int>(kPanes.size())); // built once
        // Every setting has its control in the panes, but the options window's two directories.
        QStackedWidget fresh;
        buildPanes(&fresh, 0, kPanes.size());
        LaunchSettings unbound;
        QCOMPARE(SettingsBinder(unbound).bindChildren(&fresh).size(), kTextCount + kCheckCount + 3);
        f.window.setExecCfgFolder(f.doomDir.path());
        f.window.setDemoFolder(f.doomDir.path());
        // PWADs below the Doom directory as it stands (in any case) are added relative to it.
        f.settings.setText(Text::doomDirectory, f.doomDir.path().toUpper());
        f.platform.dialogAnswers = {f.doomFile("wads/M.wad"), QStringLiteral("/other/x.deh"),
                                    QString(), f.doomFile("serial.hx8")};
        for (const char* button : {"cmdAdd", "cmdAdd", "cmdAdd", "cmdParFile"})
            f.click(button);
        QCOMPARE(f.edit("txtPWADS")->text(), typed + " wads/M.wad /other/x.deh");
        QCOMPARE(f.edit("txtParFile")->text(), f.doomFile("serial.hx8"));
        f.pick("fileExecCfg", 1);
        QCOMPARE(f.settings.text(Text::customConfig), QStringLiteral("Other.CFG"));
        f.pick("fileDemo", 0);
        QCOMPARE(f.settings.text(Text::demoFile), QStringLiteral("demo1"));
        f.window.show();
        f.click("cmdInsert");
        QVERIFY(f.control<QMenu>("menuWeapOld")->isVisible());
        for (const char* name : {"menu_clear", "menu_bfg", "menu_fists"})
            f.action(name)->trigger();
        QCOMPARE(f.edit("txtWeap")->text(), QStringLiteral("30"));
    }

    void menusAndButtonsSendTheirCommandsAndStartTheirGames() {
        Fixture f;
        FakeWindows windows;
        f.interpreter.setWindowActions(&windows);
        QVERIFY(f.showAndFinishLoading());
        for (const char* name : {"menuNew", "menuMatic", "menuHX8ParEdit"}) {
            QTest::keySequence(&f.window, f.action(name)->shortcut());
            QVERIFY2(!f.action(name)->isVisible() && !f.action(name)->isEnabled(), name);
        }
        for (const char* name : {"menuCEdit", "menuOptions", "menuTopics", "menuAbout"})
            f.action(name)->trigger();
        QCOMPARE(windows.calls, QStringList({"showEdit", "showOptions", "showAbout"}));
        QVERIFY(f.platform.documents.size() == 1 && f.platform.dialogs.empty());
        const QString saved = f.doomFile("Mine.brv");
        f.settings.setText(Text::warp, QStringLiteral("E1M1"));
        f.platform.dialogAnswers = {saved, saved};
        f.action("menuSave")->trigger();
        f.settings.setText(Text::warp, QString());
        f.action("menuOpen")->trigger();
        QCOMPARE(f.edit("txtWarp")->text(), QStringLiteral("e1m1"));
        QCOMPARE(f.platform.dialogs[1].request.initialDirectory, f.programDir.path());
        // A launch from the button to the started process; Enter in a field presses it too.
        f.click("cmdLaunchSingle");
        QCOMPARE(f.platform.starts.back().program, f.doomFile("Doom3.exe"));
        QVERIFY(f.platform.starts.back().arguments.contains(QStringLiteral("e1m1")));
        QTest::keyClick(f.control<QComboBox>("comboEXE")->lineEdit(), Qt::Key_Enter);
        QCOMPARE(f.platform.starts.size(), size_t(2));
        // The console docked below the window follows it on a tick.
        f.console.show();
        f.colours.setDocked(1);
        f.window.move(90, 70);
        QMetaObject::invokeMethod(f.control<QTimer>("UpdateTimer"), "timeout");
        const QRect outer = f.window.frameGeometry();
        QCOMPARE(f.console.pos(), QPoint(outer.left(), outer.bottom() + 1));
        f.action("menu")->trigger(); // "Show &Console" off
        QVERIFY(!f.window.consoleShown() && f.console.isHidden());
        // Closing sends exit once; after the end, closing sends nothing more.
        QVERIFY(f.window.close());
        f.window.show();
        QVERIFY(f.window.close());
        QCOMPARE(f.platform.quitCount, 1);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
