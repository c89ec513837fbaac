#include "MainWindow.h"

#include "launch/Launches.h"
#include "settings/CommandInterpreter.h"
#include "settings/LaunchSettings.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace bv {

namespace {

struct Weapon {
    const char* name;
    const char* caption;
    char code;
};

// The popup's entries in menu order; the names are those users' scripts and tools know.
constexpr Weapon kWeapons[] = {
    {"menu_fists", "Fists", '0'},       {"menu_pistol", "Pistol", '1'},
    {"mneu_Shotgun", "Shotgun", '4'},   {"menu_SuperShotgun", "Super Shotgun", '8'},
    {"menu_Chaingun", "Chaingun", '5'}, {"menu_rocketlauncher", "Rocket Launcher", '7'},
    {"menu_plasma", "Plasma Gun", '6'}, {"menu_bfg", "BFG", '3'},
    {"menu_chainsaw", "Chainsaw", '2'},
};

QAction* entry(QMenu* menu, const char* name, const char* caption,
               const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    return action;
}

// Entries kept for their place in the menu but never offered: invisible, disabled and
// connected to nothing, so their shortcuts do nothing either.
void hiddenEntry(QMenu* menu, const char* name, const char* caption, const QKeySequence& shortcut) {
    QAction* action = entry(menu, name, caption, shortcut);
    action->setVisible(false);
    action->setEnabled(false);
}

void separator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

QMenu* topMenu(QMenuBar* bar, const char* name, const char* caption) {
    QMenu* menu = bar->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QLatin1String(name));
    return menu;
}

} // namespace

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();

    QMenu* file = topMenu(bar, "menuFile", "&File");
    hiddenEntry(file, "menuNew", "&New Settings", QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(entry(file, "menuOpen", "&Open Settings...", QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, &MainWindow::openSettings);
    connect(entry(file, "menuSave", "&Save Settings...", QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, &MainWindow::saveSettings);
    connect(entry(file, "menuExport", "&Export Settings...", QKeySequence(Qt::CTRL | Qt::Key_E)),
            &QAction::triggered, this, [this] { exportSettings(settings_, platform_); });
    connect(entry(file, "menuBatchFile", "&Make Batch File..."), &QAction::triggered, this,
            [this] { makeBatchFile(settings_, platform_); });
    separator(file, "sep1");
    connect(entry(file, "menuExit", "E&xit"), &QAction::triggered, this,
            [this] { interpreter_.interpret(QStringLiteral("exit")); });

    QMenu* tools = topMenu(bar, "menuTools", "&Tools");
    hiddenEntry(tools, "menuMatic", "&Run Doomatic", {});
    connect(entry(tools, "menuCEdit", "Config File &Editor...", QKeySequence(Qt::Key_F9)),
            &QAction::triggered, this, [this] { interpreter_.interpret(QStringLiteral("edit")); });
    hiddenEntry(tools, "menuHX8ParEdit", "&HX8 Parameter File Editor...",
                QKeySequence(Qt::Key_F11));
    separator(tools, "sep2");
    showConsole_ = entry(tools, "menu", "Show &Console", QKeySequence(Qt::Key_F12));
    showConsole_->setCheckable(true);
    showConsole_->setChecked(true);
    connect(showConsole_, &QAction::triggered, this, &MainWindow::toggleConsole);
    separator(tools, "sep3");
    connect(entry(tools, "menuOptions", "&Options..."), &QAction::triggered, this,
            [this] { interpreter_.interpret(QStringLiteral("options")); });

    QMenu* help = topMenu(bar, "menuHelp", "&Help");
    connect(entry(help, "menuTopics", "BRV Help &Topics", QKeySequence(Qt::Key_F1)),
            &QAction::triggered, this,
            [this] { interpreter_.interpret(QStringLiteral("zun_help")); });
    separator(help, "sep4");
    connect(entry(help, "menuAbout", "&About..."), &QAction::triggered, this,
            [this] { interpreter_.interpret(QStringLiteral("about")); });
}

void MainWindow::buildWeaponsMenu() {
    // Owned by the window but never on the menu bar: it only opens as a popup.
    weaponsMenu_ = new QMenu(this);
    weaponsMenu_->setObjectName(QStringLiteral("menuWeapOld"));
    for (const Weapon& weapon : kWeapons) {
        const QChar code = QLatin1Char(weapon.code);
        connect(entry(weaponsMenu_, weapon.name, weapon.caption), &QAction::triggered, this,
                [this, code] {
                    settings_.setText(Text::weaponsOrder,
                                      appendWeapon(settings_.text(Text::weaponsOrder), code));
                });
    }
    separator(weaponsMenu_, "sep_weap");
    connect(entry(weaponsMenu_, "menu_clear", "Clear"), &QAction::triggered, this,
            [this] { settings_.setText(Text::weaponsOrder, QString()); });
}

} // namespace bv
