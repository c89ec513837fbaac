#pragma once

#include "support/FakePlatform.h"
#include "support/Files.h"

#include "settings/CommandInterpreter.h"

#include <gtest/gtest.h>

namespace bv::test {

// A console on a program directory of its own; the host and the windows record what it asks.
struct Console {
    Console() {
        platform.programDir = programDir.path();
        interpreter.setWindowActions(&windows);
    }

    // The console lines a command added (every reply starts with a line feed).
    QStringList run(const QString& line) {
        const qsizetype before = interpreter.consoleText().count(QLatin1Char('\n'));
        interpreter.interpret(line);
        return interpreter.consoleText().split(QLatin1Char('\n')).mid(before + 1);
    }
    QString programFile(const QString& name) const { return pathIn(programDir, name); }
    QByteArray programBytes(const QString& name) const { return readBytes(programFile(name)); }
    void writeScript(const QString& name, const QByteArray& bytes) {
        ASSERT_TRUE(writeBytes(programFile(name), bytes));
    }

    QTemporaryDir programDir;
    FakePlatform platform;
    FakeWindows windows;
    LaunchSettings settings;
    ConsoleOptions colours;
    CommandInterpreter interpreter{settings, colours, platform};
};

struct InterpreterFixture : ::testing::Test, Console {};

} // namespace bv::test
