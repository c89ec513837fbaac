#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace bv {

// What the D-Bus library consults to find the session bus: the environment, the user's
// runtime folder and the folders a launcher may be installed in.
struct SessionBusHost {
    std::function<QByteArray(const char* name)> variable; // null when unset
    std::function<bool(const QString& path)> exists;
    std::function<bool(const QString& path)> isExecutable;
};

// True when the only way left to the session bus is the X11 bus launcher and no launcher is
// installed. The library then still forks the whole program to search the PATH for it, which
// on a machine without a desktop session (a build server, a bare X server) costs several
// milliseconds of every start, before the first window can show.
bool sessionBusLaunchCanOnlyFail(const SessionBusHost& host);

// While it lives, a session bus that could only be found by that hopeless search fails at
// once instead. The address it sets is not one the library can connect to, and the
// environment is as it was once the object goes, so programs started later (games, the
// help browser) see exactly what Brimvault was given. Create it before anything can ask for
// the bus and keep it until Qt has asked: Qt keeps the answer.
class FailFastSessionBus {
public:
    FailFastSessionBus();
    ~FailFastSessionBus();
    FailFastSessionBus(const FailFastSessionBus&) = delete;
    FailFastSessionBus& operator=(const FailFastSessionBus&) = delete;

    bool active() const { return active_; }

private:
    bool active_ = false;
};

} // namespace bv
