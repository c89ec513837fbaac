#pragma once

#include <QString>

namespace bv {

struct ProgramDirectoryChoice {
    QString path;
    bool portable = false; // the folder of the executable itself
    QString problem;       // set when the per-user folder could not be made or seeded
};

// The install's folder of delivered files for an executable in <prefix>/bin.
QString installedDataDirectory(const QString& executableDirectory);

// True for an executable in a bin/ folder with ../share/brimvault/ beside it: an installed
// program, whose folder belongs to the whole system or to the package manager.
bool isInstalledLayout(const QString& executableDirectory);

// Whether the folder of the executable is the program directory: it is writable and not an
// installed layout. A missing main.brv does not matter: the player should see the failure
// to run it in that folder's debug.txt, not find the program living somewhere else.
bool isPortableFolder(const QString& executableDirectory);

// The folder of the executable when it is portable. Otherwise the per-user data folder,
// created and seeded from the install's share folder with the delivered files that are
// missing there; files already there are never overwritten.
ProgramDirectoryChoice chooseProgramDirectory(const QString& executableDirectory,
                                              const QString& userDataDirectory);

} // namespace bv
