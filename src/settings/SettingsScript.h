#pragma once

#include "LaunchSettings.h"
#include "core/AtomicFile.h"

namespace bv {

// Writes the saved form of the settings (CR LF, Latin-1), replacing the file atomically: a
// script of commands that sets them back when it is executed.
WriteResult writeSettingsScript(const QString& path, const LaunchSettings& settings);

} // namespace bv
