// The HX8 parameter file copy: a fuzzed parameter file goes through a real HX8 launch into a
// temporary Doom directory, and hx8.cfg must hold its lines unchanged between the executable
// line and the engine parameters.
#include "FuzzSupport.h"
#include "support/FakePlatform.h"
#include "support/Files.h"

#include "core/Latin1Text.h"
#include "launch/LaunchFiles.h"
#include "launch/Launches.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {

void runInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString parameters = bv::fuzz::scratch().path() + QStringLiteral("/p.hx8");
    {
        QFile file(parameters);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
        file.write(bytes);
    }

    QStringList read;
    bv::fuzz::require(bv::readTextLines(parameters, read).ok(), "a readable file is read");
    bv::fuzz::require(read == bv::splitScriptLines(bytes), "the CR / CR LF rule");

    bv::LaunchSettings settings;
    settings.setText(bv::Text::doomDirectory, bv::fuzz::scratch().path());
    settings.setText(bv::Text::hx8ParameterFile, parameters);
    settings.setCheck(bv::Check::monsters, 0);
    bv::test::FakePlatform platform;
    platform.programDir = bv::fuzz::scratch().path();
    platform.startResult = bv::StartFailure::None;
    bv::launchHx8(settings, platform);

    QStringList expected{QStringLiteral("GI JOE'S COMPUTER"), QStringLiteral("com3,57600"),
                         QStringLiteral("Doom3.exe")};
    expected << read << QStringLiteral("-mb 10") << QStringLiteral("-nomonsters");
    bv::fuzz::require(bv::test::readBytes(bv::fuzz::scratch().path() + QStringLiteral("/hx8.cfg")) ==
                          bv::crlfLines(expected),
                      "hx8.cfg holds the parameter lines unchanged");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    bv::fuzz::timedInput(data, size, runInput);
    return 0;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}
