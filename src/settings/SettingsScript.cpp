#include "SettingsScript.h"

#include "CommandTable.h"
#include "core/Latin1Text.h"

namespace bv {

WriteResult writeSettingsScript(const QString& path, const LaunchSettings& settings) {
    return writeFileAtomically(path, crlfLines(savedSettingsLines(settings)));
}

} // namespace bv
