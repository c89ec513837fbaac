#pragma once

#include "platform/Platform.h"

#include <QString>
#include <QStringList>

namespace bv {

// The error numbers that the launch failure report shows. 5, 53, 58 and 76 have always meant
// these failures; the others keep the host's remaining errors apart, and must not change
// since users quote them.
namespace launch_error {
inline constexpr int kInvalidArgument = 5;   // a text too short for the line it must give
inline constexpr int kFileNotFound = 53;     // a file to read, rename or start is missing
inline constexpr int kDeviceIo = 57;         // reading or writing failed part way
inline constexpr int kFileExists = 58;       // a rename target that cannot be replaced
inline constexpr int kDiskFull = 61;         // no space left while writing
inline constexpr int kTooManyFiles = 67;     // the host ran out of file handles
inline constexpr int kPermissionDenied = 70; // not allowed to write, read or run
inline constexpr int kAccessError = 75;      // any other failure to open, rename or start
inline constexpr int kPathNotFound = 76;     // the directory of a file does not exist
} // namespace launch_error

// The lines of a file and the error met right after them: a file whose next line cannot be
// built is still written up to that line, then the launch fails with that error.
struct FileLines {
    QStringList lines;
    int failure = 0;
};

// The text of the launch failure report for an error number. A known cause replaces the
// request to report a bug: the failure is then not one.
QString launchFailureText(int error, const QString& cause = QString());
// Shows the report when error is not 0; returns error.
int reportLaunchFailure(Platform& platform, int error, const QString& cause = QString());

// 0 for a Doom directory that exists; kPathNotFound otherwise. An empty text counts as
// missing, since joining it with a name would write into the root of the file system.
int checkDoomDirectory(const QString& directory);

// Creates or truncates the file and writes the lines, each in Latin-1 ("?" for characters
// outside it) followed by CR LF. Returns 0, the host's failure as an error number, or the
// failure that content carries once its lines are written.
int writeLaunchFile(const QString& path, const FileLines& content);

// The same for a file of the user's own (an export): the old file stays whole until the new
// one is complete, so a write that fails part way loses nothing. A device is written into.
int replaceUserFile(const QString& path, const FileLines& content);

// Reads a whole text file into lines: a line ends at CR or CR LF, a lone LF stays inside.
// Returns 0 or the error number.
int readTextLines(const QString& path, QStringList& lines);

// Renames from to to, replacing a file already at to in one step. Returns 0 or the error.
int replaceByRename(const QString& from, const QString& to);

// The error number of a program that could not be started.
int startFailureNumber(StartFailure failure);

} // namespace bv
