#include "platform/SessionBus.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <optional>

using namespace bv;

namespace {

// A host whose environment and files are exactly what a case puts in it.
struct FakeHost {
    QHash<QByteArray, QByteArray> environment;
    QSet<QString> files;
    QSet<QString> executables;

    SessionBusHost host() const {
        return {[this](const char* name) {
                    const auto it = environment.find(name);
                    return it == environment.end() ? QByteArray() : *it;
                },
                [this](const QString& path) { return files.contains(path); },
                [this](const QString& path) { return executables.contains(path); }};
    }
};

// Sets or clears one environment variable for the life of a test, then puts it back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, std::optional<QByteArray> value)
        : name_(name),
          saved_(qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name))
                                                 : std::nullopt) {
        set(value);
    }
    ~ScopedVariable() { set(saved_); }

private:
    void set(const std::optional<QByteArray>& value) {
        if (value)
            qputenv(name_, *value);
        else
            qunsetenv(name_);
    }
    const char* name_;
    std::optional<QByteArray> saved_;
};

} // namespace

TEST(SessionBus, OnlyAMissingLauncherMakesTheSearchHopeless) {
    FakeHost bare;
    bare.environment["PATH"] = "/opt/tools:/usr/local/bin";
    EXPECT_TRUE(sessionBusLaunchCanOnlyFail(bare.host()));

    FakeHost withAddress = bare;
    withAddress.environment["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=/run/user/1000/bus";
    EXPECT_FALSE(sessionBusLaunchCanOnlyFail(withAddress.host()));

    FakeHost withRuntimeBus = bare;
    withRuntimeBus.environment["XDG_RUNTIME_DIR"] = "/run/user/1000";
    EXPECT_TRUE(sessionBusLaunchCanOnlyFail(withRuntimeBus.host())); // no socket there yet
    withRuntimeBus.files.insert(QStringLiteral("/run/user/1000/bus"));
    EXPECT_FALSE(sessionBusLaunchCanOnlyFail(withRuntimeBus.host()));

    // An empty address is no address: the library goes on looking.
    FakeHost emptyAddress = bare;
    emptyAddress.environment["DBUS_SESSION_BUS_ADDRESS"] = "";
    EXPECT_TRUE(sessionBusLaunchCanOnlyFail(emptyAddress.host()));
}

TEST(SessionBus, TheLauncherIsLookedForWhereTheLibraryRunsItFrom) {
    FakeHost host;
    host.environment["PATH"] = "/opt/tools::/usr/local/bin";
    for (const char* launcher : {"/usr/bin/dbus-launch", "/opt/tools/dbus-launch",
                                 "/usr/local/bin/dbus-launch", "./dbus-launch"}) {
        host.executables = {QString::fromLatin1(launcher)};
        EXPECT_FALSE(sessionBusLaunchCanOnlyFail(host.host())) << launcher;
    }
    // A PATH without the launcher's folder does not find it there.
    host.executables = {QStringLiteral("/elsewhere/dbus-launch")};
    EXPECT_TRUE(sessionBusLaunchCanOnlyFail(host.host()));

    // No PATH at all searches the system's default folders.
    FakeHost noPath;
    noPath.executables = {QStringLiteral("/bin/dbus-launch")};
    EXPECT_FALSE(sessionBusLaunchCanOnlyFail(noPath.host()));
    noPath.executables = {QStringLiteral("./dbus-launch")};
    EXPECT_TRUE(sessionBusLaunchCanOnlyFail(noPath.host()));
}

TEST(SessionBus, TheEnvironmentIsPutBackForProgramsStartedLater) {
    {
        const ScopedVariable address("DBUS_SESSION_BUS_ADDRESS", QByteArray("unix:path=/x"));
        const FailFastSessionBus bus;
        EXPECT_FALSE(bus.active());
        EXPECT_EQ(qgetenv("DBUS_SESSION_BUS_ADDRESS"), "unix:path=/x");
    }

    if (QFileInfo(QStringLiteral("/usr/bin/dbus-launch")).isExecutable())
        GTEST_SKIP() << "this machine has a bus launcher";
    const ScopedVariable address("DBUS_SESSION_BUS_ADDRESS", std::nullopt);
    const ScopedVariable runtime("XDG_RUNTIME_DIR", std::nullopt);
    const ScopedVariable path("PATH", QByteArray("/nonexistent-brimvault-folder"));
    {
        const FailFastSessionBus bus;
        ASSERT_TRUE(bus.active());
        EXPECT_EQ(qgetenv("DBUS_SESSION_BUS_ADDRESS"), "disabled:");
    }
    EXPECT_FALSE(qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"));
}
