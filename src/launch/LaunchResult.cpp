#include "LaunchResult.h"

#include "platform/Platform.h"

namespace bv {

namespace {

// The folder part of a path as the player gave it.
QString folderOf(const QString& path) {
#ifdef Q_OS_WIN
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
#else
    const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
#endif
    return cut > 0 ? path.left(cut) : cut == 0 ? path.left(1) : path;
}

QString notFoundText(const LaunchResult& result) {
    if (result.action != LaunchAction::running)
        return QStringLiteral("%1 was not found.").arg(result.path);
    if (result.path.isEmpty())
        return QStringLiteral("No engine is chosen: type or pick one in Exe.");
    return QStringLiteral("%1 was not found in the Doom directory %2%3.")
        .arg(result.path, result.doomDirectory,
             result.alsoOnPath ? QStringLiteral(" or on the PATH") : QString());
}

QString notAllowedText(const LaunchResult& result) {
    switch (result.action) {
    case LaunchAction::reading:
        return QStringLiteral("%1 may not be read.").arg(result.path);
    case LaunchAction::running:
        return QStringLiteral("%1 may not be run.").arg(result.path);
    case LaunchAction::writing:
    case LaunchAction::findingDoomDirectory:
        break;
    }
    return QStringLiteral("%1 may not be written.").arg(result.path);
}

} // namespace

LaunchResult launchFailure(LaunchError error, LaunchAction action, const QString& path) {
    LaunchResult result;
    result.error = error;
    result.action = action;
    result.path = path;
    return result;
}

LaunchResult firstFailure(std::initializer_list<std::function<LaunchResult()>> steps) {
    for (const auto& step : steps) {
        LaunchResult result = step();
        if (!result.ok())
            return result;
    }
    return {};
}

QString launchFailureText(const LaunchResult& result) {
    const QString number = QStringLiteral("Error number %1. ").arg(result.number());
    if (result.error == LaunchError::pathNotFound) {
        if (result.action != LaunchAction::findingDoomDirectory)
            return number +
                   QStringLiteral("The folder %1 does not exist.").arg(folderOf(result.path));
        // The documented first line stays: players know it. The second says what to do.
        const QString where =
            result.path.isEmpty()
                ? QStringLiteral("No Doom directory is set.")
                : QStringLiteral("The Doom directory %1 was not found.").arg(result.path);
        return QStringLiteral("You need to setup Brimvault\n") + where +
               QStringLiteral(" Choose it in Tools, Options.");
    }
    if (!result.cause.isEmpty())
        return number + result.cause;
    if (result.error == LaunchError::fileNotFound)
        return number + notFoundText(result);
    if (result.error == LaunchError::permissionDenied)
        return number + notAllowedText(result);
    return number +
           QStringLiteral("This is a bug. Please report this number to the Author of Brimvault.");
}

LaunchError reportLaunchFailure(Platform& platform, const LaunchResult& result) {
    if (!result.ok())
        platform.messageBox(launchFailureText(result), false);
    return result.error;
}

} // namespace bv
