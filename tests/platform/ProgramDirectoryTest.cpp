#include "platform/ProgramDirectory.h"

#include "support/Files.h"

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
        writeBytes(share + QStringLiteral("/config.brv"), "// saved here\r\n");
        writeBytes(share + QStringLiteral("/help/index.html"), "<html>");
    }
};

} // namespace

TEST(ProgramDirectory, AnyWritableFolderButAnInstallIsPortable) {
    Install install;
    // Without main.brv too: the player then sees that it is missing, in that folder.
    const QString folders[] = {install.root.path() + QStringLiteral("/portable"),
                               install.root.path() + QStringLiteral("/other/bin")};
    for (const QString& folder : folders) {
        QDir().mkpath(folder);
        const ProgramDirectoryChoice choice = chooseProgramDirectory(folder, install.user);
        EXPECT_TRUE(choice.portable);
        EXPECT_EQ(choice.path, folder);
    }
    EXPECT_FALSE(QFileInfo::exists(install.user));
    // An install into a prefix the user may write (~/.local) is still an install.
    writeBytes(install.bin + QStringLiteral("/main.brv"), "mine");
    EXPECT_TRUE(isInstalledLayout(install.bin));
    EXPECT_FALSE(chooseProgramDirectory(install.bin, install.user).portable);
}

TEST(ProgramDirectory, InstalledProgramSeedsThePerUserFolderWithoutOverwriting) {
    Install install;
    EXPECT_EQ(installedDataDirectory(install.bin), install.share);
    ProgramDirectoryChoice choice = chooseProgramDirectory(install.bin, install.user);
    EXPECT_FALSE(choice.portable);
    EXPECT_EQ(choice.path, install.user);
    EXPECT_TRUE(choice.problem.isEmpty());
    EXPECT_EQ(readBytes(install.user + QStringLiteral("/main.brv")), QByteArray("show 1\r\n"));
    EXPECT_EQ(readBytes(install.user + QStringLiteral("/help/index.html")), QByteArray("<html>"));
    EXPECT_EQ(readBytes(install.user + QStringLiteral("/config.brv")), "// saved here\r\n");

    // Delivered files the user changed survive the next start; a missing one comes back.
    writeBytes(install.user + QStringLiteral("/colour.brc"), " 9 \r\n");
    writeBytes(install.user + QStringLiteral("/config.brv"), "warp 07\r\n");
    QFile::remove(install.user + QStringLiteral("/main.brv"));
    choice = chooseProgramDirectory(install.bin, install.user);
    EXPECT_EQ(readBytes(install.user + QStringLiteral("/colour.brc")), QByteArray(" 9 \r\n"));
    EXPECT_EQ(readBytes(install.user + QStringLiteral("/config.brv")), QByteArray("warp 07\r\n"));
    EXPECT_EQ(readBytes(install.user + QStringLiteral("/main.brv")), QByteArray("show 1\r\n"));
}

TEST(ProgramDirectory, FolderThatCannotBeCreatedIsReported) {
    Install install;
    writeBytes(install.root.path() + QStringLiteral("/afile"), "x");
    const ProgramDirectoryChoice choice =
        chooseProgramDirectory(install.bin, install.root.path() + QStringLiteral("/afile/sub"));
    EXPECT_FALSE(choice.problem.isEmpty());
}
