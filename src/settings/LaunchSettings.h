#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

namespace bv {

// Every text setting.
enum class Text {
    executable, // the engine, first word of its command line
    warp,
    pwads,
    heap,
    width,
    height,
    extraParameters,
    doomDirectory, // where every launch file goes; shown in the options window
    weaponsOrder,
    botSkill,
    playerName,
    computerName, // HX8
    comPorts,     // HX8
    hx8ParameterFile,
    customConfig, // a config file that autoexec.cfg executes
    configFile,   // the engine's own config file
    doomaticMaxPlayers,
    doomaticParameters,
    demoFile,
    demoDirectory, // empty for the Doom directory; shown in the options window
};
inline constexpr int kTextCount = static_cast<int>(Text::demoDirectory) + 1;

enum class Check {
    crappyMouseLook,
    threeDfx,
    captureTheFlag,
    monsters,
    weaponDrop,
    openGl,
    recordDemo,
    playDemo,
};
inline constexpr int kCheckCount = static_cast<int>(Check::playDemo) + 1;

// The deathmatch mode: exactly one is selected.
enum class DmOption { none, deathmatch, altDeath };

enum class BotList { availableBots, selectedBots };

inline constexpr int kWeaponsOrderMax = 9;

// The launch settings. Windows bind to it through the change signals, commands and launches
// read and write it; there is no second copy.
class LaunchSettings : public QObject {
    Q_OBJECT
public:
    explicit LaunchSettings(QObject* parent = nullptr);

    QString text(Text field) const { return texts_[static_cast<size_t>(field)]; }
    // The weapons order keeps its first nine characters; everything else is stored as given.
    void setText(Text field, const QString& value);

    int check(Check field) const { return checks_[static_cast<size_t>(field)]; }
    bool checked(Check field) const { return check(field) != 0; }
    // Any non-zero value checks. Checking 3DFX clears OpenGL and the reverse.
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
    DmOption dm_ = DmOption::none;
    std::array<QStringList, 2> lists_;
};

// The console's colours and whether it is docked below the main window.
class ConsoleOptions : public QObject {
    Q_OBJECT
public:
    // In the order of the theme file: background red, green, blue, then text red, green, blue.
    enum Component { backgroundRed, backgroundGreen, backgroundBlue, textRed, textGreen, textBlue };
    static constexpr int kComponentCount = 6;

    explicit ConsoleOptions(QObject* parent = nullptr);

    int value(int component) const { return values_[static_cast<size_t>(component)]; }
    // False, and nothing changes, for a value outside 0 to 255.
    bool setValue(int component, int value);
    std::array<int, kComponentCount> values() const { return values_; }

    int docked() const { return docked_; }
    void setDocked(int value);

Q_SIGNALS:
    void valueChanged(int component);
    void dockedChanged();

private:
    std::array<int, kComponentCount> values_{0, 0, 0, 255, 215, 0};
    int docked_ = 0;
};

} // namespace bv
