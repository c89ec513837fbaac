#pragma once

#include "EngineFamilies.h"
#include "LaunchResult.h"

#include <QString>
#include <QStringList>

namespace bv {

class Platform;

// What the launcher starts for a launch, and from where.
struct StartCommand {
    QString program;
    QStringList arguments;
    QString workingDirectory;
    // The engine as the report names it: the Doom directory's text joined with its name, or
    // where it was found on the PATH.
    QString shownPath;
    // Set when there is nothing that can be started.
    LaunchResult failure;
    // A Windows program started as it is, because the host has no wine to run it.
    bool withoutWine = false;
    // Started apart, with its output kept in engine.txt and its end reported by this name:
    // the file name of the word that named it.
    bool watched = false;
    QString name;
    // The options the engine was given, so that the report can name one it refused.
    GivenOptions given;
};

// Runs brv.bat. Where the host has no batch files, runs what the batch file would run: the
// executable's first word is the program, and its other words and those of each item of the
// engine's line are the arguments, split at blanks. They go to the program as they are; no
// shell ever sees them. The engine is run from the Doom directory.
StartCommand engineStartCommand(const QString& doomDirectory, const QString& batchPath,
                                const QString& executable, const EngineLine& line);
// Runs hx8.bat, or hx8.exe from the Doom directory where the host has no batch files.
StartCommand hx8StartCommand(const QString& doomDirectory, const QString& batchPath);

// The program of a command line word: a file in the Doom directory (by exact name, else by
// name regardless of case, as the engines' home systems match names), else on PATH when
// alsoOnPath is set, and then where Debian puts games. Empty when none is found.
QString findProgram(const QString& doomDirectory, const QString& word, bool alsoOnPath);

// The engines that run Doom-format games natively on this kind of system and are on the PATH
// (or where Debian puts games) now, in a fixed order: one lookup each.
QStringList nativeEnginesOnPath();

// Starts the command detached. A watched engine's output goes to engine.txt in the program
// directory, and the console hears when it ends badly.
LaunchResult startGame(Platform& platform, const StartCommand& command);

} // namespace bv
