#include "CommandTable.h"

#include <algorithm>
#include <iterator>

namespace bv {

namespace {

#ifdef Q_OS_WIN
constexpr bool kPaths = false; // file names ignore case: stored lower-cased as always
#else
constexpr bool kPaths = true; // file names respect case: the argument keeps its case
#endif

using K = CommandKind;

const Command kCommands[] = {
    {.word = "// ", .kind = K::comment},
    {.word = "echo", .kind = K::echo},
    {.word = "show", .kind = K::show},
    {.word = "zun_show", .kind = K::quietShow},
    {.word = "debug", .kind = K::debug},
    {.word = "exec", .kind = K::exec, .keepsCase = kPaths},
    {.word = "cls", .kind = K::clearConsole, .exact = true},
    {.word = "about", .kind = K::about, .exact = true},
    {.word = "help", .kind = K::help, .exact = true},
    {.word = "msg", .kind = K::message},
    {.word = "exit", .kind = K::exit, .exact = true},
    {.word = "options", .kind = K::options, .exact = true},
    {.word = "setdoompath",
     .kind = K::setDoomPath,
     .text = Text::doomDirectory,
     .keepsCase = kPaths,
     .done = "Doom path set",
     .missing = "setdoompath error",
     .savedLine = 8},
    {.word = "exe",
     .kind = K::value,
     .text = Text::executable,
     .keepsCase = kPaths,
     .done = "EXE Set",
     .missing = "EXE command error",
     .quietTwin = "zun_exe",
     .savedLine = 1},
    {.word = "warp",
     .kind = K::value,
     .text = Text::warp,
     .done = "Warp Set",
     .missing = "Warp command error",
     .quietTwin = "zun_warp",
     .savedLine = 2},
    {.word = "files",
     .kind = K::value,
     .text = Text::pwads,
     .keepsCase = kPaths,
     .done = "Files Set",
     .missing = "Files command error",
     .quietTwin = "zun_files",
     .savedLine = 3},
    {.word = "heap",
     .kind = K::value,
     .text = Text::heap,
     .done = "Heap Set",
     .missing = "Heap command error",
     .quietTwin = "zun_heap",
     .savedLine = 4},
    {.word = "width",
     .kind = K::value,
     .text = Text::width,
     .done = "Width Set",
     .missing = "Width command error",
     .quietTwin = "zun_width",
     .savedLine = 5},
    {.word = "height",
     .kind = K::value,
     .text = Text::height,
     .done = "Height Set",
     .missing = "Height command error",
     .quietTwin = "zun_height",
     .savedLine = 6},
    {.word = "par",
     .kind = K::value,
     .text = Text::extraParameters,
     .keepsCase = kPaths,
     .done = "Extra Parameters Set",
     .missing = "Extra Parameters command error",
     .quietTwin = "zun_par",
     .savedLine = 7},
    {.word = "name",
     .kind = K::value,
     .text = Text::playerName,
     .done = "Name Set",
     .missing = "Name command error",
     .savedLine = 11},
    {.word = "weaponpref",
     .kind = K::value,
     .text = Text::weaponsOrder,
     .done = "Preferred Weapons Order Set",
     .missing = "Preferred Weapons Order command error",
     .savedLine = 9},
    {.word = "botskill",
     .kind = K::value,
     .text = Text::botSkill,
     .done = "Bot Skill Set",
     .missing = "Botskill command error",
     .savedLine = 10},
    {.word = "gr_crappymlook",
     .kind = K::onOff,
     .check = Check::crappyMouseLook,
     .done = "gr_crappymlook set",
     .missing = "gr_crappymlook command Error",
     .badValue = "gr_crappymlook command Error",
     .length = 16,
     .savedLine = 12},
    {.word = "3dfx",
     .kind = K::onOff,
     .check = Check::threeDfx,
     .done = "3dfx set",
     .missing = "error 3DFX",
     .badValue = "3DFX command Error",
     .length = 6,
     .savedLine = 13},
    {.word = "ctf",
     .kind = K::onOff,
     .check = Check::captureTheFlag,
     .done = "CTF set",
     .missing = "error CTF",
     .badValue = "CTF command Error",
     .length = 5,
     .savedLine = 14},
    {.word = "dm",
     .kind = K::deathmatch,
     .done = "DM set",
     .missing = "error DM",
     .badValue = "DM command Error",
     .length = 4,
     .savedLine = 15},
    {.word = "hx8_computername",
     .kind = K::value,
     .text = Text::computerName,
     .done = "HX8 Computer Name Set",
     .missing = "hx8_computername command error",
     .savedLine = 16},
    {.word = "hx8_comports",
     .kind = K::value,
     .text = Text::comPorts,
     .done = "HX8 COM Ports Set",
     .missing = "hx8_comports command error",
     .savedLine = 17},
    {.word = "hx8_pars",
     .kind = K::value,
     .text = Text::hx8ParameterFile,
     .keepsCase = kPaths,
     .done = "HX8 Parameter File Set",
     .missing = "hx8_pars command error",
     .savedLine = 18},
    {.word = "edit", .kind = K::edit, .exact = true},
    {.word = "update_ybot", .kind = K::updateBots, .exact = true},
    {.word = "custom_config",
     .kind = K::value,
     .text = Text::customConfig,
     .keepsCase = kPaths,
     .done = "Custom Config File Set",
     .missing = "custom_config command error",
     .savedLine = 19},
    {.word = "doomatic_max",
     .kind = K::value,
     .text = Text::doomaticMaxPlayers,
     .done = "Doomatic Max Players Set",
     .missing = "doomatic_max command error"},
    {.word = "doomatic_par",
     .kind = K::value,
     .text = Text::doomaticParameters,
     .keepsCase = kPaths,
     .done = "Doomatic Parameters Set",
     .missing = "doomatic_par command error"},
    {.word = "config_file",
     .kind = K::value,
     .text = Text::configFile,
     .keepsCase = kPaths,
     .done = "Config File Set",
     .missing = "config_file command error",
     .savedLine = 20},
    {.word = "monsters",
     .kind = K::onOff,
     .check = Check::monsters,
     .done = "monsters set",
     .missing = "error Monsters",
     .badValue = "Monsters command Error",
     .length = 10,
     .savedLine = 21},
    {.word = "weapondrop",
     .kind = K::onOff,
     .check = Check::weaponDrop,
     .done = "weapondrop  set",
     .missing = "error weapondrop",
     .badValue = "weapondrop command Error",
     .length = 12,
     .savedLine = 22},
    {.word = "gl",
     .kind = K::onOff,
     .check = Check::openGl,
     .done = "GL set",
     .missing = "error GL",
     .badValue = "GL command Error",
     .length = 4,
     .savedLine = 23},
    {.word = "zun_help", .kind = K::help},
    {.word = "zun_font", .kind = K::fontSize, .missing = "Font Size command error"},
    {.word = "commands", .kind = K::listCommands, .exact = true},
};

// A value command's silent twin: the same setting and error, no reply on success.
Command quietTwin(const Command& command) {
    Command twin = command;
    twin.word = command.quietTwin;
    twin.kind = CommandKind::quietValue;
    twin.done = "";
    twin.quietTwin = nullptr;
    twin.savedLine = 0;
    return twin;
}

int deathmatchDigit(DmOption option) {
    return static_cast<int>(option);
}

} // namespace

const std::vector<Command>& commandTable() {
    static const std::vector<Command> table = [] {
        std::vector<Command> rows(std::begin(kCommands), std::end(kCommands));
        for (const Command& command : kCommands) {
            if (command.quietTwin)
                rows.push_back(quietTwin(command));
        }
        return rows;
    }();
    return table;
}

QStringList savedSettingsLines(const LaunchSettings& settings) {
    std::vector<const Command*> saved;
    for (const Command& command : kCommands) {
        if (command.savedLine > 0)
            saved.push_back(&command);
    }
    std::sort(saved.begin(), saved.end(),
              [](const Command* a, const Command* b) { return a->savedLine < b->savedLine; });
    QStringList lines;
    for (const Command* command : saved) {
        QString value;
        if (command->text)
            value = settings.text(*command->text);
        else if (command->check)
            value = QString::number(settings.check(*command->check));
        else
            value = QString::number(deathmatchDigit(settings.dm()));
        lines << QLatin1String(command->quietTwin ? command->quietTwin : command->word) +
                     QLatin1Char(' ') + value;
    }
    return lines;
}

} // namespace bv
