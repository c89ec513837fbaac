#pragma once

namespace bv {

class ConsoleOptions;
class LaunchSettings;
class Platform;
struct WindowPlacement;

// What `exit` does: saves the settings as config.brv, the window positions and console
// settings in the per-user store and the colours as colour.brc, all in the program
// directory, then ends the program. What could not be saved is reported in one message
// (and on standard error) before the end; a file that could not be written keeps its
// earlier contents.
void runExitSequence(const LaunchSettings& settings, const ConsoleOptions& console,
                     const WindowPlacement& placement, Platform& platform);

} // namespace bv
