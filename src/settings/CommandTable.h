#pragma once

#include "LaunchSettings.h"

#include <QString>

#include <optional>
#include <vector>

namespace bv {

enum class CommandKind {
    comment,
    echo,
    show,
    quietShow,
    debug,
    exec,
    clearConsole,
    about,
    help,
    message,
    exit,
    options,
    setDoomPath,
    value,      // stores its argument in a text setting and replies
    quietValue, // the same without the reply on success
    onOff,      // a switch of one character: 0 or 1
    deathmatch, // a switch of one character: 0, 1 or 2
    edit,
    updateBots,
    fontSize,
    listCommands,
};

// One console command. Its word matches a lower-cased line that begins with it; an exact
// command matches only the word alone.
struct Command {
    const char* word = "";
    CommandKind kind = CommandKind::comment;
    bool exact = false;
    std::optional<Text> text = std::nullopt;   // what a value command sets
    std::optional<Check> check = std::nullopt; // what an on/off switch sets
    bool keepsCase = false;    // a path: stored with its case where file names respect case
    const char* done = "";     // the reply on success
    const char* missing = "";  // the reply without an argument, or to a switch of wrong length
    const char* badValue = ""; // a switch's reply to a value it does not take
    int length = 0;            // a switch's whole line
    const char* quietTwin = nullptr; // the word of its silent twin, which saved scripts use
    int savedLine = 0; // its line in a saved settings script, from 1; 0 when not saved
};

// Every command, in matching order: a word that begins another word comes after it ("exec"
// and "exit" before "exe"). The quiet twins come last.
const std::vector<Command>& commandTable();

// The line a saved settings script holds for each saved command, in order: the word (its
// quiet twin where it has one), a blank and the value.
QStringList savedSettingsLines(const LaunchSettings& settings);

// The reply of `commands`.
inline constexpr const char* kCommandsList =
    "echo show exec cls about msg exit options exe warp files heap width height par weaponpref "
    "setdoompath botskill gr_crappymlook 3dfx ctf dm name help hx8_computername hx8_comports "
    "hx8_pars";

} // namespace bv
