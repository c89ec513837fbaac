#pragma once

#include "support/FakePlatform.h"
#include "support/Files.h"

#include "launch/LaunchResult.h"
#include "settings/LaunchSettings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace bv {
// Failures print as the numbers the report shows.
inline void PrintTo(LaunchError error, std::ostream* out) {
    *out << static_cast<int>(error);
}
} // namespace bv

namespace bv::test {

// Default settings whose Doom directory is a real, empty temporary directory, and a PATH
// that holds only what a test puts there.
class LaunchFixture : public ::testing::Test {
protected:
    LaunchFixture() {
        settings.setText(Text::doomDirectory, doomDir.path());
        platform.programDir = doomDir.path();
        qputenv("PATH", binDir.path().toLocal8Bit());
    }
    ~LaunchFixture() override {
        QDir::setCurrent(previousDir);
        qputenv("PATH", previousPath);
    }

    QString doomFile(const QString& name) const { return pathIn(doomDir, name); }
    QByteArray doomBytes(const QString& name) const { return readBytes(doomFile(name)); }
    QStringList doomEntries() const {
        return QDir(doomDir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }
    // The text of the last message box, or nothing.
    QString report() const {
        return platform.messages.empty() ? QString() : platform.messages.back().text;
    }

    QTemporaryDir doomDir;
    QTemporaryDir binDir;
    FakePlatform platform;
    LaunchSettings settings;
    QString previousDir = QDir::currentPath();
    QByteArray previousPath = qgetenv("PATH");
};

} // namespace bv::test
