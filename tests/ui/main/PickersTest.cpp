#include "MainWindowFixture.h"

#include <QAction>
#include <QMenu>
#include <QSet>
#include <QStandardPaths>

using namespace bv;
using namespace bv::test;

namespace {

QString nativeJoin(const QString& directory, const QString& name) {
    return directory + QLatin1Char('/') + name;
}

void clickItem(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

QStringList rndSequence(int count) {
    MainWindowFixture f;
    QStringList values;
    for (int i = 0; i < count; ++i) {
        f.click("cmdRND");
        values << f.settings.text(Text::warp);
    }
    return values;
}

} // namespace

class PickersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void pwadPickerAddsEntries() {
        MainWindowFixture f;
        f.window();
        // The Doom directory as typed in other letters than the chosen path.
        const QString doom = f.doomDir.path();
        f.settings.setText(Text::doomDirectory, doom.toUpper());
        f.platform.dialogAnswers = {nativeJoin(doom, QStringLiteral("WADS/Mine.wad")),
                                    QStringLiteral("/other/x.deh"),
                                    nativeJoin(doom, QStringLiteral("WADS/Mine.wad"))};
        f.click("cmdAdd");
        QCOMPARE(f.edit("txtPWADS")->text(), QStringLiteral("WADS/Mine.wad"));
        const auto& dialog = f.platform.dialogs.back();
        QCOMPARE(dialog.kind, FileDialogKind::Open);
        QCOMPARE(dialog.request.initialDirectory, doom.toUpper());
        QCOMPARE(dialog.request.filter, QStringLiteral("PWADs and DeHacked Patches|*.wad;*.deh"));
        QVERIFY(dialog.request.fileName.isEmpty());

        f.click("cmdAdd");
        f.click("cmdAdd"); // the same file again is simply added again
        QCOMPARE(f.settings.text(Text::pwads),
                 QStringLiteral("WADS/Mine.wad /other/x.deh WADS/Mine.wad"));
        f.click("cmdAdd"); // cancelled
        QCOMPARE(f.settings.text(Text::pwads),
                 QStringLiteral("WADS/Mine.wad /other/x.deh WADS/Mine.wad"));
    }

    void randomLevelsRepeatAfterARestart() {
        const QStringList first = rndSequence(100);
        for (const QString& value : first) {
            bool ok = false;
            const int level = value.toInt(&ok);
            QVERIFY2(ok && level >= 1 && level <= 32, qPrintable(value));
        }
        QVERIFY(QSet<QString>(first.begin(), first.end()).size() > 20); // not stuck on a few values
        QCOMPARE(rndSequence(100), first);
    }

    void botsMoveOneAtATimeAndStaySorted() {
        MainWindowFixture f;
        f.window().show();
        f.click("cmdYBOT");
        auto* available = f.control<QListWidget>("fileBots");
        auto* selected = f.control<QListWidget>("listUseBots");
        f.settings.addToList(BotList::availableBots, QStringLiteral("zbot"));
        f.settings.addToList(BotList::availableBots, QStringLiteral("abot"));
        f.settings.addToList(BotList::availableBots, QStringLiteral("mbot"));
        QCOMPARE(items(available), QStringList({"abot", "mbot", "zbot"}));

        f.click("cmdAddBot"); // nothing selected
        f.click("cmdRemoveBot");
        QCOMPARE(items(available).size(), 3);
        QVERIFY(selected->count() == 0);

        clickItem(available, 2);
        f.click("cmdAddBot");
        clickItem(available, 0);
        f.click("cmdAddBot");
        QCOMPARE(items(available), QStringList{"mbot"});
        QCOMPARE(items(selected), QStringList({"abot", "zbot"}));
        QCOMPARE(f.settings.list(BotList::selectedBots), QStringList({"abot", "zbot"}));
        QVERIFY(available->selectedItems().isEmpty());
        QVERIFY(selected->selectedItems().isEmpty());

        clickItem(selected, 0);
        f.click("cmdRemoveBot");
        QCOMPARE(items(available), QStringList({"abot", "mbot"}));
        QCOMPARE(items(selected), QStringList{"zbot"});
        QVERIFY(selected->selectedItems().isEmpty());
    }

    void fileListsFillTheirBoxes() {
        MainWindowFixture f;
        for (const char* name : {"autoexec.cfg", "Other.CFG", "x.Cfg", "readme.txt", "demo1.lmp"})
            f.touch(f.doomFile(QLatin1String(name)));
        QDir(f.doomDir.path()).mkdir(QStringLiteral("folder.cfg"));
        MainWindow& w = f.window();
        w.setExecCfgFolder(f.doomDir.path());
        w.setDemoFolder(f.doomDir.path());
        w.show();

        f.click("cmdCustomCFG");
        auto* configs = f.control<QListWidget>("fileExecCfg");
        QCOMPARE(items(configs), QStringList({"autoexec.cfg", "Other.CFG", "x.Cfg"}));
        clickItem(configs, 1);
        QCOMPARE(f.edit("txtExecCFG")->text(), QStringLiteral("Other.CFG"));

        f.click("cmdDemo");
        auto* demos = f.control<QListWidget>("fileDemo");
        QCOMPARE(items(demos), QStringList{"demo1.lmp"});
        clickItem(demos, 0);
        QCOMPARE(f.settings.text(Text::demoFile), QStringLiteral("demo1"));

        // The demo list follows a new folder; the config list keeps its own.
        QTemporaryDir other;
        f.touch(pathIn(other, QStringLiteral("duel.lmp")));
        w.setDemoFolder(other.path());
        QCOMPARE(items(demos), QStringList{"duel.lmp"});
        QCOMPARE(items(configs).size(), 3);
        QCOMPARE(f.settings.text(Text::demoFile), QStringLiteral("demo1"));

        f.click("checkRecDemo");
        f.click("checkPlayDemo");
        QCOMPARE(f.settings.check(Check::recordDemo), 1);
        QCOMPARE(f.settings.check(Check::playDemo), 1);
    }

    void weaponsPopupAppendsCodes() {
        MainWindowFixture f;
        f.window().show();
        auto* popup = f.control<QMenu>("menuWeapOld");
        QStringList names;
        for (QAction* action : popup->actions())
            names << action->objectName();
        QCOMPARE(names,
                 QStringList({"menu_fists", "menu_pistol", "mneu_Shotgun", "menu_SuperShotgun",
                              "menu_Chaingun", "menu_rocketlauncher", "menu_plasma", "menu_bfg",
                              "menu_chainsaw", "sep_weap", "menu_clear"}));
        QVERIFY(f.action("sep_weap")->isSeparator());

        f.click("cmdAd");
        f.click("cmdInsert");
        QVERIFY(popup->isVisible());
        popup->hide();

        f.action("menu_bfg")->trigger(); // the default already holds nine codes
        QCOMPARE(f.edit("txtWeap")->text(), QStringLiteral("014576328"));
        f.action("menu_clear")->trigger();
        QCOMPARE(f.settings.text(Text::weaponsOrder), QString());
        for (const char* name : {"menu_SuperShotgun", "menu_rocketlauncher", "menu_plasma"})
            f.action(name)->trigger();
        QCOMPARE(f.edit("txtWeap")->text(), QStringLiteral("876"));
        f.action("menu_clear")->trigger();
        f.action("menu_fists")->trigger();
        f.action("menu_fists")->trigger();
        QCOMPARE(f.settings.text(Text::weaponsOrder), QStringLiteral("00"));

        f.action("menu_clear")->trigger();
        QTest::keyClicks(f.edit("txtWeap"), QStringLiteral("abcdefghijkl"));
        QCOMPARE(f.settings.text(Text::weaponsOrder), QStringLiteral("abcdefghi"));
    }

    void parameterFilePickFillsThePath() {
        MainWindowFixture f;
        f.window();
        const QString chosen = f.programFile(QStringLiteral("serial.hx8"));
        f.platform.dialogAnswers = {chosen};
        f.click("cmdParFile");
        QCOMPARE(f.edit("txtParFile")->text(), chosen);
        const auto& dialog = f.platform.dialogs.back();
        QCOMPARE(dialog.request.initialDirectory, f.programDir.path());
        QCOMPARE(dialog.request.filter, QStringLiteral("Brimvault HX8 Parameter File|*.hx8"));
        QCOMPARE(dialog.request.flags, kHideReadOnly);
        f.click("cmdParFile"); // cancelled
        QCOMPARE(f.settings.text(Text::hx8ParameterFile), chosen);
    }
};

QTEST_MAIN(PickersTest)
#include "PickersTest.moc"
