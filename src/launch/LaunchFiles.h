#pragma once

#include "LaunchResult.h"
#include "platform/Platform.h"

#include <QString>
#include <QStringList>

namespace bv {

// The lines of a file and the error met right after them: a file whose next line cannot be
// built is still written up to that line, then the launch fails with that error.
struct FileLines {
    QStringList lines;
    LaunchError failure = LaunchError::none;
};

// Succeeds for a Doom directory that exists. An empty text counts as missing, since joining
// it with a name would write into the root of the file system.
LaunchResult checkDoomDirectory(const QString& directory);

// Creates or truncates the file and writes the lines, each in Latin-1 ("?" for characters
// outside it) followed by CR LF. Fails with the host's failure, or with the failure that
// content carries once its lines are written.
LaunchResult writeLaunchFile(const QString& path, const FileLines& content);

// The same for a file of the user's own (an export): the old file stays whole until the new
// one is complete, so a write that fails part way loses nothing. A device is written into.
LaunchResult replaceUserFile(const QString& path, const FileLines& content);

// Reads a whole text file into lines: a line ends at CR or CR LF, a lone LF stays inside.
LaunchResult readTextLines(const QString& path, QStringList& lines);

// Renames from to to, replacing a file already at to in one step.
LaunchResult replaceByRename(const QString& from, const QString& to);

// The error of a program that could not be started.
LaunchError startFailureError(StartFailure failure);

} // namespace bv
