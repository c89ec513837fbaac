#pragma once

#include "core/Version.h"

#include <QString>

namespace bv {

inline QString mainWindowCaption() {
    return QStringLiteral("Brimvault Version %1 Beta").arg(QLatin1String(kVersion));
}

// The console's caption while it floats; docked below the main window it has none.
inline constexpr const char* kFloatingConsoleCaption = "Brimvault [Console]";

} // namespace bv
