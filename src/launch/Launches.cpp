#include "Launches.h"

#include "EngineFamilies.h"
#include "GameStart.h"
#include "LaunchFiles.h"
#include "LaunchLines.h"

#include "core/Paths.h"
#include "platform/Platform.h"
#include "settings/LaunchSettings.h"

#include <QFileInfo>

namespace bv {

namespace {

QString doomFile(const LaunchSettings& settings, const char* name) {
    return joinPath(settings.text(Text::doomDirectory), QLatin1String(name));
}

// The two engine scripts that every launch writes first, autoexec.cfg complete before
// addbots.cfg is opened. Network games show each bot before writing it, so the player sees
// which bots the game will get.
LaunchResult writeEngineScripts(const LaunchSettings& settings, Platform& platform, bool announce) {
    return firstFailure({
        [&] { return checkDoomDirectory(settings.text(Text::doomDirectory)); },
        [&] {
            return writeLaunchFile(doomFile(settings, "autoexec.cfg"), {autoexecLines(settings)});
        },
        [&] {
            const QStringList bots = botsToAdd(settings.list(BotList::selectedBots));
            if (announce) {
                for (const QString& bot : bots)
                    platform.messageBox(bot, false);
            }
            return writeLaunchFile(doomFile(settings, "addbots.cfg"), {addbotsLines(bots)});
        },
    });
}

// What the engine's family left out of the Doom Legacy line or changed in it.
void tellNotes(Platform& platform, const EngineLine& line) {
    for (const QString& note : line.notes)
        platform.consoleReply(note);
}

LaunchError exportFile(Platform& platform, const QString& doomDirectory, const char* filter,
                       const FileLines& content, const EngineLine& line = {}) {
    FileDialogSpec request;
    request.initialDirectory = doomDirectory;
    request.filter = QLatin1String(filter);
    request.flags = kHideReadOnly;
    const QString path = platform.fileDialog(FileDialogKind::Save, request);
    if (path.isEmpty())
        return LaunchError::none;
    const LaunchResult written = replaceUserFile(path, content);
    if (written.ok())
        tellNotes(platform, line);
    return reportLaunchFailure(platform, written);
}

// The previous game set moves aside, replacing an older backup, so every launch after the
// first still works; with nothing to move there is nothing to keep. A folder of that name
// holds no game set of ours: it stays where it is, and the launch fails as for any other
// doomatic.cfg that cannot be moved aside.
LaunchResult keepPreviousGameSet(const LaunchSettings& settings) {
    const QString config = doomFile(settings, "doomatic.cfg");
    const QFileInfo old(config);
    if (old.isDir())
        return launchFailure(LaunchError::accessError, LaunchAction::writing, config);
    if (!old.exists())
        return {};
    return replaceByRename(config, doomFile(settings, "doomatic.bak"));
}

} // namespace

LaunchError launchSinglePlayer(const LaunchSettings& settings, Platform& platform) {
    const QString directory = settings.text(Text::doomDirectory);
    const QString batch = doomFile(settings, "brv.bat");
    const QString executable = settings.text(Text::executable);
    // brv.bat holds the line that runs, so that it stays a true record of the game.
    const EngineLine line = engineLine(settings, true);
    const QString command = engineCommandLine(executable, itemTexts(line.items));
    return reportLaunchFailure(
        platform, firstFailure({
                      [&] { return writeEngineScripts(settings, platform, false); },
                      [&] { return writeLaunchFile(batch, batchFileLines(directory, command)); },
                      [&] {
                          tellNotes(platform, line);
                          return startGame(platform,
                                           engineStartCommand(directory, batch, executable, line));
                      },
                  }));
}

LaunchError launchHx8(const LaunchSettings& settings, Platform& platform) {
    const QString directory = settings.text(Text::doomDirectory);
    const QString parameterFile = settings.text(Text::hx8ParameterFile);
    const QString batch = doomFile(settings, "hx8.bat");
    QStringList parameterLines;
    return reportLaunchFailure(
        platform,
        firstFailure({
            [&] { return writeEngineScripts(settings, platform, true); },
            // Read whole before hx8.cfg is touched, so an unreadable file leaves the old one.
            [&] {
                return parameterFile.isEmpty() ? LaunchResult{}
                                               : readTextLines(parameterFile, parameterLines);
            },
            [&] {
                return writeLaunchFile(doomFile(settings, "hx8.cfg"),
                                       {hx8ConfigLines(settings, parameterLines)});
            },
            [&] {
                return writeLaunchFile(batch, batchFileLines(directory, QStringLiteral("hx8.exe")));
            },
            [&] { return startGame(platform, hx8StartCommand(directory, batch)); },
        }));
}

LaunchError launchDoomatic(const LaunchSettings& settings, Platform& platform) {
    return reportLaunchFailure(platform,
                               firstFailure({
                                   [&] { return writeEngineScripts(settings, platform, true); },
                                   [&] { return keepPreviousGameSet(settings); },
                                   [&] {
                                       return writeLaunchFile(doomFile(settings, "doomatic.cfg"),
                                                              doomaticConfigLines(settings));
                                   },
                               }));
}

LaunchError makeBatchFile(const LaunchSettings& settings, Platform& platform) {
    const QString directory = settings.text(Text::doomDirectory);
    // Exported batch files have never carried the OpenGL switch; users' copies stay alike.
    const EngineLine line = engineLine(settings, false);
    return exportFile(platform, directory, "Batch File|*.bat",
                      batchFileLines(directory, engineCommandLine(settings.text(Text::executable),
                                                                  itemTexts(line.items))),
                      line);
}

LaunchError exportSettings(const LaunchSettings& settings, Platform& platform) {
    return exportFile(platform, settings.text(Text::doomDirectory), "Doom Legacy Config File|*.cfg",
                      {exportedConfigLines(settings)});
}

void pickParameterFile(LaunchSettings& settings, Platform& platform) {
    FileDialogSpec request;
    request.initialDirectory = platform.programDirectory();
    request.filter = QStringLiteral("Brimvault HX8 Parameter File|*.hx8");
    request.flags = kHideReadOnly;
    const QString path = platform.fileDialog(FileDialogKind::Open, request);
    if (!path.isEmpty())
        settings.setText(Text::hx8ParameterFile, path);
}

} // namespace bv
