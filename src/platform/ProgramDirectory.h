#pragma once

#include <QString>

namespace bv {

struct ProgramDirectoryChoice {
    QString path;
    bool portable = false; // the folder of the executable itself
    QString problem;       // set when the per-user folder could not be made or seeded
};

// A portable install keeps everything beside the executable: its folder is the program
// directory when it is writable and holds main.brv. Otherwise (an install into bin/) the
// per-user data folder is, created and seeded from the install's share folder with the
// delivered files that are missing there; files already there are never overwritten.
ProgramDirectoryChoice chooseProgramDirectory(const QString& executableDirectory,
                                              const QString& userDataDirectory,
                                              const QString& sharedDataDirectory);

// The install's folder of delivered files for an executable in <prefix>/bin.
QString installedDataDirectory(const QString& executableDirectory);

} // namespace bv
