#include "LaunchSettings.h"

#include <algorithm>

namespace bv {

namespace {

struct TextDefault {
    Text field;
    const char* name;
    const char* value;
};

// Row order follows the Text enum.
constexpr TextDefault kTexts[kTextCount] = {
    {Text::comboEXE, "comboEXE", "Doom3.exe"},
    {Text::txtWarp, "txtWarp", ""},
    {Text::txtPWADS, "txtPWADS", ""},
    {Text::txtHeap, "txtHeap", "10"},
    {Text::txtWidth, "txtWidth", "320"},
    {Text::txtHeight, "txtHeight", "200"},
    {Text::txtPar, "txtPar", ""},
    {Text::txtDir, "txtDir", "c:\\doom2"},
    {Text::txtWeap, "txtWeap", "014576328"},
    {Text::txtBotSkill, "txtBotSkill", "2"},
    {Text::txtName, "txtName", "GI JOE"},
    {Text::txtComputerName, "txtComputerName", "GI JOE'S COMPUTER"},
    {Text::txtComPorts, "txtComPorts", "com3,57600"},
    {Text::txtParFile, "txtParFile", ""},
    {Text::txtExecCFG, "txtExecCFG", ""},
    {Text::txtConfigFile, "txtConfigFile", ""},
    {Text::txtMax, "txtMax", "4"},
    {Text::txtMaticPar, "txtMaticPar", ""},
    {Text::txtDemoFile, "txtDemoFile", ""},
    {Text::txtDemoDir, "txtDemoDir", ""},
};

struct CheckDefault {
    Check field;
    const char* name;
    int value;
};

constexpr CheckDefault kChecks[kCheckCount] = {
    {Check::checkMLOOK, "checkMLOOK", 0},     {Check::check3DFX, "check3DFX", 0},
    {Check::checkCTF, "checkCTF", 0},         {Check::checkMon, "checkMon", 1},
    {Check::checkWeapD, "checkWeapD", 0},     {Check::checkGL, "checkGL", 0},
    {Check::checkRecDemo, "checkRecDemo", 0}, {Check::checkPlayDemo, "checkPlayDemo", 0},
};

// Sorted list boxes order without regard to case; equal names keep insertion order.
bool sortsBefore(const QString& a, const QString& b) {
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}

} // namespace

const char* controlName(Text field) {
    return kTexts[static_cast<int>(field)].name;
}
const char* controlName(Check field) {
    return kChecks[static_cast<int>(field)].name;
}
const char* controlName(DmOption option) {
    switch (option) {
    case DmOption::optionDMNone:
        return "optionDMNone";
    case DmOption::optionDM:
        return "optionDM";
    case DmOption::optionDM2:
        return "optionDM2";
    }
    return "";
}
const char* controlName(BotList list) {
    return list == BotList::fileBots ? "fileBots" : "listUseBots";
}

LaunchSettings::LaunchSettings(QObject* parent) : QObject(parent) {
    for (const auto& row : kTexts)
        texts_[static_cast<size_t>(row.field)] = QString::fromLatin1(row.value);
    for (const auto& row : kChecks)
        checks_[static_cast<size_t>(row.field)] = row.value;
}

void LaunchSettings::setText(Text field, const QString& value) {
    const QString stored = field == Text::txtWeap ? value.left(kWeaponsOrderMax) : value;
    QString& slot = texts_[static_cast<size_t>(field)];
    if (slot == stored)
        return;
    slot = stored;
    Q_EMIT textChanged(field);
}

void LaunchSettings::setCheck(Check field, int value) {
    const int stored = value != 0 ? 1 : 0;
    int& slot = checks_[static_cast<size_t>(field)];
    if (slot != stored) {
        slot = stored;
        Q_EMIT checkChanged(field);
    }
    // 3DFX and OpenGL exclude each other, whoever sets them.
    if (stored == 1 && field == Check::check3DFX)
        setCheck(Check::checkGL, 0);
    else if (stored == 1 && field == Check::checkGL)
        setCheck(Check::check3DFX, 0);
}

void LaunchSettings::setDm(DmOption option) {
    if (dm_ == option)
        return;
    dm_ = option;
    Q_EMIT dmChanged();
}

void LaunchSettings::addToList(BotList which, const QString& item) {
    QStringList& items = lists_[static_cast<size_t>(which)];
    const auto at = std::upper_bound(items.begin(), items.end(), item, sortsBefore);
    items.insert(at, item);
    Q_EMIT listChanged(which);
}

void LaunchSettings::addItemsToList(BotList which, const QStringList& items) {
    if (items.isEmpty())
        return;
    QStringList& list = lists_[static_cast<size_t>(which)];
    // Appending then sorting stably keeps equal items in insertion order, like one-by-one
    // insertion, without its quadratic cost for large bot folders.
    list.append(items);
    std::stable_sort(list.begin(), list.end(), sortsBefore);
    Q_EMIT listChanged(which);
}

void LaunchSettings::removeFromList(BotList which, int index) {
    QStringList& items = lists_[static_cast<size_t>(which)];
    if (index < 0 || index >= items.size())
        return;
    items.removeAt(index);
    Q_EMIT listChanged(which);
}

bool LaunchSettings::moveBetweenLists(BotList from, int index) {
    const QStringList& source = list(from);
    if (index < 0 || index >= source.size())
        return false;
    const QString item = source.at(index);
    const BotList to = from == BotList::fileBots ? BotList::listUseBots : BotList::fileBots;
    addToList(to, item);
    removeFromList(from, index);
    return true;
}

ConsoleOptions::ConsoleOptions(QObject* parent) : QObject(parent) {}

bool ConsoleOptions::setValue(int component, int value) {
    if (component < 0 || component >= kComponentCount || value < 0 || value > 255)
        return false;
    int& slot = values_[static_cast<size_t>(component)];
    if (slot != value) {
        slot = value;
        Q_EMIT valueChanged(component);
    }
    return true;
}

void ConsoleOptions::setCheckDock(int value) {
    const int stored = value != 0 ? 1 : 0;
    if (checkDock_ == stored)
        return;
    checkDock_ = stored;
    Q_EMIT checkDockChanged();
}

} // namespace bv
