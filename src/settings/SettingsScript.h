#pragma once

#include "LaunchSettings.h"
#include "core/AtomicFile.h"

#include <QStringList>

namespace bv {

// The 23 lines of a saved settings script, in order.
QStringList savedSettingsLines(const LaunchSettings& settings);

// Writes the saved form (CR LF, Latin-1), replacing the file atomically.
WriteResult writeSettingsScript(const QString& path, const LaunchSettings& settings);

} // namespace bv
