#include "SettingsScript.h"

#include "core/Latin1Text.h"

namespace bv {

namespace {

struct SavedLine {
    const char* word;
    enum Kind { TextValue, CheckValue, DmValue } kind;
    int field; // Text or Check, by kind
};

constexpr SavedLine kSavedForm[] = {
    {"zun_exe", SavedLine::TextValue, static_cast<int>(Text::executable)},
    {"zun_warp", SavedLine::TextValue, static_cast<int>(Text::warp)},
    {"zun_files", SavedLine::TextValue, static_cast<int>(Text::pwads)},
    {"zun_heap", SavedLine::TextValue, static_cast<int>(Text::heap)},
    {"zun_width", SavedLine::TextValue, static_cast<int>(Text::width)},
    {"zun_height", SavedLine::TextValue, static_cast<int>(Text::height)},
    {"zun_par", SavedLine::TextValue, static_cast<int>(Text::extraParameters)},
    {"setdoompath", SavedLine::TextValue, static_cast<int>(Text::doomDirectory)},
    {"weaponpref", SavedLine::TextValue, static_cast<int>(Text::weaponsOrder)},
    {"botskill", SavedLine::TextValue, static_cast<int>(Text::botSkill)},
    {"name", SavedLine::TextValue, static_cast<int>(Text::playerName)},
    {"gr_crappymlook", SavedLine::CheckValue, static_cast<int>(Check::crappyMouseLook)},
    {"3dfx", SavedLine::CheckValue, static_cast<int>(Check::threeDfx)},
    {"ctf", SavedLine::CheckValue, static_cast<int>(Check::captureTheFlag)},
    {"dm", SavedLine::DmValue, 0},
    {"hx8_computername", SavedLine::TextValue, static_cast<int>(Text::computerName)},
    {"hx8_comports", SavedLine::TextValue, static_cast<int>(Text::comPorts)},
    {"hx8_pars", SavedLine::TextValue, static_cast<int>(Text::hx8ParameterFile)},
    {"custom_config", SavedLine::TextValue, static_cast<int>(Text::customConfig)},
    {"config_file", SavedLine::TextValue, static_cast<int>(Text::configFile)},
    {"monsters", SavedLine::CheckValue, static_cast<int>(Check::monsters)},
    {"weapondrop", SavedLine::CheckValue, static_cast<int>(Check::weaponDrop)},
    {"gl", SavedLine::CheckValue, static_cast<int>(Check::openGl)},
};

int dmDigit(DmOption option) {
    switch (option) {
    case DmOption::none:
        return 0;
    case DmOption::deathmatch:
        return 1;
    case DmOption::altDeath:
        return 2;
    }
    return 0;
}

} // namespace

QStringList savedSettingsLines(const LaunchSettings& settings) {
    QStringList lines;
    for (const SavedLine& row : kSavedForm) {
        QString value;
        switch (row.kind) {
        case SavedLine::TextValue:
            value = settings.text(static_cast<Text>(row.field));
            break;
        case SavedLine::CheckValue:
            value = QString::number(settings.check(static_cast<Check>(row.field)));
            break;
        case SavedLine::DmValue:
            value = QString::number(dmDigit(settings.dm()));
            break;
        }
        lines.append(QLatin1String(row.word) + QLatin1Char(' ') + value);
    }
    return lines;
}

WriteResult writeSettingsScript(const QString& path, const LaunchSettings& settings) {
    return writeFileAtomically(path, crlfLines(savedSettingsLines(settings)));
}

} // namespace bv
