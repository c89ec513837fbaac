#include "Paths.h"

namespace bv {

QString joinPath(const QString& directory, const QString& name) {
#ifdef Q_OS_WIN
    return directory + QLatin1Char('\\') + name;
#else
    return directory + QLatin1Char('/') + name;
#endif
}

bool isCompletePath(const QString& path) {
    if (path.size() >= 2 && path.at(1) == QLatin1Char(':'))
        return true;
#ifdef Q_OS_WIN
    return path.startsWith(QLatin1String("\\\\"));
#else
    return path.startsWith(QLatin1Char('/'));
#endif
}

} // namespace bv
