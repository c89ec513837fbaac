#pragma once

#include <QString>

namespace bv {

// Joins a directory text and a name with the host's separator, without normalising:
// a directory that ends in a separator gives a doubled one.
QString joinPath(const QString& directory, const QString& name);

// A path that does not need the program directory in front: a drive letter, or on a
// POSIX host a leading "/".
bool isCompletePath(const QString& path);

} // namespace bv
