#include "LaunchSettings.h"

#include <algorithm>

namespace bv {

namespace {

struct TextDefault {
    Text field;
    const char* value;
};

// Row order follows the Text enum.
constexpr TextDefault kTexts[kTextCount] = {
    {Text::executable, "Doom3.exe"},
    {Text::warp, ""},
    {Text::pwads, ""},
    {Text::heap, "10"},
    {Text::width, "320"},
    {Text::height, "200"},
    {Text::extraParameters, ""},
    {Text::doomDirectory, "c:\\doom2"},
    {Text::weaponsOrder, "014576328"},
    {Text::botSkill, "2"},
    {Text::playerName, "GI JOE"},
    {Text::computerName, "GI JOE'S COMPUTER"},
    {Text::comPorts, "com3,57600"},
    {Text::hx8ParameterFile, ""},
    {Text::customConfig, ""},
    {Text::configFile, ""},
    {Text::doomaticMaxPlayers, "4"},
    {Text::doomaticParameters, ""},
    {Text::demoFile, ""},
    {Text::demoDirectory, ""},
};

// Monsters are on; every other switch is off.
constexpr int kChecks[kCheckCount] = {0, 0, 0, 1, 0, 0, 0, 0};

// Sorted list boxes order without regard to case; equal names keep insertion order.
bool sortsBefore(const QString& a, const QString& b) {
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}

} // namespace

LaunchSettings::LaunchSettings(QObject* parent) : QObject(parent) {
    for (const auto& row : kTexts)
        texts_[static_cast<size_t>(row.field)] = QString::fromLatin1(row.value);
    std::copy(std::begin(kChecks), std::end(kChecks), checks_.begin());
}

void LaunchSettings::setText(Text field, const QString& value) {
    const QString stored = field == Text::weaponsOrder ? value.left(kWeaponsOrderMax) : value;
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
    if (stored == 1 && field == Check::threeDfx)
        setCheck(Check::openGl, 0);
    else if (stored == 1 && field == Check::openGl)
        setCheck(Check::threeDfx, 0);
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
    const BotList to =
        from == BotList::availableBots ? BotList::selectedBots : BotList::availableBots;
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

void ConsoleOptions::setDocked(int value) {
    const int stored = value != 0 ? 1 : 0;
    if (docked_ == stored)
        return;
    docked_ = stored;
    Q_EMIT dockedChanged();
}

} // namespace bv
