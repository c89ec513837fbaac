#pragma once

#include "LaunchFiles.h"

#include <QString>
#include <QStringList>

#include <array>

namespace bv {

class LaunchSettings;

// The lines of autoexec.cfg, alias line included.
QStringList autoexecLines(const LaunchSettings& settings);
// The exported engine config: the autoexec lines without the alias line.
QStringList exportedConfigLines(const LaunchSettings& settings);

// The bots that addbots.cfg adds: the list up to its first empty entry.
QStringList botsToAdd(const QStringList& listUseBots);
// Two lines per bot: "addbot " and the bot, then "wait 100".
QStringList addbotsLines(const QStringList& bots);

// One item of the engine parameters, without its leading blank.
struct EngineItem {
    bool included;
    QString text;
};
inline constexpr int kEngineItemCount = 13;

// The engine parameters in their fixed order, each with whether it applies. The OpenGL item
// applies only when withOpenGl is set and checkGL is checked.
std::array<EngineItem, kEngineItemCount> engineItems(const LaunchSettings& settings,
                                                     bool withOpenGl);
// The included items, each after a blank: empty, or starting with a blank.
QString engineArguments(const LaunchSettings& settings, bool withOpenGl);
// comboEXE followed directly by the engine arguments.
QString engineCommandLine(const LaunchSettings& settings, bool withOpenGl);

// A four-line batch file: drive, "cd\" and the path below it, command, thanks line. A Doom
// directory shorter than three characters stops after the drive line with
// LaunchError::invalidArgument.
FileLines batchFileLines(const QString& doomDirectory, const QString& command);

// hx8.cfg: computer name, COM ports, executable, the parameter file's lines, then one line
// per included engine item (never OpenGL).
QStringList hx8ConfigLines(const LaunchSettings& settings, const QStringList& parameterLines);

// doomatic.cfg, twenty lines at most. A comboEXE shorter than four characters stops before
// the "exe = " line with LaunchError::invalidArgument.
FileLines doomaticConfigLines(const LaunchSettings& settings);

} // namespace bv
