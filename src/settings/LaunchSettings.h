#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

namespace bv {

// Every text setting, named after the control that shows it.
enum class Text {
    comboEXE,
    txtWarp,
    txtPWADS,
    txtHeap,
    txtWidth,
    txtHeight,
    txtPar,
    txtDir, // the Doom directory, shown in the options window
    txtWeap,
    txtBotSkill,
    txtName,
    txtComputerName,
    txtComPorts,
    txtParFile,
    txtExecCFG,
    txtConfigFile,
    txtMax,
    txtMaticPar,
    txtDemoFile,
    txtDemoDir, // the demo directory, shown in the options window
};
inline constexpr int kTextCount = static_cast<int>(Text::txtDemoDir) + 1;

enum class Check {
    checkMLOOK,
    check3DFX,
    checkCTF,
    checkMon,
    checkWeapD,
    checkGL,
    checkRecDemo,
    checkPlayDemo,
};
inline constexpr int kCheckCount = static_cast<int>(Check::checkPlayDemo) + 1;

// The deathmatch option group: exactly one button is selected.
enum class DmOption { optionDMNone, optionDM, optionDM2 };

enum class BotList { fileBots, listUseBots };

inline constexpr int kWeaponsOrderMax = 9;

const char* controlName(Text field);
const char* controlName(Check field);
const char* controlName(DmOption option);
const char* controlName(BotList list);

// The launch settings: one field per control. Windows bind to it through the change
// signals, commands and launches read and write it; there is no second copy.
class LaunchSettings : public QObject {
    Q_OBJECT
public:
    explicit LaunchSettings(QObject* parent = nullptr);

    QString text(Text field) const { return texts_[static_cast<size_t>(field)]; }
    // txtWeap keeps its first nine characters; everything else is stored as given.
    void setText(Text field, const QString& value);

    int check(Check field) const { return checks_[static_cast<size_t>(field)]; }
    bool checked(Check field) const { return check(field) != 0; }
    // Any non-zero value checks. Checking check3DFX clears checkGL and the reverse.
    void setCheck(Check field, int value);

    DmOption dm() const { return dm_; }
    void setDm(DmOption option);

    const QStringList& list(BotList which) const { return lists_[static_cast<size_t>(which)]; }
    // Inserts at the item's alphabetical place; an equal item already there stays.
    void addToList(BotList which, const QString& item);
    // Adds many items at once with one change notification.
    void addItemsToList(BotList which, const QStringList& items);
    void removeFromList(BotList which, int index);
    // Moves one item between the two lists; false when the index is out of range.
    bool moveBetweenLists(BotList from, int index);

Q_SIGNALS:
    void textChanged(bv::Text field);
    void checkChanged(bv::Check field);
    void dmChanged();
    void listChanged(bv::BotList which);

private:
    std::array<QString, kTextCount> texts_;
    std::array<int, kCheckCount> checks_{};
    DmOption dm_ = DmOption::optionDMNone;
    std::array<QStringList, 2> lists_;
};

// The console's colours and docking switch, held by the options window's controls.
class ConsoleOptions : public QObject {
    Q_OBJECT
public:
    // In the order of the theme file: background red, green, blue, then text red, green, blue.
    enum Component { redBack, greenBack, blueBack, redFore, greenFore, blueFore };
    static constexpr int kComponentCount = 6;

    explicit ConsoleOptions(QObject* parent = nullptr);

    int value(int component) const { return values_[static_cast<size_t>(component)]; }
    // False, and nothing changes, for a value outside 0 to 255.
    bool setValue(int component, int value);
    std::array<int, kComponentCount> values() const { return values_; }

    int checkDock() const { return checkDock_; }
    void setCheckDock(int value);

Q_SIGNALS:
    void valueChanged(int component);
    void checkDockChanged();

private:
    std::array<int, kComponentCount> values_{0, 0, 0, 255, 215, 0};
    int checkDock_ = 0;
};

} // namespace bv
