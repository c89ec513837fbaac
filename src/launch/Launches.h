#pragma once

namespace bv {

class LaunchSettings;
class Platform;

// The launches and exports. Each reads the settings at the moment it runs, writes its files
// into the Doom directory (or the file the user names), starts what it starts through the
// platform, and shows the launch failure report itself. Each returns 0 on success (or a
// cancelled dialog) and otherwise the error number that the report showed.
int launchSinglePlayer(const LaunchSettings& settings, Platform& platform); // cmdLaunchSingle
int launchHx8(const LaunchSettings& settings, Platform& platform);          // cdHX8
int launchDoomatic(const LaunchSettings& settings, Platform& platform);     // cmdMultiplayer
int makeBatchFile(const LaunchSettings& settings, Platform& platform);      // menuBatchFile
int exportSettings(const LaunchSettings& settings, Platform& platform);     // menuExport

// Lets the user pick an HX8 parameter file in the program directory and puts its full path
// into txtParFile; a cancelled dialog changes nothing. Nothing here can fail: returns 0.
int pickParameterFile(LaunchSettings& settings, Platform& platform); // cmdParFile

} // namespace bv
