#pragma once

#include "support/FakePlatform.h"
#include "support/Files.h"

#include "settings/CommandInterpreter.h"
#include "settings/LaunchSettings.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace bv::test {

// An interpreter with a real temporary program directory and fake windows and host.
class InterpreterFixture : public ::testing::Test {
protected:
    InterpreterFixture() {
        platform.programDir = programDir.path();
        interpreter.setWindowActions(&windows);
    }

    // The console lines after the leading empty one that every reply starts with.
    QStringList outputLines() const {
        return interpreter.consoleText().split(QLatin1Char('\n')).mid(1);
    }
    QStringList logLines() const { return interpreter.debugLog().split(QLatin1Char('\n')).mid(1); }

    QStringList run(const QString& line) {
        const qsizetype before = outputLines().size();
        interpreter.interpret(line);
        return outputLines().mid(before);
    }

    QString programFile(const QString& name) const { return pathIn(programDir, name); }
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

} // namespace bv::test
