#include "GameStart.h"

#include "EngineReport.h"
#include "LaunchFiles.h"

#include "core/Paths.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace bv {

namespace {

// The PATH, then the folders that Debian's games go to, which root's PATH and some desktop
// sessions' lack.
QString findOnSearchPath(const QString& name) {
    QString found = QStandardPaths::findExecutable(name);
#ifndef Q_OS_WIN
    if (found.isEmpty())
        found = QStandardPaths::findExecutable(
            name, {QStringLiteral("/usr/games"), QStringLiteral("/usr/local/games")});
#endif
    return found;
}

#ifndef Q_OS_WIN
// A Windows executable runs through wine when the host has it; otherwise the start is
// attempted as it is and its failure reported.
StartCommand programCommand(const QString& doomDirectory, const QString& word,
                            const QStringList& arguments, bool alsoOnPath) {
    StartCommand command;
    command.watched = true;
    command.name = QFileInfo(word).fileName();
    command.workingDirectory = QFileInfo(doomDirectory).absoluteFilePath();
    command.program = findProgram(doomDirectory, word, alsoOnPath);
    command.arguments = arguments;
    if (command.program.isEmpty()) {
        command.failure = launchFailure(LaunchError::fileNotFound, LaunchAction::running, word);
        command.failure.doomDirectory = doomDirectory;
        command.failure.alsoOnPath = alsoOnPath;
        return command;
    }
    // A program below the Doom directory is named by that directory's text, as the player
    // typed it; one from the PATH, or given as a complete path, by where it is.
    const QString below = QDir(command.workingDirectory).relativeFilePath(command.program);
    command.shownPath = isCompletePath(word) || below.startsWith(QLatin1String(".."))
                            ? command.program
                            : joinPath(doomDirectory, below);
    if (command.program.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)) {
        const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
        if (!wine.isEmpty()) {
            command.arguments.prepend(command.program);
            command.program = wine;
        } else {
            command.withoutWine = true;
        }
    }
    return command;
}
#endif

StartFailure startWatched(Platform& platform, const StartCommand& command) {
    QString problem;
    const StartFailure started = platform.startWatchedProcess(
        command.program, command.arguments, command.workingDirectory,
        joinPath(platform.programDirectory(), QStringLiteral("engine.txt")), problem,
        [&platform, name = command.name,
         given = command.given](const ProcessEnd& end, QIODevice* output, bool outputReplaced) {
            for (const QString& reply : engineEndReplies(name, end, output, outputReplaced, given))
                platform.consoleReply(reply);
        });
    // The game runs all the same: only its output is lost.
    if (started == StartFailure::None && !problem.isEmpty())
        platform.consoleReply(outputNotKeptReply(problem));
    return started;
}

} // namespace

QString findProgram(const QString& doomDirectory, const QString& word, bool alsoOnPath) {
    if (word.isEmpty())
        return QString();
    const QDir directory(doomDirectory);
    const QFileInfo exact(directory.filePath(word));
    if (exact.isFile())
        return exact.absoluteFilePath();
    if (word.contains(QLatin1Char('/')))
        return QString();
    const QStringList names = directory.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (name.compare(word, Qt::CaseInsensitive) == 0)
            return QFileInfo(directory.filePath(name)).absoluteFilePath();
    }
    return alsoOnPath ? findOnSearchPath(word) : QString();
}

StartCommand engineStartCommand(const QString& doomDirectory, const QString& batchPath,
                                const QString& executable, const EngineLine& line) {
#ifdef Q_OS_WIN
    (void)doomDirectory;
    (void)executable;
    (void)line;
    // The batch file changes drive and directory itself.
    return StartCommand{batchPath, {}, QString(), batchPath, {}, false, false, QString(), {}};
#else
    (void)batchPath;
    QStringList words = executable.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const EngineItem& item : line.items)
        words << item.text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString program = words.isEmpty() ? QString() : words.takeFirst();
    StartCommand command = programCommand(doomDirectory, program, words, true);
    command.given = givenOptions(line);
    return command;
#endif
}

StartCommand hx8StartCommand(const QString& doomDirectory, const QString& batchPath) {
#ifdef Q_OS_WIN
    (void)doomDirectory;
    return StartCommand{batchPath, {}, QString(), batchPath, {}, false, false, QString(), {}};
#else
    (void)batchPath;
    return programCommand(doomDirectory, QStringLiteral("hx8.exe"), {}, false);
#endif
}

QStringList nativeEnginesOnPath() {
    static const char* const engines[] = {
        "doomlegacy", "chocolate-doom", "crispy-doom", "dsda-doom", "prboom-plus",
        "woof",       "nugget-doom",    "eternity",    "odamex",    "zandronum",
        "gzdoom",     "lzdoom",         "uzdoom"};
    QStringList found;
    for (const char* engine : engines) {
        if (!findOnSearchPath(QLatin1String(engine)).isEmpty())
            found << QLatin1String(engine);
    }
    return found;
}

LaunchResult startGame(Platform& platform, const StartCommand& command) {
    if (!command.failure.ok())
        return command.failure;
    const LaunchError error = startFailureError(
        command.watched
            ? startWatched(platform, command)
            : platform.startProcess(command.program, command.arguments, command.workingDirectory));
    if (error == LaunchError::none)
        return {};
    LaunchResult result = launchFailure(error, LaunchAction::running, command.shownPath);
    if (command.withoutWine)
        result.cause = QStringLiteral("%1 is a Windows program, and wine, which runs Windows "
                                      "programs on this system, is not installed. Install wine, "
                                      "then launch again.")
                           .arg(QFileInfo(command.program).fileName());
    return result;
}

} // namespace bv
