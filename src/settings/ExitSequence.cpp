#include "ExitSequence.h"

#include "ColourTheme.h"
#include "LaunchSettings.h"
#include "SettingsScript.h"
#include "core/Paths.h"
#include "platform/Platform.h"
#include "platform/WindowActions.h"

#include <cstdio>

namespace bv {

namespace {

QStringList storePlacement(const ConsoleOptions& console, const WindowPlacement& placement,
                           Platform& platform) {
    const QString window = QStringLiteral("Window Settings");
    const QString consoleSection = QStringLiteral("Console Settings");
    const struct {
        const QString& section;
        const char* key;
        QString value;
    } values[] = {
        {window, "MainTop", QString::number(placement.mainTop)},
        {window, "MainLeft", QString::number(placement.mainLeft)},
        {window, "ConTop", QString::number(placement.consoleTop)},
        {window, "ConLeft", QString::number(placement.consoleLeft)},
        {consoleSection, "Docking", QString::number(console.docked())},
        {consoleSection, "Show",
         placement.consoleShown ? QStringLiteral("True") : QStringLiteral("False")},
    };
    QStringList failures;
    for (const auto& v : values) {
        if (!platform.setStoreValue(v.section, QLatin1String(v.key), v.value))
            failures << QStringLiteral("%1/%2 could not be stored in the per-user settings")
                            .arg(v.section, QLatin1String(v.key));
    }
    return failures;
}

QString writeFailure(const QString& path, const WriteResult& result) {
    return QStringLiteral("%1 could not be written: %2").arg(path, result.message);
}

} // namespace

void runExitSequence(const LaunchSettings& settings, const ConsoleOptions& console,
                     const WindowPlacement& placement, Platform& platform) {
    QStringList failures;
    const QString configPath = joinPath(platform.programDirectory(), QStringLiteral("config.brv"));
    const WriteResult config = writeSettingsScript(configPath, settings);
    if (!config.ok)
        failures << writeFailure(configPath, config);

    failures << storePlacement(console, placement, platform);

    const QString colourPath = joinPath(platform.programDirectory(), QStringLiteral("colour.brc"));
    const WriteResult colours = writeFileAtomically(colourPath, colourThemeBytes(console.values()));
    if (!colours.ok)
        failures << writeFailure(colourPath, colours);

    // The player would otherwise find the old settings at the next start without knowing
    // why. The program still ends once the report is read.
    if (!failures.isEmpty()) {
        const QString report =
            QStringLiteral("Brimvault could not save everything before ending. A file that could "
                           "not be written keeps its earlier contents.\n\n") +
            failures.join(QLatin1Char('\n'));
        std::fprintf(stderr, "Brimvault: %s\n", qPrintable(report));
        platform.messageBox(report, false);
    }
    platform.quit();
}

} // namespace bv
