#include "MainWindow.h"

#include "Captions.h"
#include "FileListBox.h"
#include "MainPanes.h"
#include "SettingsBinder.h"
#include "Twips.h"

#include "launch/GameStart.h"
#include "launch/Launches.h"
#include "platform/Platform.h"
#include "settings/CommandInterpreter.h"
#include "settings/LaunchSettings.h"
#include "settings/SettingsScript.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>

#include <cmath>
#include <utility>

namespace bv {

namespace {

const QString kSettingsFilter = QStringLiteral("Brimvault Config File|*.brv");
const QString kPwadFilter = QStringLiteral("PWADs and DeHacked Patches|*.wad;*.deh");
constexpr int kDockIntervalMs = 100;

constexpr const char* kExecutables[] = {"Cajun.exe",    "Doom3.exe", "Doombot.exe", "legacy.exe",
                                        "windoom3.exe", "ybot.exe",  "ybot050.exe"};

// From the first picture to the building of the panes it did not show.
constexpr int kLoadDelayMs = 250;

// Enter on a focused button presses that button, as everywhere else on the desktop; Enter
// anywhere else reaches keyPressEvent and starts a game.
void pressOnEnter(QWidget* area) {
    for (QPushButton* button : area->findChildren<QPushButton*>())
        button->setAutoDefault(true);
}

} // namespace

MainWindow::MainWindow(LaunchSettings& settings, ConsoleOptions& console,
                       CommandInterpreter& interpreter, Platform& platform, QWidget* parent)
    : QMainWindow(parent), settings_(settings), consoleOptions_(console), interpreter_(interpreter),
      platform_(platform), binder_(new SettingsBinder(settings, this)),
      dockTimer_(new QTimer(this)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(mainWindowCaption());
    // A fixed single border: minimise, but no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    buildMenus();
    buildClientArea();

    // The design name is upper case; names set later by the user or a script keep their case.
    settings_.setText(Text::playerName, settings_.text(Text::playerName).toUpper());
    QStringList executables;
    for (const char* exe : kExecutables)
        executables << QString::fromLatin1(exe);
    findChild<QComboBox*>(QStringLiteral("comboEXE"))->addItems(executables); // one insertion
    // Binding after the list is filled keeps the record's "Doom3.exe" as the text.
    binder_->bindChildren(centralWidget());
    fillScriptList();
    showPane(0);
    wireControls();

    dockTimer_->setObjectName(QStringLiteral("UpdateTimer"));
    dockTimer_->setInterval(kDockIntervalMs);
    connect(dockTimer_, &QTimer::timeout, this, &MainWindow::dockConsole);
    dockTimer_->start();

    applyDesignSize();
}

QRect MainWindow::twips(int left, int top, int width, int height) const {
    const int x = twipsToPixels(left, logicalDpiX());
    const int y = twipsToPixels(top, logicalDpiY());
    return {x, y, twipsToPixels(left + width, logicalDpiX()) - x,
            twipsToPixels(top + height, logicalDpiY()) - y};
}

void MainWindow::buildClientArea() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    // The column of pane buttons, then the script runner under it.
    constexpr int kColumnLeft = 60, kColumnWidth = 1440, kButtonHeight = 375, kPitch = 405;
    for (size_t i = 0; i < kPanes.size(); ++i) {
        auto* button = new QPushButton(QString::fromLatin1(kPanes[i].caption), client);
        button->setObjectName(QLatin1String(kPanes[i].buttonName));
        button->setGeometry(
            twips(kColumnLeft, 60 + static_cast<int>(i) * kPitch, kColumnWidth, kButtonHeight));
        paneButtons_[i] = button;
    }
    scriptBox_ = new QComboBox(client);
    scriptBox_->setObjectName(QStringLiteral("comboExec"));
    scriptBox_->setAccessibleName(QStringLiteral("Settings script"));
    scriptBox_->setGeometry(twips(kColumnLeft, 3390, kColumnWidth, 315));
    auto* execButton = new QPushButton(QStringLiteral("Exec"), client);
    execButton->setObjectName(QStringLiteral("cmdEXEC"));
    execButton->setGeometry(twips(kColumnLeft, 3720, kColumnWidth, kButtonHeight));

    // All eight panes share one rectangle; the stack shows exactly one of them.
    panes_ = new QStackedWidget(client);
    panes_->setObjectName(QStringLiteral("panes"));
    buildPanes(panes_, 0, 1);
    panes_->setGeometry(twips(1560, 0, 4500, 4095));

    constexpr int kLaunchTop = 4140, kLaunchWidth = 1960, kLaunchGap = 60;
    const std::array<std::pair<const char*, const char*>, 3> launches{{
        {"cmdLaunchSingle", "&Single Player Game"},
        {"cmdMultiplayer", "&Doomatic Game"},
        {"cdHX8", "&HX8 Game"},
    }};
    for (size_t i = 0; i < launches.size(); ++i) {
        auto* button = new QPushButton(QString::fromLatin1(launches[i].second), client);
        button->setObjectName(QLatin1String(launches[i].first));
        button->setGeometry(twips(kColumnLeft + static_cast<int>(i) * (kLaunchWidth + kLaunchGap),
                                  kLaunchTop, kLaunchWidth, kButtonHeight));
    }
    singlePlayerButton_ = findChild<QPushButton*>(QStringLiteral("cmdLaunchSingle"));
    singlePlayerButton_->setDefault(true);
    pressOnEnter(client);
}

QPushButton* MainWindow::button(const char* name) const {
    return findChild<QPushButton*>(QLatin1String(name));
}

void MainWindow::wireControls() {
    for (size_t i = 0; i < paneButtons_.size(); ++i)
        connect(paneButtons_[i], &QPushButton::clicked, this,
                [this, i] { showPane(static_cast<int>(i)); });
    connect(button("cmdEXEC"), &QPushButton::clicked, this, [this] {
        interpreter_.interpret(QStringLiteral("exec ") + scriptBox_->currentText());
    });
    connect(singlePlayerButton_, &QPushButton::clicked, this,
            [this] { launchSinglePlayer(settings_, platform_); });
    connect(button("cmdMultiplayer"), &QPushButton::clicked, this,
            [this] { launchDoomatic(settings_, platform_); });
    connect(button("cdHX8"), &QPushButton::clicked, this,
            [this] { launchHx8(settings_, platform_); });

    connect(button("cmdAdd"), &QPushButton::clicked, this, &MainWindow::addPwad);
    connect(button("cmdRND"), &QPushButton::clicked, this,
            [this] { settings_.setText(Text::warp, QString::number(randomLevel_.next())); });
}

void MainWindow::wireOtherPanes() {
    connect(button("cmdInsert"), &QPushButton::clicked, this,
            [this] { weaponsMenu_->popup(QCursor::pos()); });
    connect(button("cmdParFile"), &QPushButton::clicked, this,
            [this] { pickParameterFile(settings_, platform_); });

    auto* availableBots = findChild<QListWidget*>(QStringLiteral("fileBots"));
    auto* selectedBots = findChild<QListWidget*>(QStringLiteral("listUseBots"));
    connect(button("cmdAddBot"), &QPushButton::clicked, this,
            [this, availableBots] { moveBot(BotList::availableBots, availableBots); });
    connect(button("cmdRemoveBot"), &QPushButton::clicked, this,
            [this, selectedBots] { moveBot(BotList::selectedBots, selectedBots); });

    connect(findChild<FileListBox*>(QStringLiteral("fileExecCfg")), &FileListBox::fileChosen, this,
            [this](const QString& name) { settings_.setText(Text::customConfig, name); });
    connect(findChild<FileListBox*>(QStringLiteral("fileDemo")), &FileListBox::fileChosen, this,
            [this](const QString& name) { settings_.setText(Text::demoFile, demoName(name)); });
}

void MainWindow::buildOtherPanes() {
    if (otherPanesBuilt_)
        return;
    otherPanesBuilt_ = true;
    const int first = panes_->count();
    buildPanes(panes_, 1, kPanes.size());
    for (int i = first; i < panes_->count(); ++i) {
        QWidget* pane = panes_->widget(i);
        binder_->bindChildren(pane);
        pressOnEnter(pane);
    }
    buildWeaponsMenu(); // its only way in is the Advanced pane's Add
    wireOtherPanes();
    if (execCfgFolder_)
        setExecCfgFolder(*std::exchange(execCfgFolder_, std::nullopt));
    if (demoFolder_)
        setDemoFolder(*std::exchange(demoFolder_, std::nullopt));
}

void MainWindow::finishLoading() {
    buildOtherPanes();
    // The list's own names are Windows programs; a player elsewhere is offered the engines
    // that this system has. Looking them up walks every folder of the PATH.
    auto* engines = findChild<QComboBox*>(QStringLiteral("comboEXE"));
    engines->addItems(nativeEnginesOnPath());
    engines->completer()->setModel(engines->model()); // every entry is in: one reset
}

void MainWindow::applyDesignSize() {
    designSized_ = true;
    fitOuterSize();
}

void MainWindow::fitOuterSize() {
    const QSize outer(twipsToPixels(kWidthTwips, logicalDpiX()),
                      twipsToPixels(kHeightTwips, logicalDpiY()));
    // The frame is known only once the window system has decorated the window.
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize client = outer - frame;
    if (minimumSize() != client || maximumSize() != client)
        setFixedSize(client);
}

bool MainWindow::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    // An update request paints the window: the first one has put its first picture on screen.
    // In the moments after it the desktop still maps, decorates and composites this window and
    // the console, and work done then competes with it for the processor; no player reaches a
    // hidden pane or the Exe list within a quarter of a second.
    if (event->type() == QEvent::UpdateRequest && !loadTimer_) {
        loadTimer_ = new QTimer(this);
        loadTimer_->setSingleShot(true);
        loadTimer_->callOnTimeout(this, &MainWindow::finishLoading);
        loadTimer_->start(kLoadDelayMs);
    }
    if (designSized_ && (event->type() == QEvent::Show || event->type() == QEvent::Move))
        fitOuterSize();
    return handled;
}

void MainWindow::setConsoleWindow(QWidget* console) {
    console_ = console;
    if (!console_)
        return;
    console_->move(consoleDockPoint(*this));
}

QPoint MainWindow::consoleDockPoint(const QWidget& main) {
    const QRect outer = main.frameGeometry();
    return {outer.left(), outer.top() + outer.height()};
}

bool MainWindow::consoleShown() const {
    return showConsole_->isChecked();
}

void MainWindow::setConsoleShown(bool shown) {
    showConsole_->setChecked(shown);
}

void MainWindow::setExecCfgFolder(const QString& folder) {
    if (auto* list = findChild<FileListBox*>(QStringLiteral("fileExecCfg")))
        list->setFolder(folder);
    else
        execCfgFolder_ = folder;
}

void MainWindow::setDemoFolder(const QString& folder) {
    if (auto* list = findChild<FileListBox*>(QStringLiteral("fileDemo")))
        list->setFolder(folder);
    else
        demoFolder_ = folder;
}

void MainWindow::showPane(int index) {
    if (index > 0)
        buildOtherPanes();
    panes_->setCurrentIndex(index);
    for (size_t i = 0; i < paneButtons_.size(); ++i)
        paneButtons_[i]->setEnabled(static_cast<int>(i) != index);
}

void MainWindow::fillScriptList() {
    scriptBox_->clear();
    scriptBox_->addItems(matchingFileNames(platform_.programDirectory(), QStringLiteral("*.brv")));
    // Nothing is chosen until the user picks a script.
    scriptBox_->setCurrentIndex(-1);
}

void MainWindow::toggleConsole(bool show) {
    if (console_)
        console_->setVisible(show);
}

void MainWindow::dockConsole() {
    if (!console_)
        return;
    if (consoleOptions_.docked() == 0) {
        if (console_->windowTitle() != QLatin1String(kFloatingConsoleCaption))
            console_->setWindowTitle(QLatin1String(kFloatingConsoleCaption));
        return;
    }
    if (isMinimized())
        return;
    if (!console_->windowTitle().isEmpty())
        console_->setWindowTitle(QString());
    const QPoint below = consoleDockPoint(*this);
    if (console_->pos() != below)
        console_->move(below);
}

void MainWindow::openSettings() {
    const QString path =
        platform_.fileDialog(FileDialogKind::Open, {platform_.programDirectory(), QString(),
                                                    kSettingsFilter, kHideReadOnly});
    if (!path.isEmpty())
        interpreter_.interpret(QStringLiteral("exec ") + path);
}

void MainWindow::saveSettings() {
    const QString path =
        platform_.fileDialog(FileDialogKind::Save, {platform_.programDirectory(), QString(),
                                                    kSettingsFilter, kHideReadOnly});
    if (path.isEmpty())
        return;
    const WriteResult result = writeSettingsScript(path, settings_);
    if (!result.ok)
        platform_.messageBox(
            QStringLiteral("The settings could not be saved to %1.\n%2").arg(path, result.message),
            false);
}

void MainWindow::addPwad() {
    const QString doomDirectory = settings_.text(Text::doomDirectory);
    const QString path =
        platform_.fileDialog(FileDialogKind::Open, {doomDirectory, QString(), kPwadFilter, 0});
    if (path.isEmpty())
        return;
    settings_.setText(Text::pwads,
                      appendPwad(settings_.text(Text::pwads), pwadEntry(path, doomDirectory)));
}

void MainWindow::moveBot(BotList from, QListWidget* source) {
    const QList<QListWidgetItem*> chosen = source->selectedItems();
    if (chosen.isEmpty())
        return;
    // Both lists are refilled from the record, which leaves neither with a selection.
    settings_.moveBetweenLists(from, source->row(chosen.constFirst()));
}

void MainWindow::closeEvent(QCloseEvent* /*event*/) {
    // The exit sequence saves everything and ends the program; once it has run there is
    // nothing left to do but let the window go (the event comes accepted).
    if (!interpreter_.ended())
        interpreter_.interpret(QStringLiteral("exit"));
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && console_) {
        if (isMinimized())
            console_->hide();
        else if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) && consoleShown())
            console_->show();
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Only keys that no control used arrive here: Enter then means the default button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        singlePlayerButton_->click();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

} // namespace bv
