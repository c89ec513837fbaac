#include "Launches.h"

#include "GameStart.h"
#include "LaunchFiles.h"
#include "LaunchLines.h"

#include "platform/Platform.h"
#include "settings/LaunchSettings.h"
#include "settings/TextFile.h"

#include <QFileInfo>

namespace bv {

namespace {

QString doomFile(const LaunchSettings& settings, const char* name) {
    return joinPath(settings.text(Text::txtDir), QLatin1String(name));
}

// The two engine scripts that every launch writes first, autoexec.cfg complete before
// addbots.cfg is opened. Network games show each bot before writing it, so the player sees
// which bots the game will get.
int writeEngineScripts(const LaunchSettings& settings, Platform& platform, bool announce) {
    if (const int error = checkDoomDirectory(settings.text(Text::txtDir)))
        return error;
    if (const int error =
            writeLaunchFile(doomFile(settings, "autoexec.cfg"), {autoexecLines(settings)}))
        return error;
    const QStringList bots = botsToAdd(settings.list(BotList::listUseBots));
    if (announce) {
        for (const QString& bot : bots)
            platform.messageBox(bot, false);
    }
    return writeLaunchFile(doomFile(settings, "addbots.cfg"), {addbotsLines(bots)});
}

int exportFile(Platform& platform, const QString& doomDirectory, const char* filter,
               const FileLines& content) {
    FileDialogSpec request;
    request.initialDirectory = doomDirectory;
    request.filter = QLatin1String(filter);
    request.flags = kHideReadOnly;
    const QString path = platform.fileDialog(FileDialogKind::Save, request);
    if (path.isEmpty())
        return 0;
    return reportLaunchFailure(platform, replaceUserFile(path, content));
}

} // namespace

int launchSinglePlayer(const LaunchSettings& settings, Platform& platform) {
    const QString directory = settings.text(Text::txtDir);
    const QString batch = doomFile(settings, "brv.bat");
    const QString command = engineCommandLine(settings, true);
    int error = writeEngineScripts(settings, platform, false);
    if (error == 0)
        error = writeLaunchFile(batch, batchFileLines(directory, command));
    if (error != 0)
        return reportLaunchFailure(platform, error);
    const StartCommand start = engineStartCommand(directory, batch, command);
    return reportLaunchFailure(platform, startGame(platform, start), startFailureCause(start));
}

int launchHx8(const LaunchSettings& settings, Platform& platform) {
    const QString directory = settings.text(Text::txtDir);
    const QString parameterFile = settings.text(Text::txtParFile);
    const QString batch = doomFile(settings, "hx8.bat");
    QStringList parameterLines;
    int error = writeEngineScripts(settings, platform, true);
    // Read whole before hx8.cfg is touched, so an unreadable file leaves the old one.
    if (error == 0 && !parameterFile.isEmpty())
        error = readTextLines(parameterFile, parameterLines);
    if (error == 0)
        error = writeLaunchFile(doomFile(settings, "hx8.cfg"),
                                {hx8ConfigLines(settings, parameterLines)});
    if (error == 0)
        error = writeLaunchFile(batch, batchFileLines(directory, QStringLiteral("hx8.exe")));
    if (error != 0)
        return reportLaunchFailure(platform, error);
    const StartCommand start = hx8StartCommand(directory, batch);
    return reportLaunchFailure(platform, startGame(platform, start), startFailureCause(start));
}

int launchDoomatic(const LaunchSettings& settings, Platform& platform) {
    const QString config = doomFile(settings, "doomatic.cfg");
    int error = writeEngineScripts(settings, platform, true);
    // The previous set moves aside, replacing an older backup, so every launch after the
    // first still works; with nothing to move there is nothing to keep.
    // A folder of that name holds no game set of ours: it stays where it is, and the launch
    // fails as for any other doomatic.cfg that cannot be moved aside.
    const QFileInfo old(config);
    if (error == 0 && old.isDir())
        error = launch_error::kAccessError;
    else if (error == 0 && old.exists())
        error = replaceByRename(config, doomFile(settings, "doomatic.bak"));
    if (error == 0)
        error = writeLaunchFile(config, doomaticConfigLines(settings));
    return reportLaunchFailure(platform, error);
}

int makeBatchFile(const LaunchSettings& settings, Platform& platform) {
    const QString directory = settings.text(Text::txtDir);
    // Exported batch files have never carried the OpenGL switch; users' copies stay alike.
    return exportFile(platform, directory, "Batch File|*.bat",
                      batchFileLines(directory, engineCommandLine(settings, false)));
}

int exportSettings(const LaunchSettings& settings, Platform& platform) {
    return exportFile(platform, settings.text(Text::txtDir), "Doom Legacy Config File|*.cfg",
                      {exportedConfigLines(settings)});
}

int pickParameterFile(LaunchSettings& settings, Platform& platform) {
    FileDialogSpec request;
    request.initialDirectory = platform.programDirectory();
    request.filter = QStringLiteral("Brimvault HX8 Parameter File|*.hx8");
    request.flags = kHideReadOnly;
    const QString path = platform.fileDialog(FileDialogKind::Open, request);
    if (!path.isEmpty())
        settings.setText(Text::txtParFile, path);
    return 0;
}

} // namespace bv
