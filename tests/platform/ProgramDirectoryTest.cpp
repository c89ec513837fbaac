#include "platform/ProgramDirectory.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace bv;
using bv::test::readBytes;
using bv::test::writeBytes;

namespace {

// <root>/bin beside <root>/share/brimvault with the delivered files.
struct Install {
    QTemporaryDir root;
    QString bin = root.path() + QStringLiteral("/bin");
    QString share = root.path() + QStringLiteral("/share/brimvault");
    QString user = root.path() + QStringLiteral("/home/.local/share/Brimvault");
    Install() {
        QDir().mkpath(bin);
        QDir().mkpath(share + QStringLiteral("/help"));
        writeBytes(share + QStringLiteral("/main.brv"), "show 1\r\n");
        writeBytes(share + QStringLiteral("/colour.brc"), " 1 \r\n");
        writeBytes(share + QStringLiteral("/help/index.html"), "<html>");
    }
};

} // namespace

TEST(ProgramDirectory, PortableFolderKeepsEverythingBesideTheExecutable) {
    Install install;
    writeBytes(install.bin + QStringLiteral("/main.brv"), "mine");
    const ProgramDirectoryChoice choice =
        chooseProgramDirectory(install.bin, install.user, install.share);
    EXPECT_TRUE(choice.portable);
    EXPECT_EQ(choice.path, install.bin);
    EXPECT_FALSE(QFileInfo::exists(install.user));
}

TEST(ProgramDirectory, InstalledProgramSeedsThePerUserFolderWithoutOverwriting) {
    Install install;
    EXPECT_EQ(installedDataDirectory(install.bin), install.share);
    ProgramDirectoryChoice choice =
        chooseProgramDirectory(install.bin, install.user, install.share);
    EXPECT_FALSE(choice.portable);
    EXPECT_EQ(choice.path, install.user);
    EXPECT_TRUE(choice.problem.isEmpty());
    EXPECT_EQ(readBytes(install.user + QStringLiteral("/main.brv")), QByteArray("show 1\r\n"));
    EXPECT_EQ(readBytes(install.user + QStringLiteral("/help/index.html")), QByteArray("<html>"));

    // A file the user changed, and one the user added, survive the next start.
    writeBytes(install.user + QStringLiteral("/colour.brc"), " 9 \r\n");
    writeBytes(install.user + QStringLiteral("/config.brv"), "warp 07\r\n");
    QFile::remove(install.user + QStringLiteral("/main.brv"));
    choice = chooseProgramDirectory(install.bin, install.user, install.share);
    EXPECT_EQ(readBytes(install.user + QStringLiteral("/colour.brc")), QByteArray(" 9 \r\n"));
    EXPECT_EQ(readBytes(install.user + QStringLiteral("/config.brv")), QByteArray("warp 07\r\n"));
    EXPECT_EQ(readBytes(install.user + QStringLiteral("/main.brv")), QByteArray("show 1\r\n"));
}

TEST(ProgramDirectory, FolderThatCannotBeCreatedIsReported) {
    Install install;
    writeBytes(install.root.path() + QStringLiteral("/afile"), "x");
    const ProgramDirectoryChoice choice = chooseProgramDirectory(
        install.bin, install.root.path() + QStringLiteral("/afile/sub"), install.share);
    EXPECT_FALSE(choice.problem.isEmpty());
}
