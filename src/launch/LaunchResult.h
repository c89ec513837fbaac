#pragma once

#include <QString>

#include <functional>
#include <initializer_list>

namespace bv {

class Platform;

// The error numbers that the launch failure report shows. 5, 53, 58 and 76 have always meant
// these failures; the others keep the host's remaining errors apart. Players quote them, so
// they never change.
enum class LaunchError {
    none = 0,
    invalidArgument = 5,   // a text too short for the line it must give
    fileNotFound = 53,     // a file to read, rename or start is missing
    deviceIo = 57,         // reading or writing failed part way
    fileExists = 58,       // a rename target that cannot be replaced
    diskFull = 61,         // no space left while writing
    tooManyFiles = 67,     // the host ran out of file handles
    permissionDenied = 70, // not allowed to write, read or run
    accessError = 75,      // any other failure to open, rename or start
    pathNotFound = 76,     // the folder of a file does not exist
};

// What a launch step was doing, so that the report can say what failed.
enum class LaunchAction { writing, reading, running, findingDoomDirectory };

// The outcome of one launch step. A failure names the file or folder as the player gave it:
// the Doom directory's text joined with a name, never a path made absolute.
struct LaunchResult {
    LaunchError error = LaunchError::none;
    LaunchAction action = LaunchAction::writing;
    QString path; // the file or folder; for an engine that was not found, its name
    // An engine that was not found: where it was looked for.
    QString doomDirectory;
    bool alsoOnPath = false;
    // A known cause of the failure, which the report gives in place of the usual text.
    QString cause;

    bool ok() const { return error == LaunchError::none; }
    int number() const { return static_cast<int>(error); }
};

LaunchResult launchFailure(LaunchError error, LaunchAction action, const QString& path);

// Runs the steps in order until one fails, and returns that failure (or success).
LaunchResult firstFailure(std::initializer_list<std::function<LaunchResult()>> steps);

// The text of the launch failure report. "Error number N." comes first, since players quote
// the number; a missing Doom directory asks for setup instead.
QString launchFailureText(const LaunchResult& result);
// Shows the report for a failure; returns the error.
LaunchError reportLaunchFailure(Platform& platform, const LaunchResult& result);

} // namespace bv
