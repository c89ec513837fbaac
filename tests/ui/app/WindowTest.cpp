// What a player sees of each window, control by control, and the windows coming and going.
#include "AppFixture.h"

#include "ui/main/MainPanes.h"
#include "ui/main/SettingsBinder.h"
#include "ui/main/Twips.h"

namespace {

// A control as a player finds it: its name, "/" where it stands, "#" read-only, "%" wrapping, "["
// frameless, "$" default, "<" its length limit, ">" the box a label names, "!" disabled, "*"
// checked, "." hidden; "=" its caption, text, value or picture size, "~" its tooltip, "@" its name
// for screen readers, "^" keys.
QString look(const QString& name, bool enabled, bool checked, bool shown, const QString& caption,
             const QString& tip = {}, const QString& spoken = {}, const QKeySequence& keys = {}) {
    QString s = name + (enabled ? "" : "!") + (checked ? "*" : "") + (shown ? "" : ".");
    for (const auto& [mark, part] : {std::pair{'=', caption},
                                     {'~', tip},
                                     {'@', spoken},
                                     {'^', keys.toString(QKeySequence::PortableText)}})
        if (!part.isEmpty())
            s += mark + part;
    return s;
}

QString look(QWidget* w, QWidget* root) {
    QString caption = w->isWindow() ? w->windowTitle() : QString();
    auto* button = qobject_cast<QAbstractButton*>(w);
    if (button)
        caption = button->text();
    else if (auto* label = qobject_cast<QLabel*>(w))
        caption = label->pixmap().isNull()
                      ? label->text()
                      : u"%1x%2"_s.arg(label->pixmap().width()).arg(label->pixmap().height());
    else if (auto* frame = qobject_cast<QGroupBox*>(w))
        caption = frame->title();
    else if (auto* edit = qobject_cast<QLineEdit*>(w))
        caption = edit->text();
    else if (auto* combo = qobject_cast<QComboBox*>(w))
        caption = combo->currentText();
    else if (auto* bar = qobject_cast<QAbstractSlider*>(w))
        caption = QString::number(bar->value());
    else if (auto* list = qobject_cast<QListWidget*>(w); list && list->count() > 0)
        caption = list->item(0)->text() + (list->count() > 1 ? "..." : "");
    else if (auto* e = qobject_cast<QPlainTextEdit*>(w)) // 2 for each scroll bar always shown
        caption = QString::number(e->verticalScrollBarPolicy() + e->horizontalScrollBarPolicy());
    else if (w->metaObject() == &QFrame::staticMetaObject) // a line, a box or nothing drawn
        caption = QString::number(static_cast<QFrame*>(w)->frameShape());
    const int longest = w->property("maxLength").toInt(); // a line edit's, 32767 if unset
    const QWidget* named = qobject_cast<QLabel*>(w) ? static_cast<QLabel*>(w)->buddy() : nullptr;
    const QPoint at = w->mapTo(root, QPoint());
    const double across = 100.0 / root->width(), down = 100.0 / root->height();
    const QString name =
        w->objectName() +
        (w != root && w->isVisibleTo(root) ? QString::asprintf("/%.0f,%.0f+%.0f", at.x() * across,
                                                               at.y() * down, w->width() * across)
                                           : QString()) +
        (w->property("readOnly").toBool() ? "#" : "") +
        (w->property("wordWrap").toBool() || w->property("lineWrapMode").toInt() ? "%" : "") +
        (w->inherits("QAbstractScrollArea") && !w->property("frameShape").toInt() ? "[" : "") +
        (w->property("default").toBool() ? "$" : "") +
        (longest % 32767 ? '<' + QString::number(longest) : "") +
        (named ? '>' + named->objectName() : "");
    return look(name, w->isEnabled(), button && button->isChecked(),
                w == root || w->isVisibleTo(root), caption, w->toolTip(), w->accessibleName());
}

// The entries of a menu, and of each menu of a menu bar, in order.
QStringList entries(QWidget* menu) {
    QStringList shown;
    for (QAction* a : menu->actions()) {
        shown << look(a->menu() ? a->menu()->objectName() : a->objectName(), a->isEnabled(),
                      a->isChecked(), a->isVisible(), a->text(), {}, {}, a->shortcut());
        if (a->menu() && qobject_cast<QMenuBar*>(menu))
            shown << entries(a->menu());
    }
    return shown;
}

// Each control of the row as the window shows it, and where: "/x,y+w", its top left corner and
// width in hundredths of the window's width and height.
void compareWindow(QWidget* root, const char* expected) {
    const QStringList items = QString::fromUtf8(expected).split('|');
    const bool menu = qobject_cast<QMenu*>(root) || qobject_cast<QMenuBar*>(root);
    QStringList shown = menu ? entries(root) : QStringList(), names, tabbed;
    QRect last; // the last control shown
    for (qsizetype i = 0; i < items.size() && !menu; ++i) {
        const QString name =
            names.emplace_back(items[i].section(QRegularExpression("[/#%[$<>!*.=~@^]"), 0, 0));
        QWidget* w = root->objectName() == name ? root : root->findChild<QWidget*>(name);
        shown << (w ? look(w, root) : name + '?');
        if (const auto* t = w ? nullptr : root->findChild<QTimer*>(name)) // "!" stopped
            shown.last() = look(name, t->isActive(), false, true, QString::number(t->interval()));
        if (w && w->isVisibleTo(root))
            last = QRect(w->mapTo(root, QPoint()), w->size());
    }
    for (qsizetype i = 0; i < std::max(items.size(), shown.size()); ++i)
        QCOMPARE(shown.value(i), items.value(i));
    // A side window's last control closes it at the bottom right, 11 pixels from it at most.
    const QPoint corner = root->rect().bottomRight() - last.bottomRight();
    QVERIFY(!root->isWindow() || menu || qobject_cast<MainWindow*>(root) ||
            QRect(0, 0, 12, 12).contains(corner));
    // In a window, Tab visits the controls in the row's order, and none without a name.
    for (QWidget* w = root; !menu && root->isWindow() && (w = w->nextInFocusChain()) != root;)
        if ((w->focusPolicy() & Qt::TabFocus) &&
            (names.contains(w->objectName()) ||
             (w->objectName().isEmpty() && w->isVisibleTo(root) &&
              !(w->parentWidget()->focusPolicy() & Qt::TabFocus)))) // not a part of a control
            tabbed << w->objectName();
    names.removeIf([&tabbed](const QString& name) { return !tabbed.contains(name); });
    QCOMPARE(tabbed, names);
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { QTest::failOnWarning(kQtWarning); }

    // After a start with stored docking and colours, every window as its design and state say.
    void everyWindowShowsItsControlsInReadingOrder() {
        App a("-nosetup");
        a.platform.store.insert({u"Console Settings"_s, u"Docking"_s}, u"1"_s);
        writeBytes(a.file("colour.brc"), " 1 \r\n 2 \r\n 3 \r\n 40 \r\n 50 \r\n 60 \r\n");
        writeBytes(a.file("main.brv"), "show 1\r\nwarp 07\r\ndm 2\r\n");
        a.settings.addToList(BotList::availableBots, u"bob"_s); // before the pane
        a.settings.addToList(BotList::selectedBots, u"amy"_s);
        runStartup(a.windows);
        MainWindow& main = a.main();
        main.buildOtherPanes();
        const auto pane = [&](const char* name) {
            auto* shown = main.findChild<QWidget*>(QLatin1String(name));
            main.findChild<QStackedWidget*>()->setCurrentWidget(shown);
            QApplication::processEvents();
            return shown;
        };
        const char* welcome = // the wizard's first page, shown again by Back
            "frmSetup=Setup Wizard|imgShow/3,5+15=64x128@Brimvault|box1/19,5+78|"
            "lblWelcome/21,10+74%=Welcome to Brimvault. This wizard will help you setup Brimvault.|"
            "box2.|lblDoom>txtDir.=Where is your Doom Directory?|txtDir.=c:\\doom2|"
            "cmdBrowse.=&Browse|frameSep1/3,80+95=4|cmdBack/35,84+19!=< &Back|"
            "cmdNext/55,84+19$=&Next >|cmdCancel/78,84+19=&Cancel";
        // Each side window as the command that shows it leaves it.
        const auto shown = [&](const char* command, QWidget* window) {
            a.interpreter.interpret(QLatin1String(command));
            QApplication::processEvents();
            return window;
        };
        SetupWizard& wizard = a.windows.setup();
        // clang-format off
        const std::pair<std::function<QWidget*()>, const char*> rows[] = {
            {[&] { return &main; }, "frmMain=Brimvault Version 1.21 Beta|cmdGen/1,7+23!=General|"
             "cmdMult/1,14+23=Multiplayer|cmdAd/1,22+23=Advanced|cmdDoomBot/1,30+23=DoomBot|"
             "cmdHX8/1,38+23=HX8|cmdYBOT/1,45+23=Cajun Bot|cmdCustomCFG/1,53+23=Custom|"
             "cmdDemo/1,61+23=Demo|comboExec/1,70+23@Settings script|cmdEXEC/1,77+23=Exec|"
             "panes/25,5+73|cmdLaunchSingle/1,85+32$=&Single Player Game|"
             "cmdMultiplayer/34,85+32=&Doomatic Game|cdHX8/67,85+32=&HX8 Game|UpdateTimer=100"},
            {[&] { return pane("genBox"); }, "genBox@General|lblExe/1,4+57>comboEXE=Exe:|"
             "lblWarp/59,1+12>txtWarp=Warp:|cmdRND/72,1+27=Rnd~Genarates Random Level Number|"
             "comboEXE/1,11+57=Doom3.exe|txtWarp/59,11+39=07|"
             "lblPWADS/1,20+97>txtPWADS=PWADs and Patches:|txtPWADS/1,26+97|cmdAdd/1,35+27=Add|"
             "check3DFX/1,44+97=3DFX Enabled|checkGL/1,53+97=Open GL Enabled"},
            {[&] { return pane("multBox"); }, "multBox@Multiplayer|"
             "frameMultiplayer/1,1+97=Multiplayer|lblName/4,10+93>txtName=Name:|"
             "txtName/4,16+93=GI JOE|frameDeathMatch/1,28+97=DeathMatch|optionDMNone/4,37+49=None|"
             "optionDM2/54,37+43*=Deathmatch 2.0|optionDM/4,45+49=Orignal Deathmatch|"
             "checkMon/54,45+43*=&Monsters|frameDoomatic/1,56+97=Doomatic|"
             "lblMaticPar/4,65+66>txtMaticPar=Parameters (Non Local):|"
             "lblMax/71,65+26>txtMax=Max Players:|txtMaticPar/4,71+66|txtMax/71,71+26=4"},
            {[&] { return pane("adBox"); }, "adBox@Advanced|frameWeap/1,1+97=Weapons Order:|"
             "txtWeap/4,10+65<9=014576328@Weapons Order:|cmdInsert/70,10+27=Add|"
             "lblHeap/1,22+48>txtHeap=Heap Size:|txtHeap/1,28+48=10|"
             "checkMLOOK/51,29+48=gr_crappymlook|lblResolution/1,37+97!=Resolution:|"
             "lblWidth/1,44+48>txtWidth!=Width:|lblHeight/51,44+48>txtHeight!=Height:|"
             "txtWidth/1,50+48!=320|txtHeight/51,50+48!=200|"
             "lblPar/1,59+97>txtPar=Extra Parameters (Not Compatible With HX8) :|txtPar/1,65+97|"
             "lblConfigFile/1,74+97>txtConfigFile=Config File:|txtConfigFile/1,81+97"},
            {[&] { return pane("doombotBox"); }, "doombotBox@DoomBot|"
             "lblBotSkill/1,1+97>txtBotSkill=Bot Skill:|txtBotSkill/1,8+97=2|frameCTF/1,17+97=CTF|"
             "checkCTF/4,26+93=CTF"},
            {[&] { return pane("hx8Box"); }, "hx8Box@HX8|"
             "lblComputerName/1,1+97>txtComputerName=Computer Name:|"
             "txtComputerName/1,8+97=GI JOE'S COMPUTER|lblComPorts/1,17+97>txtComPorts=COM Ports:|"
             "txtComPorts/1,23+97=com3,57600|cmdParFile/1,32+45=Load Parameters File|"
             "lblParFile/1,41+97>txtParFile=Extra Parameters File:|txtParFile/1,48+97"},
            {[&] { return pane("ybotBox"); }, "ybotBox@Cajun Bot|"
             "lblBots/1,1+43>fileBots=Available Bots:|"
             "lblUseBots/56,1+42>listUseBots=Selected Bots:|fileBots/1,8+43=bob|"
             "cmdAddBot/45,40+10=>@Add the selected bot|"
             "cmdRemoveBot/45,49+10=<@Remove the selected bot|listUseBots/56,8+42=amy|"
             "checkWeapD/1,91+97=Weapon Drop"},
            {[&] { return pane("boxCustom"); }, "boxCustom@Custom|"
             "lblExecCFG/1,1+97%>txtExecCFG=Doom Legacy Config File to Execute in Autoexec.CFG:|"
             "txtExecCFG/1,13+97|fileExecCfg/1,22+97@Config files"},
            {[&] { return pane("boxDemo"); }, "boxDemo@Demo|checkPlayDemo/1,1+30=Play Demo|"
             "checkRecDemo/32,1+35=Record Demo|txtDemoFile/1,10+97@Demo name|"
             "fileDemo/1,19+97@Demo files"},
            {[&] { return main.menuBar(); }, "menuFile=&File|menuNew!.=&New Settings^Ctrl+N|"
             "menuOpen=&Open Settings...^Ctrl+O|menuSave=&Save Settings...^Ctrl+S|"
             "menuExport=&Export Settings...^Ctrl+E|menuBatchFile=&Make Batch File...|sep1|"
             "menuExit=E&xit|menuTools=&Tools|menuMatic!.=&Run Doomatic|"
             "menuCEdit=Config File &Editor...^F9|"
             "menuHX8ParEdit!.=&HX8 Parameter File Editor...^F11|sep2|menu*=Show &Console^F12|sep3|"
             "menuOptions=&Options...|menuHelp=&Help|menuTopics=BRV Help &Topics^F1|sep4|"
             "menuAbout=&About..."},
            {[&] { return main.findChild<QMenu*>("menuWeapOld"); },
             "menu_fists=Fists|menu_pistol=Pistol|mneu_Shotgun=Shotgun|"
             "menu_SuperShotgun=Super Shotgun|menu_Chaingun=Chaingun|"
             "menu_rocketlauncher=Rocket Launcher|menu_plasma=Plasma Gun|menu_bfg=BFG|"
             "menu_chainsaw=Chainsaw|sep_weap|menu_clear=Clear"},
            {[&] { return shown("options", &a.windows.options()); },
             "frmOptions=Options|lblOptions/2,4+21>txtDir=Doom Directory:|txtDir/25,4+54=c:\\doom2|"
             "cmdBrowse/80,4+17=&Browse|lblDemo/2,15+21>txtDemoDir=Demo Directory:|"
             "txtDemoDir/25,15+54~Leave as nothing for default|"
             "frameForeColour/2,26+47=Console Font Colour|lblRedFore/5,37+8>redFore=Red|"
             "redFore/14,37+32=40@Console Font Colour Red|lblGreenFore/5,45+8>greenFore=Green|"
             "greenFore/14,45+32=50@Console Font Colour Green|lblBlueFore/5,53+8>blueFore=Blue|"
             "blueFore/14,53+32=60@Console Font Colour Blue|"
             "lblForeColour/5,61+42@Console Font Colour preview|"
             "frameBackColour/51,26+47=Console Background Colour|lblBackRed/53,37+8>redBack=Red|"
             "redBack/63,37+32=1@Console Background Colour Red|"
             "lblBackGreen/53,45+8>greenBack=Green|"
             "greenBack/63,45+32=2@Console Background Colour Green|"
             "lblBackBlue/53,53+8>blueBack=Blue|blueBack/63,53+32=3@Console Background Colour Blue|"
             "lblBackColour/53,61+42@Console Background Colour preview|"
             "checkDock/2,77+95*=Dock Console|cmdSaveTheme/2,87+29=&Save Colour Scheme|"
             "cmdTheme/32,87+28=&Open Colour Theme|cmdOk/80,87+17$=&Ok"},
            {[&] { wizard.show(); return shown("", &wizard); }, welcome},
            {[&] { QTest::keyClick(&wizard, Qt::Key_Return); return &wizard; },
             "frmSetup=Setup Wizard|imgShow/3,5+15=64x128@Brimvault|box1.|"
             "lblWelcome%.=Welcome to Brimvault. This wizard will help you setup Brimvault.|"
             "box2/19,5+78|lblDoom/21,10+74>txtDir=Where is your Doom Directory?|"
             "txtDir/21,19+53=c:\\doom2|cmdBrowse/76,19+19=&Browse|frameSep1/3,80+95=4|"
             "cmdBack/35,84+19=< &Back|cmdNext/55,84+19$=&Finish|cmdCancel/78,84+19=&Cancel"},
            {[&] { click(wizard, "cmdBack"); return &wizard; }, welcome},
            {[&] { QMetaObject::invokeMethod(main.findChild<QTimer*>("UpdateTimer"), "timeout");
                   return &a.console(); }, "frmConsole|txtConsole/0,0+100#%[=0@Console output|"
             "txtInput/0,90+100@Console command|timerDown!=1"},
            {[&] { return shown("debug", &a.windows.debug()); },
             "frmDebug=Debug|richtextbox1/2,3+95#%=0@Debug log|cmdHide/63,90+17=Hide|"
             "cmdQuit/81,90+17=Quit"},
            {[&] { return shown("edit", &a.windows.edit()); },
             "frmEdit=Config File Editor|txtText/0,5+100=4@Document"},
            {[&] { return a.windows.edit().menuBar(); }, "menuFile=&File|menuNew=&New|"
             "menuOpen=&Open|menuSave=&Save|sep1|menuClose=&Close"},
            {[&] { QWidget* about = shown("about", &a.windows.about()); // once it has typed
                   auto* typing = about->findChild<QTimer*>("timerWrite");
                   static_cast<void>(QTest::qWaitFor([&] { return !typing->isActive(); }));
                   return about; },
             "frmAbout=About Brimvault|imgLogo/7,4+85=320x200@Brimvault logo|"
             "lblWrite/3,73+94=Brimvault 1.2 Beta\nWritten by the Brimvault developers\n"
             "This program is free software and comes with no warranty.|cmdOk/76,89+21$=&Ok|"
             "timerWrite!=1"},
        };
        // clang-format on
        for (size_t i = 0; i < std::size(rows) && !QTest::currentTestFailed(); ++i)
            compareWindow(rows[i].first(), rows[i].second); // up to the first window that differs
    }

    // Every control shows its setting and writes it back, beyond Latin-1 too; the pickers fill
    // theirs; the Exe list's engines and the other panes come once the window is on screen, once.
    void everyControlAndPickerFillsItsSetting() {
        QTemporaryDir program, bin;
        writeBytes(pathIn(program, u"b.brv"_s), "warp 09\r\n");
        writeBytes(pathIn(program, u"A.BRV"_s), "");
        makeExecutable(pathIn(bin, u"woof"_s));
        App a("", nullptr, program.path());
        a.settings.setText(Text::doomDirectory, a.dir.path());
        for (const char* name : {"Doom3.exe", "autoexec.cfg", "Other.CFG", "demo1.lmp"})
            writeBytes(a.file(name), "");
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit());
        MainWindow& main = a.main();
        auto* engines = child<QComboBox>(main, "comboEXE");
        auto* panes = child<QStackedWidget>(main, "panes");
        QVERIFY(engines->count() == 7 && panes->count() == 1);
        main.setExecCfgFolder(a.dir.path()); // kept until their pane is built
        main.setDemoFolder(a.dir.path());
        main.show();
        main.move(70, 50); // at an exit now, the console not yet built would be docked below
        QCOMPARE(a.windows.placement().consoleLeft, a.windows.placement().mainLeft);
        QTRY_VERIFY(main.loadTimer()); // the first picture starts it; the window settles first
        QVERIFY(main.loadTimer()->isActive() && main.loadTimer()->isSingleShot() &&
                panes->count() == 1 && !engines->completer()->model());
        main.loadTimer()->stop();
        QMetaObject::invokeMethod(main.loadTimer(), "timeout");
        QVERIFY(engines->count() > 7 && panes->count() == 8);
        qputenv("PATH", path);
        QStringList listed;
        for (int i = 0; i < engines->count(); ++i)
            listed << engines->itemText(i);
        QCOMPARE(listed.mid(0, 7).join('|'), "Cajun.exe|Doom3.exe|Doombot.exe|legacy.exe|"
                                             "windoom3.exe|ybot.exe|ybot050.exe");
        QVERIFY(listed.indexOf(u"woof"_s) >= 7);
        engines->setFocus(); // a name typed then completes in place, in any case
        engines->clearEditText();
        QTest::keyClicks(engines->lineEdit(), u"WO"_s);
        QCOMPARE(engines->currentText(), u"WOof"_s);
        main.repaint();
        QCoreApplication::processEvents();
        QCOMPARE(engines->count(), listed.size());
        a.settings.setText(Text::executable, u"Cajun.exe"_s); // the open list shows it chosen
        QCOMPARE(engines->currentIndex(), 0);
        // The Exec button runs the script chosen from those of the program directory.
        auto* scripts = child<QComboBox>(main, "comboExec");
        QCOMPARE(scripts->itemText(0) + scripts->itemText(1), u"A.BRVb.brv"_s);
        scripts->setCurrentIndex(1);
        click(main, "cmdEXEC");
        QCOMPARE(a.settings.text(Text::warp), u"09"_s);

        const QString typed = u"w\u20ac"_s;
        for (int i = 0; i < kTextCount; ++i) {
            if (Text(i) == Text::doomDirectory || Text(i) == Text::demoDirectory)
                continue; // the options window's
            auto* combo = child<QComboBox>(main, controlName(Text(i)));
            QLineEdit* box =
                combo ? combo->lineEdit() : child<QLineEdit>(main, controlName(Text(i)));
            a.settings.setText(Text(i), u"v%1"_s.arg(i));
            QCOMPARE(box->text(), u"v%1"_s.arg(i));
            if (!box->isEnabled())
                continue; // width and height: by command and script only
            box->selectAll();
            QTest::keyClick(box, Qt::Key_W);
            typeEuro(box);
            QCOMPARE(box->text() + a.settings.text(Text(i)), typed + typed);
        }
        for (int i = 0; i < kCheckCount; ++i) {
            a.settings.setCheck(Check(i), 0);
            click(main, controlName(Check(i)));
            QCOMPARE(a.settings.check(Check(i)), 1);
        }
        click(main, "optionDM2");
        a.settings.setDm(DmOption::none); // its button follows: pressed again, it chooses again
        click(main, "optionDM2");
        QCOMPARE(a.settings.dm(), DmOption::altDeath);
        // Each pane button shows its pane and is the one disabled.
        for (size_t n = 1; n <= kPanes.size(); ++n) { // the first pane, shown at the start, last
            const size_t i = n % kPanes.size();
            click(main, kPanes[i].buttonName);
            QCOMPARE(panes->currentWidget()->objectName(), QLatin1String(kPanes[i].paneName));
            QVERIFY(!child(main, kPanes[i].buttonName)->isEnabled());
            QVERIFY(child(main, kPanes[(i + 1) % kPanes.size()].buttonName)->isEnabled());
        }
        QCOMPARE(panes->count(), static_cast<int>(kPanes.size())); // built once
        // Every setting has its control in the panes, but the options window's two directories.
        QStackedWidget fresh;
        LaunchSettings unbound;
        QVERIFY(SettingsBinder(unbound).bindChildren(&fresh).isEmpty()); // nothing there yet
        buildPanes(&fresh, 0, kPanes.size());
        QCOMPARE(SettingsBinder(unbound).bindChildren(&fresh).size(), kTextCount + kCheckCount + 3);
        // PWADs below the Doom directory as it stands (in any case) are added relative to it.
        a.settings.setText(Text::doomDirectory, a.dir.path().toUpper());
        const QString beside = a.dir.path() + "x/y.wad"; // a folder named like it, but longer
        a.platform.dialogAnswers = {a.file("wads/M.wad"), u"/other/x.deh"_s, QString(), beside,
                                    a.file("serial.hx8")};
        for (const char* button : {"cmdAdd", "cmdAdd", "cmdAdd", "cmdAdd", "cmdParFile"})
            click(main, button);
        QCOMPARE(a.settings.text(Text::pwads), typed + " wads/M.wad /other/x.deh " + beside);
        const FileDialogSpec& asked = a.platform.dialogs.front().request; // no read-only box hidden
        QCOMPARE(asked.initialDirectory + '|' + asked.filter + '|' + QString::number(asked.flags),
                 a.dir.path().toUpper() + "|PWADs and DeHacked Patches|*.wad;*.deh|0");
        QCOMPARE(a.settings.text(Text::hx8ParameterFile), a.file("serial.hx8"));
        for (const auto& [list, row] : {std::pair{"fileExecCfg", 1}, {"fileDemo", 0}}) {
            child<QListWidget>(main, list)->setCurrentRow(row);
            child<QListWidget>(main, list)->item(row)->setSelected(true);
        }
        QCOMPARE(a.settings.text(Text::customConfig), u"Other.CFG"_s);
        QCOMPARE(a.settings.text(Text::demoFile), u"demo1"_s);
        // The arrows move the chosen bot across and back; with none chosen they do nothing.
        a.settings.addItemsToList(BotList::availableBots, list("amy|bob"));
        auto* available = child<QListWidget>(main, "fileBots");
        available->item(1)->setSelected(true);
        click(main, "cmdAddBot"); // and the list it left no longer shows it
        QVERIFY(a.settings.list(BotList::selectedBots) == list("bob") && available->count() == 1);
        child<QListWidget>(main, "listUseBots")->item(0)->setSelected(true);
        for (const char* arrow : {"cmdRemoveBot", "cmdRemoveBot", "cmdAddBot"})
            click(main, arrow);
        QCOMPARE(a.settings.list(BotList::availableBots), list("amy|bob"));
        click(main, "cmdInsert");
        QVERIFY(child<QMenu>(main, "menuWeapOld")->isVisible());
        for (const char* name : {"menu_clear", "menu_bfg", "menu_fists"})
            child<QAction>(main, name)->trigger();
        QCOMPARE(a.settings.text(Text::weaponsOrder), u"30"_s);
    }

    // Minimising the main window takes the console along, restoring brings it back if shown; a
    // window asked for comes to the front; a docked console hangs below the main window without a
    // caption. The menus and buttons send their commands.
    void theWindowsComeGoAndStackAsAskedAndTheMenusSendTheirCommands() {
        App a("-nosetup");
        runStartup(a.windows);
        MainWindow& main = a.main();
        ConsoleWindow& console = a.console();
        QVERIFY(QTest::qWaitForWindowExposed(&main) && console.isVisible());
        QCOMPARE(main.frameGeometry().size(), QSize(twipsToPixels(6195, main.logicalDpiX()),
                                                    twipsToPixels(5295, main.logicalDpiY())));
        for (const bool shown : {true, false}) {
            main.setConsoleShown(shown);
            main.showMinimized();
            QTRY_VERIFY(main.isMinimized() && !console.isVisible());
            main.showNormal();
            QTRY_COMPARE(console.isVisible(), shown);
        }
        // A window stored off the screen comes back onto it, whole where it fits.
        const QRect screen(0, 0, 800, 600);
        QCOMPARE(keepOnScreen({900, 50, 300, 200}, {screen}, screen), QPoint(500, 50));
        QCOMPARE(keepOnScreen({50, 700, 300, 200}, {screen}, screen), QPoint(50, 400));
        QCOMPARE(keepOnScreen({-1200, -800, 1000, 700}, {screen}, screen), QPoint(0, 0));
        QCOMPARE(keepOnScreen({900, 50, 300, 200}, {screen, {800, 0, 800, 600}}, screen),
                 QPoint(900, 50));
        MainWindow alone(a.settings, a.colours, a.interpreter, a.platform); // no console yet
        alone.showMinimized();
        alone.showNormal();
        click(alone, "cmdMult"); // before the other panes came: it builds them
        QCOMPARE(child<QStackedWidget>(alone, "panes")->currentWidget()->objectName(), "multBox");
        Seen raised;
        qApp->installEventFilter(&raised);
        // The main window's menu entries send the commands that ask for the side windows.
        for (const char* command :
             {"show 0", "show 1", "menuOptions", "debug", "menuAbout", "menuCEdit"}) {
            if (QAction* entry = main.findChild<QAction*>(QLatin1String(command)))
                entry->trigger();
            else
                a.interpreter.interpret(QLatin1String(command));
        }
        qApp->removeEventFilter(&raised);
        QCOMPARE(raised.windows, list("frmMain|frmOptions|frmDebug|frmAbout|frmEdit"));
        child<QAction>(main, "menuOptions")->trigger(); // open behind the editor: it takes the keys
        QTRY_VERIFY(a.windows.options().isActiveWindow());
        QCOMPARE(QSize(a.windows.edit().textBox()->width(), a.windows.edit().height()),
                 QSize(520, 380)); // the document fills the editor's width
        OptionsWindow& options = a.windows.options();
        options.dockBox()->click();
        main.move(70, 50);
        QMetaObject::invokeMethod(main.findChild<QTimer*>("UpdateTimer"), "timeout");
        QCOMPARE(console.pos(), MainWindow::consoleDockPoint(main));
        QVERIFY(console.windowTitle().isEmpty());
        options.dockBox()->click();
        QMetaObject::invokeMethod(main.findChild<QTimer*>("UpdateTimer"), "timeout");
        QCOMPARE(console.windowTitle(), u"Brimvault [Console]"_s);
        click(options, "cmdOk");
        // The menus send their commands and open and save settings; the launch button and Enter
        // in a field start a game; Exit ends the program once.
        writeBytes(a.file("Doom3.exe"), "");
        a.settings.setText(Text::doomDirectory, a.dir.path());
        child<QAction>(main, "menuTopics")->trigger();
        QVERIFY(a.platform.documents.size() == 1 && a.platform.dialogs.empty());
        const QString saved = a.file("Mine.brv");
        a.settings.setText(Text::warp, u"E1M1"_s);
        a.platform.dialogAnswers = {a.file("Doom3.exe/x.brv"), saved, saved};
        child<QAction>(main, "menuSave")->trigger();
        QVERIFY(a.platform.messages.back().text.startsWith("The settings could not be saved to " +
                                                           a.file("Doom3.exe/x.brv") + ".\n") &&
                !a.platform.messages.back().informationIcon);
        child<QAction>(main, "menuSave")->trigger();
        a.settings.setText(Text::warp, QString());
        child<QAction>(main, "menuOpen")->trigger();
        QCOMPARE(child<QLineEdit>(main, "txtWarp")->text(), u"e1m1"_s);
        QCOMPARE(a.platform.dialogs[2].request.initialDirectory +
                     a.platform.dialogs[2].request.filter,
                 a.dir.path() + "Brimvault Config File|*.brv");
        click(main, "cmdLaunchSingle");
        QCOMPARE(a.platform.starts.back().program, a.file("Doom3.exe"));
        QVERIFY(a.platform.starts.back().arguments.contains(u"e1m1"_s));
        QTest::keySequence(child(main, "txtWarp"), QKeySequence(Qt::Key_F5, Qt::Key_F5)); // no game
        QTest::keyClick(child<QComboBox>(main, "comboEXE")->lineEdit(), Qt::Key_Enter);
        for (const char* button : {"cmdMult", "cmdRemoveBot"}) // presses that button only
            QTest::keyClick(child(main, button), Qt::Key_Return);
        QCOMPARE(a.platform.starts.size(), size_t(2));
        for (const char* button : {"cmdMultiplayer", "cdHX8", "cmdRND"}) // each does its own work
            click(main, button);
        QVERIFY(QFile::exists(a.file("doomatic.cfg")) && QFile::exists(a.file("hx8.cfg")) &&
                a.settings.text(Text::warp).toInt());
        for (const char* entry : {"menuExport", "menuBatchFile"}) // each asks where, cancelled
            child<QAction>(main, entry)->trigger();
        QCOMPARE(a.platform.dialogs.end()[-2].request.filter +
                     a.platform.dialogs.back().request.filter,
                 u"Doom Legacy Config File|*.cfgBatch File|*.bat"_s);
        main.setConsoleShown(true);
        a.console().show();
        child<QAction>(main, "menu")->trigger(); // "Show &Console" off
        QVERIFY(!main.consoleShown() && a.console().isHidden());
        child<QAction>(main, "menuExit")->trigger();
        QVERIFY(a.platform.quitCount == 1 && main.close());
        QCOMPARE(a.platform.quitCount, 1); // closing sent no second exit
        a.platform.failStoreAfter = 0;     // Next, then a Finish the store cannot keep: a warning
        QTest::keySequence(&a.windows.setup(), QKeySequence(Qt::Key_Return, Qt::Key_Return));
        QVERIFY(!a.platform.messages.back().informationIcon &&
                a.platform.messages.back().text == "Brimvault could not record that setup is "
                                                   "done; this wizard will run again at the next "
                                                   "start.");
    }
};

int runWindowTests(int argc, char* argv[]) {
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowTest.moc"
