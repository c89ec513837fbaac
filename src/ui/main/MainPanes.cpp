#include "MainPanes.h"

#include "FileListBox.h"

#include <QCheckBox>
#include <QComboBox>
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

QWidget* pane(QStackedWidget* stack, const char* name) {
    return named(new QWidget(stack), name);
}

// Keyboard order follows the reading order of the pane, whatever order the layout code needs.
void tabOrder(std::initializer_list<QWidget*> controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

QWidget* general(QStackedWidget* stack) {
    QWidget* box = pane(stack, "genBox");
    auto* comboEXE = named(new QComboBox(box), "comboEXE");
    comboEXE->setEditable(true);
    // Enter starts a game; it must not also grow the executable list.
    comboEXE->setInsertPolicy(QComboBox::NoInsert);
    auto* txtWarp = edit(box, "txtWarp");
    auto* cmdRND = button(box, "cmdRND", "Rnd");
    cmdRND->setToolTip(QStringLiteral("Genarates Random Level Number"));
    auto* txtPWADS = edit(box, "txtPWADS");
    auto* cmdAdd = button(box, "cmdAdd", "Add");
    auto* check3DFX = check(box, "check3DFX", "3DFX Enabled");
    auto* checkGL = check(box, "checkGL", "Open GL Enabled");

    auto* warpHead = tight(new QHBoxLayout, 0);
    warpHead->addWidget(label(box, "lblWarp", "Warp:", txtWarp));
    warpHead->addStretch();
    warpHead->addWidget(cmdRND);

    auto* grid = tight(new QGridLayout(box));
    grid->addWidget(label(box, "lblExe", "Exe:", comboEXE), 0, 0, Qt::AlignBottom);
    grid->addLayout(warpHead, 0, 1);
    grid->addWidget(comboEXE, 1, 0);
    grid->addWidget(txtWarp, 1, 1);
    grid->addWidget(label(box, "lblPWADS", "PWADs and Patches:", txtPWADS), 2, 0, 1, 2);
    grid->addWidget(txtPWADS, 3, 0, 1, 2);
    grid->addWidget(cmdAdd, 4, 0, Qt::AlignLeft);
    grid->addWidget(check3DFX, 5, 0, 1, 2);
    grid->addWidget(checkGL, 6, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setRowStretch(7, 1);
    tabOrder({comboEXE, txtWarp, cmdRND, txtPWADS, cmdAdd, check3DFX, checkGL});
    return box;
}

QWidget* multiplayer(QStackedWidget* stack) {
    QWidget* box = pane(stack, "multBox");
    auto* column = tight(new QVBoxLayout(box));

    QGroupBox* player = frame(box, "frameMultiplayer", "Multiplayer");
    auto* txtName = edit(player, "txtName");
    auto* playerLayout = tight(new QVBoxLayout(player));
    playerLayout->addWidget(label(player, "lblName", "Name:", txtName));
    playerLayout->addWidget(txtName);

    QGroupBox* dm = frame(box, "frameDeathMatch", "DeathMatch");
    // One parent makes the three option buttons one exclusive group.
    auto* optionDMNone = named(new QRadioButton(QStringLiteral("None"), dm), "optionDMNone");
    auto* optionDM2 = named(new QRadioButton(QStringLiteral("Deathmatch 2.0"), dm), "optionDM2");
    auto* optionDM = named(new QRadioButton(QStringLiteral("Orignal Deathmatch"), dm), "optionDM");
    auto* checkMon = check(dm, "checkMon", "&Monsters");
    auto* dmLayout = tight(new QGridLayout(dm));
    dmLayout->addWidget(optionDMNone, 0, 0);
    dmLayout->addWidget(optionDM2, 0, 1);
    dmLayout->addWidget(optionDM, 1, 0);
    dmLayout->addWidget(checkMon, 1, 1);

    QGroupBox* matic = frame(box, "frameDoomatic", "Doomatic");
    auto* txtMaticPar = edit(matic, "txtMaticPar");
    auto* txtMax = edit(matic, "txtMax");
    auto* maticLayout = tight(new QGridLayout(matic));
    maticLayout->addWidget(label(matic, "lblMaticPar", "Parameters (Non Local):", txtMaticPar), 0,
                           0);
    maticLayout->addWidget(label(matic, "lblMax", "Max Players:", txtMax), 0, 1);
    maticLayout->addWidget(txtMaticPar, 1, 0);
    maticLayout->addWidget(txtMax, 1, 1);
    maticLayout->setColumnStretch(0, 3);
    maticLayout->setColumnStretch(1, 1);

    column->addWidget(player);
    column->addWidget(dm);
    column->addWidget(matic);
    column->addStretch();
    tabOrder({txtName, optionDMNone, optionDM2, optionDM, checkMon, txtMaticPar, txtMax});
    return box;
}

QWidget* advanced(QStackedWidget* stack) {
    QWidget* box = pane(stack, "adBox");
    auto* column = tight(new QVBoxLayout(box));

    QGroupBox* weapons = frame(box, "frameWeap", "Weapons Order:");
    auto* txtWeap = edit(weapons, "txtWeap");
    txtWeap->setMaxLength(9);
    txtWeap->setAccessibleName(QStringLiteral("Weapons Order:"));
    auto* cmdInsert = button(weapons, "cmdInsert", "Add");
    auto* weaponsLayout = tight(new QHBoxLayout(weapons));
    weaponsLayout->addWidget(txtWeap, 1);
    weaponsLayout->addWidget(cmdInsert);

    auto* txtHeap = edit(box, "txtHeap");
    auto* checkMLOOK = check(box, "checkMLOOK", "gr_crappymlook");
    auto* heap = tight(new QGridLayout, 0);
    heap->addWidget(label(box, "lblHeap", "Heap Size:", txtHeap), 0, 0);
    heap->addWidget(txtHeap, 1, 0);
    heap->addWidget(checkMLOOK, 1, 1);
    heap->setColumnStretch(0, 1);
    heap->setColumnStretch(1, 1);

    // Width and height change only by command and script: the group is shown but greyed.
    auto* lblResolution = label(box, "lblResolution", "Resolution:");
    auto* txtWidth = edit(box, "txtWidth");
    auto* txtHeight = edit(box, "txtHeight");
    auto* lblWidth = label(box, "lblWidth", "Width:", txtWidth);
    auto* lblHeight = label(box, "lblHeight", "Height:", txtHeight);
    for (QWidget* part :
         std::initializer_list<QWidget*>{lblResolution, lblWidth, lblHeight, txtWidth, txtHeight})
        part->setEnabled(false);
    auto* resolution = tight(new QGridLayout, 0);
    resolution->addWidget(lblResolution, 0, 0, 1, 2);
    resolution->addWidget(lblWidth, 1, 0);
    resolution->addWidget(lblHeight, 1, 1);
    resolution->addWidget(txtWidth, 2, 0);
    resolution->addWidget(txtHeight, 2, 1);

    auto* txtPar = edit(box, "txtPar");
    auto* txtConfigFile = edit(box, "txtConfigFile");

    column->addWidget(weapons);
    column->addLayout(heap);
    column->addLayout(resolution);
    column->addWidget(label(box, "lblPar", "Extra Parameters (Not Compatible With HX8) :", txtPar));
    column->addWidget(txtPar);
    column->addWidget(label(box, "lblConfigFile", "Config File:", txtConfigFile));
    column->addWidget(txtConfigFile);
    column->addStretch();
    tabOrder({txtWeap, cmdInsert, txtHeap, checkMLOOK, txtWidth, txtHeight, txtPar, txtConfigFile});
    return box;
}

QWidget* doomBot(QStackedWidget* stack) {
    QWidget* box = pane(stack, "doombotBox");
    auto* column = tight(new QVBoxLayout(box));
    auto* txtBotSkill = edit(box, "txtBotSkill");
    QGroupBox* ctf = frame(box, "frameCTF", "CTF");
    auto* checkCTF = check(ctf, "checkCTF", "CTF");
    tight(new QVBoxLayout(ctf))->addWidget(checkCTF);
    column->addWidget(label(box, "lblBotSkill", "Bot Skill:", txtBotSkill));
    column->addWidget(txtBotSkill);
    column->addWidget(ctf);
    column->addStretch();
    tabOrder({txtBotSkill, checkCTF});
    return box;
}

QWidget* hx8(QStackedWidget* stack) {
    QWidget* box = pane(stack, "hx8Box");
    auto* column = tight(new QVBoxLayout(box));
    auto* txtComputerName = edit(box, "txtComputerName");
    auto* txtComPorts = edit(box, "txtComPorts");
    auto* cmdParFile = button(box, "cmdParFile", "Load Parameters File");
    auto* txtParFile = edit(box, "txtParFile");
    column->addWidget(label(box, "lblComputerName", "Computer Name:", txtComputerName));
    column->addWidget(txtComputerName);
    column->addWidget(label(box, "lblComPorts", "COM Ports:", txtComPorts));
    column->addWidget(txtComPorts);
    column->addWidget(cmdParFile, 0, Qt::AlignLeft);
    column->addWidget(label(box, "lblParFile", "Extra Parameters File:", txtParFile));
    column->addWidget(txtParFile);
    column->addStretch();
    tabOrder({txtComputerName, txtComPorts, cmdParFile, txtParFile});
    return box;
}

QListWidget* botList(QWidget* parent, const char* name) {
    auto* list = named(new QListWidget(parent), name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

QWidget* cajunBot(QStackedWidget* stack) {
    QWidget* box = pane(stack, "ybotBox");
    auto* fileBots = botList(box, "fileBots");
    auto* cmdAddBot = button(box, "cmdAddBot", ">");
    auto* cmdRemoveBot = button(box, "cmdRemoveBot", "<");
    auto* listUseBots = botList(box, "listUseBots");
    cmdAddBot->setAccessibleName(QStringLiteral("Add the selected bot"));
    cmdRemoveBot->setAccessibleName(QStringLiteral("Remove the selected bot"));
    for (QPushButton* arrow : {cmdAddBot, cmdRemoveBot})
        arrow->setFixedWidth(arrow->fontMetrics().horizontalAdvance(QStringLiteral("MMM")));
    auto* checkWeapD = check(box, "checkWeapD", "Weapon Drop");

    auto* arrows = tight(new QVBoxLayout, 0);
    arrows->addStretch();
    arrows->addWidget(cmdAddBot);
    arrows->addWidget(cmdRemoveBot);
    arrows->addStretch();

    auto* grid = tight(new QGridLayout(box));
    grid->addWidget(label(box, "lblBots", "Available Bots:", fileBots), 0, 0);
    grid->addWidget(label(box, "lblUseBots", "Selected Bots:", listUseBots), 0, 2);
    grid->addWidget(fileBots, 1, 0);
    grid->addLayout(arrows, 1, 1);
    grid->addWidget(listUseBots, 1, 2);
    grid->addWidget(checkWeapD, 2, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    tabOrder({fileBots, cmdAddBot, cmdRemoveBot, listUseBots, checkWeapD});
    return box;
}

QWidget* custom(QStackedWidget* stack) {
    QWidget* box = pane(stack, "boxCustom");
    auto* column = tight(new QVBoxLayout(box));
    auto* txtExecCFG = edit(box, "txtExecCFG");
    auto* fileExecCfg = named(new FileListBox(QStringLiteral("*.CFG"), box), "fileExecCfg");
    fileExecCfg->setAccessibleName(QStringLiteral("Config files"));
    QLabel* lblExecCFG =
        label(box, "lblExecCFG", "Doom Legacy Config File to Execute in Autoexec.CFG:", txtExecCFG);
    lblExecCFG->setWordWrap(true);
    column->addWidget(lblExecCFG);
    column->addWidget(txtExecCFG);
    column->addWidget(fileExecCfg, 1);
    tabOrder({txtExecCFG, fileExecCfg});
    return box;
}

QWidget* demo(QStackedWidget* stack) {
    QWidget* box = pane(stack, "boxDemo");
    auto* column = tight(new QVBoxLayout(box));
    auto* checkPlayDemo = check(box, "checkPlayDemo", "Play Demo");
    auto* checkRecDemo = check(box, "checkRecDemo", "Record Demo");
    auto* txtDemoFile = edit(box, "txtDemoFile");
    txtDemoFile->setAccessibleName(QStringLiteral("Demo name"));
    auto* fileDemo = named(new FileListBox(QStringLiteral("*.lmp"), box), "fileDemo");
    fileDemo->setAccessibleName(QStringLiteral("Demo files"));
    auto* checks = tight(new QHBoxLayout, 0);
    checks->addWidget(checkPlayDemo);
    checks->addWidget(checkRecDemo);
    checks->addStretch();
    column->addLayout(checks);
    column->addWidget(txtDemoFile);
    column->addWidget(fileDemo, 1);
    tabOrder({checkPlayDemo, checkRecDemo, txtDemoFile, fileDemo});
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
