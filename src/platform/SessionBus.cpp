#include "SessionBus.h"

#include <QFileInfo>

namespace bv {

namespace {

constexpr const char* kAddressVariable = "DBUS_SESSION_BUS_ADDRESS";
const QString kLauncher = QStringLiteral("dbus-launch");

// The library runs the launcher from its own install folder first, then by name, which
// searches the PATH as the shell does: an empty entry is the current folder, and no PATH at
// all means the system's default folders.
QStringList launcherFolders(const QByteArray& path) {
    QStringList folders{QStringLiteral("/usr/bin")};
    const QString searched =
        path.isNull() ? QStringLiteral("/bin:/usr/bin") : QString::fromLocal8Bit(path);
    for (const QString& folder : searched.split(QLatin1Char(':')))
        folders << (folder.isEmpty() ? QStringLiteral(".") : folder);
    return folders;
}

SessionBusHost realHost() {
    return {[](const char* name) { return qgetenv(name); },
            [](const QString& path) { return QFileInfo::exists(path); },
            [](const QString& path) {
                const QFileInfo file(path);
                return file.isFile() && file.isExecutable();
            }};
}

} // namespace

bool sessionBusLaunchCanOnlyFail(const SessionBusHost& host) {
#ifdef Q_OS_WIN
    Q_UNUSED(host);
    return false; // no X11 launcher is involved there
#else
    if (!host.variable(kAddressVariable).isEmpty())
        return false;
    const QByteArray runtime = host.variable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && host.exists(QString::fromLocal8Bit(runtime) + QStringLiteral("/bus")))
        return false;
    for (const QString& folder : launcherFolders(host.variable("PATH"))) {
        if (host.isExecutable(folder + QLatin1Char('/') + kLauncher))
            return false;
    }
    return true;
#endif
}

FailFastSessionBus::FailFastSessionBus() {
    if (!sessionBusLaunchCanOnlyFail(realHost()))
        return;
    // Not an address type the library knows, so connecting fails without trying anything.
    active_ = qputenv(kAddressVariable, QByteArrayLiteral("disabled:"));
}

FailFastSessionBus::~FailFastSessionBus() {
    if (active_)
        qunsetenv(kAddressVariable);
}

} // namespace bv
