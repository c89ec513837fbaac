#pragma once

#include "LaunchResult.h"

namespace bv {

class LaunchSettings;
class Platform;

// The launches and exports. Each reads the settings at the moment it runs, writes its files
// into the Doom directory (or the file the user names), starts what it starts through the
// platform, and shows the launch failure report itself. Each returns the error that the
// report showed, or none on success (or a cancelled dialog).
LaunchError launchSinglePlayer(const LaunchSettings& settings, Platform& platform);
LaunchError launchHx8(const LaunchSettings& settings, Platform& platform);
LaunchError launchDoomatic(const LaunchSettings& settings, Platform& platform);
LaunchError makeBatchFile(const LaunchSettings& settings, Platform& platform);
LaunchError exportSettings(const LaunchSettings& settings, Platform& platform);

// Lets the user pick an HX8 parameter file in the program directory and puts its full path
// into the HX8 parameter file setting; a cancelled dialog changes nothing.
void pickParameterFile(LaunchSettings& settings, Platform& platform);

} // namespace bv
