#pragma once

#include "support/FakePlatform.h"
#include "support/TempDir.h"

#include "launch/LaunchFiles.h"
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

// Default settings whose Doom directory is a real, empty temporary directory.
class LaunchFixture : public ::testing::Test {
protected:
    LaunchFixture() {
        settings.setText(Text::doomDirectory, doomDir.path());
        platform.programDir = doomDir.path();
        // Programs are looked up on PATH too; only what a test puts there may be found.
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
    // Works inside the temporary directory so that a short relative Doom directory such as
    // "c:" can exist on this host.
    void workInDoomDir() { ASSERT_TRUE(QDir::setCurrent(doomDir.path())); }
    QStringList messageTexts() const {
        QStringList texts;
        for (const auto& message : platform.messages)
            texts << message.text;
        return texts;
    }

    QTemporaryDir doomDir;
    QTemporaryDir binDir;
    FakePlatform platform;
    LaunchSettings settings;
    QString previousDir = QDir::currentPath();
    QByteArray previousPath = qgetenv("PATH");
};

} // namespace bv::test
