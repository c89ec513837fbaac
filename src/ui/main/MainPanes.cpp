#include "MainPanes.h"

#include "FileListBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <initializer_list>

namespace bv {

namespace {

constexpr int kMargin = 4;
constexpr int kSpacing = 3;

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLineEdit* edit(QWidget* parent, const char* name) {
    return named(new QLineEdit(parent), name);
}

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
    return named(new QPushButton(QString::fromLatin1(caption), parent), name);
}

QCheckBox* check(QWidget* parent, const char* name, const char* caption) {
    return named(new QCheckBox(QString::fromLatin1(caption), parent), name);
}

// A label that names its control, so that screen readers announce the control by this text.
QLabel* label(QWidget* parent, const char* name, const char* text, QWidget* buddy = nullptr) {
    auto* lbl = named(new QLabel(QString::fromLatin1(text), parent), name);
    if (buddy)
        lbl->setBuddy(buddy);
    return lbl;
}

QGroupBox* frame(QWidget* parent, const char* name, const char* caption) {
    return named(new QGroupBox(QString::fromLatin1(caption), parent), name);
}

template <typename Layout> Layout* tight(Layout* layout, int margin = kMargin) {
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(kSpacing);
    return layout;
}

// Each pane creates its controls in reading order, which is the order Tab visits them in;
// its layout code may then add them in any order.
QWidget* pane(QStackedWidget* stack, const char* name) {
    return named(new QWidget(stack), name);
}

QWidget* general(QStackedWidget* stack) {
    QWidget* box = pane(stack, "genBox");
    auto* engine = named(new QComboBox(box), "comboEXE");
    // Editable as setEditable(true) would make it, except that the popup list is built when
    // first opened and the inline completion gets its entries once the window is up
    // (MainWindow::finishLoading): the first picture need not wait for either. setLineEdit()
    // makes a completer of its own only for a line edit that has none.
    auto* line = new QLineEdit(engine);
    line->setPalette(engine->palette());
    auto* completer = new QCompleter(line);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::InlineCompletion);
    line->setCompleter(completer);
    engine->setAttribute(Qt::WA_InputMethodEnabled);
    engine->setLineEdit(line);
    engine->setCompleter(completer);
    // Enter starts a game; it must not also grow the executable list.
    engine->setInsertPolicy(QComboBox::NoInsert);
    auto* warp = edit(box, "txtWarp");
    auto* randomLevel = button(box, "cmdRND", "Rnd");
    randomLevel->setToolTip(QStringLiteral("Genarates Random Level Number"));
    auto* pwads = edit(box, "txtPWADS");
    auto* addPwad = button(box, "cmdAdd", "Add");
    auto* threeDfx = check(box, "check3DFX", "3DFX Enabled");
    auto* openGl = check(box, "checkGL", "Open GL Enabled");

    auto* warpHead = tight(new QHBoxLayout, 0);
    warpHead->addWidget(label(box, "lblWarp", "Warp:", warp));
    warpHead->addStretch();
    warpHead->addWidget(randomLevel);

    auto* grid = tight(new QGridLayout(box));
    grid->addWidget(label(box, "lblExe", "Exe:", engine), 0, 0, Qt::AlignBottom);
    grid->addLayout(warpHead, 0, 1);
    grid->addWidget(engine, 1, 0);
    grid->addWidget(warp, 1, 1);
    grid->addWidget(label(box, "lblPWADS", "PWADs and Patches:", pwads), 2, 0, 1, 2);
    grid->addWidget(pwads, 3, 0, 1, 2);
    grid->addWidget(addPwad, 4, 0, Qt::AlignLeft);
    grid->addWidget(threeDfx, 5, 0, 1, 2);
    grid->addWidget(openGl, 6, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setRowStretch(7, 1);
    return box;
}

QWidget* multiplayer(QStackedWidget* stack) {
    QWidget* box = pane(stack, "multBox");
    auto* column = tight(new QVBoxLayout(box));

    QGroupBox* player = frame(box, "frameMultiplayer", "Multiplayer");
    auto* name = edit(player, "txtName");
    auto* playerLayout = tight(new QVBoxLayout(player));
    playerLayout->addWidget(label(player, "lblName", "Name:", name));
    playerLayout->addWidget(name);

    QGroupBox* dm = frame(box, "frameDeathMatch", "DeathMatch");
    // One parent makes the three option buttons one exclusive group.
    auto* noDeathmatch = named(new QRadioButton(QStringLiteral("None"), dm), "optionDMNone");
    auto* altDeath = named(new QRadioButton(QStringLiteral("Deathmatch 2.0"), dm), "optionDM2");
    auto* deathmatch =
        named(new QRadioButton(QStringLiteral("Orignal Deathmatch"), dm), "optionDM");
    auto* monsters = check(dm, "checkMon", "&Monsters");
    auto* dmLayout = tight(new QGridLayout(dm));
    dmLayout->addWidget(noDeathmatch, 0, 0);
    dmLayout->addWidget(altDeath, 0, 1);
    dmLayout->addWidget(deathmatch, 1, 0);
    dmLayout->addWidget(monsters, 1, 1);

    QGroupBox* matic = frame(box, "frameDoomatic", "Doomatic");
    auto* doomaticParameters = edit(matic, "txtMaticPar");
    auto* maxPlayers = edit(matic, "txtMax");
    auto* maticLayout = tight(new QGridLayout(matic));
    maticLayout->addWidget(
        label(matic, "lblMaticPar", "Parameters (Non Local):", doomaticParameters), 0, 0);
    maticLayout->addWidget(label(matic, "lblMax", "Max Players:", maxPlayers), 0, 1);
    maticLayout->addWidget(doomaticParameters, 1, 0);
    maticLayout->addWidget(maxPlayers, 1, 1);
    maticLayout->setColumnStretch(0, 3);
    maticLayout->setColumnStretch(1, 1);

    column->addWidget(player);
    column->addWidget(dm);
    column->addWidget(matic);
    column->addStretch();
    return box;
}

QWidget* advanced(QStackedWidget* stack) {
    QWidget* box = pane(stack, "adBox");
    auto* column = tight(new QVBoxLayout(box));

    QGroupBox* weapons = frame(box, "frameWeap", "Weapons Order:");
    auto* weaponsOrder = edit(weapons, "txtWeap");
    weaponsOrder->setMaxLength(9);
    weaponsOrder->setAccessibleName(QStringLiteral("Weapons Order:"));
    auto* addWeapon = button(weapons, "cmdInsert", "Add");
    auto* weaponsLayout = tight(new QHBoxLayout(weapons));
    weaponsLayout->addWidget(weaponsOrder, 1);
    weaponsLayout->addWidget(addWeapon);

    auto* heapSize = edit(box, "txtHeap");
    auto* crappyMouseLook = check(box, "checkMLOOK", "gr_crappymlook");
    auto* heap = tight(new QGridLayout, 0);
    heap->addWidget(label(box, "lblHeap", "Heap Size:", heapSize), 0, 0);
    heap->addWidget(heapSize, 1, 0);
    heap->addWidget(crappyMouseLook, 1, 1);
    heap->setColumnStretch(0, 1);
    heap->setColumnStretch(1, 1);

    // Width and height change only by command and script: the group is shown but greyed.
    auto* resolutionLabel = label(box, "lblResolution", "Resolution:");
    auto* width = edit(box, "txtWidth");
    auto* height = edit(box, "txtHeight");
    auto* widthLabel = label(box, "lblWidth", "Width:", width);
    auto* heightLabel = label(box, "lblHeight", "Height:", height);
    for (QWidget* part :
         std::initializer_list<QWidget*>{resolutionLabel, widthLabel, heightLabel, width, height})
        part->setEnabled(false);
    auto* resolution = tight(new QGridLayout, 0);
    resolution->addWidget(resolutionLabel, 0, 0, 1, 2);
    resolution->addWidget(widthLabel, 1, 0);
    resolution->addWidget(heightLabel, 1, 1);
    resolution->addWidget(width, 2, 0);
    resolution->addWidget(height, 2, 1);

    auto* extraParameters = edit(box, "txtPar");
    auto* configFile = edit(box, "txtConfigFile");

    column->addWidget(weapons);
    column->addLayout(heap);
    column->addLayout(resolution);
    column->addWidget(
        label(box, "lblPar", "Extra Parameters (Not Compatible With HX8) :", extraParameters));
    column->addWidget(extraParameters);
    column->addWidget(label(box, "lblConfigFile", "Config File:", configFile));
    column->addWidget(configFile);
    column->addStretch();
    return box;
}

QWidget* doomBot(QStackedWidget* stack) {
    QWidget* box = pane(stack, "doombotBox");
    auto* column = tight(new QVBoxLayout(box));
    auto* botSkill = edit(box, "txtBotSkill");
    QGroupBox* ctf = frame(box, "frameCTF", "CTF");
    auto* captureTheFlag = check(ctf, "checkCTF", "CTF");
    tight(new QVBoxLayout(ctf))->addWidget(captureTheFlag);
    column->addWidget(label(box, "lblBotSkill", "Bot Skill:", botSkill));
    column->addWidget(botSkill);
    column->addWidget(ctf);
    column->addStretch();
    return box;
}

QWidget* hx8(QStackedWidget* stack) {
    QWidget* box = pane(stack, "hx8Box");
    auto* column = tight(new QVBoxLayout(box));
    auto* computerName = edit(box, "txtComputerName");
    auto* comPorts = edit(box, "txtComPorts");
    auto* loadParameters = button(box, "cmdParFile", "Load Parameters File");
    auto* parameterFile = edit(box, "txtParFile");
    column->addWidget(label(box, "lblComputerName", "Computer Name:", computerName));
    column->addWidget(computerName);
    column->addWidget(label(box, "lblComPorts", "COM Ports:", comPorts));
    column->addWidget(comPorts);
    column->addWidget(loadParameters, 0, Qt::AlignLeft);
    column->addWidget(label(box, "lblParFile", "Extra Parameters File:", parameterFile));
    column->addWidget(parameterFile);
    column->addStretch();
    return box;
}

QListWidget* botList(QWidget* parent, const char* name) {
    auto* list = named(new QListWidget(parent), name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

QWidget* cajunBot(QStackedWidget* stack) {
    QWidget* box = pane(stack, "ybotBox");
    auto* availableBots = botList(box, "fileBots");
    auto* addBot = button(box, "cmdAddBot", ">");
    auto* removeBot = button(box, "cmdRemoveBot", "<");
    auto* selectedBots = botList(box, "listUseBots");
    addBot->setAccessibleName(QStringLiteral("Add the selected bot"));
    removeBot->setAccessibleName(QStringLiteral("Remove the selected bot"));
    for (QPushButton* arrow : {addBot, removeBot})
        arrow->setFixedWidth(arrow->fontMetrics().horizontalAdvance(QStringLiteral("MMM")));
    auto* weaponDrop = check(box, "checkWeapD", "Weapon Drop");

    auto* arrows = tight(new QVBoxLayout, 0);
    arrows->addStretch();
    arrows->addWidget(addBot);
    arrows->addWidget(removeBot);
    arrows->addStretch();

    auto* grid = tight(new QGridLayout(box));
    grid->addWidget(label(box, "lblBots", "Available Bots:", availableBots), 0, 0);
    grid->addWidget(label(box, "lblUseBots", "Selected Bots:", selectedBots), 0, 2);
    grid->addWidget(availableBots, 1, 0);
    grid->addLayout(arrows, 1, 1);
    grid->addWidget(selectedBots, 1, 2);
    grid->addWidget(weaponDrop, 2, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    return box;
}

QWidget* custom(QStackedWidget* stack) {
    QWidget* box = pane(stack, "boxCustom");
    auto* column = tight(new QVBoxLayout(box));
    auto* customConfig = edit(box, "txtExecCFG");
    auto* configFiles = named(new FileListBox(QStringLiteral("*.CFG"), box), "fileExecCfg");
    configFiles->setAccessibleName(QStringLiteral("Config files"));
    QLabel* customConfigLabel = label(
        box, "lblExecCFG", "Doom Legacy Config File to Execute in Autoexec.CFG:", customConfig);
    customConfigLabel->setWordWrap(true);
    column->addWidget(customConfigLabel);
    column->addWidget(customConfig);
    column->addWidget(configFiles, 1);
    return box;
}

QWidget* demo(QStackedWidget* stack) {
    QWidget* box = pane(stack, "boxDemo");
    auto* column = tight(new QVBoxLayout(box));
    auto* playDemo = check(box, "checkPlayDemo", "Play Demo");
    auto* recordDemo = check(box, "checkRecDemo", "Record Demo");
    auto* demoName = edit(box, "txtDemoFile");
    demoName->setAccessibleName(QStringLiteral("Demo name"));
    auto* demoFiles = named(new FileListBox(QStringLiteral("*.lmp"), box), "fileDemo");
    demoFiles->setAccessibleName(QStringLiteral("Demo files"));
    auto* checks = tight(new QHBoxLayout, 0);
    checks->addWidget(playDemo);
    checks->addWidget(recordDemo);
    checks->addStretch();
    column->addLayout(checks);
    column->addWidget(demoName);
    column->addWidget(demoFiles, 1);
    return box;
}

} // namespace

void buildPanes(QStackedWidget* stack, size_t from, size_t to) {
    using Builder = QWidget* (*)(QStackedWidget*);
    constexpr std::array<Builder, kPanes.size()> builders{general, multiplayer, advanced, doomBot,
                                                          hx8,     cajunBot,    custom,   demo};
    for (size_t i = from; i < to && i < builders.size(); ++i) {
        QWidget* box = builders[i](stack);
        box->setAccessibleName(QString::fromLatin1(kPanes[i].caption));
        stack->addWidget(box);
    }
}

} // namespace bv
