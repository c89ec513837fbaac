// One console line into the interpreter, and the rest of the input as a script that the line
// may execute, in a temporary program directory with a recording platform.
#include "FuzzSupport.h"
#include "support/FakePlatform.h"
#include "support/Files.h"

#include "settings/CommandInterpreter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {

void runInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype newline = input.indexOf('\n');
    const QString line = QString::fromLatin1(newline < 0 ? input : input.left(newline));
    const QByteArray script = newline < 0 ? QByteArray() : input.mid(newline + 1);

    {
        QFile file(bv::fuzz::scratch().path() + QStringLiteral("/f.brv"));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
        file.write(script);
    }

    bv::test::FakePlatform platform;
    platform.programDir = bv::fuzz::scratch().path();
    bv::test::FakeWindows windows;
    bv::LaunchSettings settings;
    // Keep update_ybot inside the sandbox whatever the input sets.
    settings.setText(bv::Text::doomDirectory, bv::fuzz::scratch().path());
    bv::ConsoleOptions colours;
    bv::CommandInterpreter interpreter(settings, colours, platform);
    interpreter.setWindowActions(&windows);
    // The bound itself is tested elsewhere. Two scripts are enough to reach a script that
    // runs itself and the refusal after it, and keep every input fast.
    interpreter.setScriptBudget(2);

    interpreter.interpret(line);
    bv::fuzz::require(interpreter.debugLog().size() >= line.size() + 1,
                      "the debug log grew by at least the line");
    bv::fuzz::require(interpreter.debugLog().startsWith(QLatin1Char('\n') + line),
                      "the line is logged first, as given");
    bv::fuzz::checkRecord(settings);

    const qsizetype logged = interpreter.debugLog().size();
    interpreter.interpret(QStringLiteral("exec f.brv"));
    bv::fuzz::require(interpreter.ended() || interpreter.debugLog().size() > logged,
                      "exec is logged");
    bv::fuzz::checkRecord(settings);
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
