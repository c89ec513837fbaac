#pragma once

#include <QString>
#include <QStringList>

namespace bv {

class Platform;

// What the launcher starts for a launch, and from where. failure is the error number when
// there is nothing that can be started.
struct StartCommand {
    QString program;
    QStringList arguments;
    QString workingDirectory;
    int failure = 0;
    // A Windows program started as it is, because the host has no wine to run it.
    bool withoutWine = false;
};

// Runs brv.bat. Where the host has no batch files, runs what the batch file would run: the
// blank-separated words of its command line, the first one the program, from the Doom
// directory. The words go to the program as they are; no shell ever sees them.
StartCommand engineStartCommand(const QString& doomDirectory, const QString& batchPath,
                                const QString& commandLine);
// Runs hx8.bat, or hx8.exe from the Doom directory where the host has no batch files.
StartCommand hx8StartCommand(const QString& doomDirectory, const QString& batchPath);

// The program of a command line word: a file in the Doom directory (by exact name, else by
// name regardless of case, as the engines' home systems match names), else on PATH when
// alsoOnPath is set. Empty when none is found.
QString findProgram(const QString& doomDirectory, const QString& word, bool alsoOnPath);

// Starts the command detached; returns 0 or the error number of the failure.
int startGame(Platform& platform, const StartCommand& command);

// What the launch failure report adds for a command that could not be started: why a Windows
// program did not run. Empty when there is nothing to add.
QString startFailureCause(const StartCommand& command);

} // namespace bv
