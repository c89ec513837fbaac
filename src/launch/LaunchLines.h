#pragma once

#include "LaunchFiles.h"

#include <QString>
#include <QStringList>

namespace bv {

class LaunchSettings;

// The lines of autoexec.cfg, alias line included.
QStringList autoexecLines(const LaunchSettings& settings);
// The exported engine config: the autoexec lines without the alias line.
QStringList exportedConfigLines(const LaunchSettings& settings);

// The bots that addbots.cfg adds: the list up to its first empty entry.
QStringList botsToAdd(const QStringList& selectedBots);
// Two lines per bot: "addbot " and the bot, then "wait 100".
QStringList addbotsLines(const QStringList& bots);

// The setting that puts an item on the engine's command line, in the items' fixed order.
enum class EngineSetting {
    warp,
    pwads,
    heap,
    threeDfx,
    openGl,
    deathmatch,
    altDeath,
    captureTheFlag,
    extraParameters,
    configFile,
    monsters,
    recordDemo,
    playDemo,
};

struct EngineItem {
    EngineSetting setting;
    QString text; // as it stands in the command line: "-warp 07", the extra parameters as typed
};

// The engine's parameters as Doom Legacy takes them, in their fixed order: each item that
// applies, exactly as written. The OpenGL item applies only when withOpenGl is set and
// OpenGL is checked.
QList<EngineItem> legacyEngineItems(const LaunchSettings& settings, bool withOpenGl);
QStringList itemTexts(const QList<EngineItem>& items);
QStringList engineItems(const LaunchSettings& settings, bool withOpenGl);
// The executable, then each item, with one blank between them.
QString engineCommandLine(const QString& executable, const QStringList& items);

// A four-line batch file: drive, "cd\" and the path below it, command, thanks line. A Doom
// directory shorter than three characters stops after the drive line with
// LaunchError::invalidArgument.
FileLines batchFileLines(const QString& doomDirectory, const QString& command);

// hx8.cfg: computer name, COM ports, executable, the parameter file's lines, then one line
// per included engine item (never OpenGL).
QStringList hx8ConfigLines(const LaunchSettings& settings, const QStringList& parameterLines);

// doomatic.cfg, twenty lines at most. An executable shorter than four characters stops before
// the "exe = " line with LaunchError::invalidArgument.
FileLines doomaticConfigLines(const LaunchSettings& settings);

} // namespace bv
