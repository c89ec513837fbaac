#include "LaunchFixture.h"

#include "core/Latin1Text.h"
#include "launch/LaunchLines.h"
#include "launch/Launches.h"

#include <QFileInfo>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

using namespace bv;
using namespace bv::test;

namespace {

QByteArray crlf(const QStringList& lines) {
    return crlfLines(lines);
}

const QString kThanks = QStringLiteral("@echo Thanks for using Brimvault");
const QString kAlias = QStringLiteral("alias addbots \"exec addbots.cfg\"");

} // namespace

using SinglePlayer = LaunchFixture;
using Hx8 = LaunchFixture;
using Doomatic = LaunchFixture;
using Export = LaunchFixture;

TEST_F(SinglePlayer, DefaultsWriteTheFilesAndStartTheEngineFromTheDoomDirectory) {
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("autoexec.cfg")), "bind x quit\r\nmine\r\n"));
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("Doom3.exe")), "engine"));
    const QString dir = doomDir.path();

    EXPECT_EQ(launchSinglePlayer(settings, platform), LaunchError::none);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(
        doomBytes(QStringLiteral("autoexec.cfg")),
        crlf({"weaponpref 014576328", "botskill 2", "gr_crappymlook 0", kAlias, "weapondrop 0"}));
    EXPECT_TRUE(QFileInfo::exists(doomFile(QStringLiteral("addbots.cfg"))));
    EXPECT_EQ(doomBytes(QStringLiteral("addbots.cfg")), QByteArray());
    const QByteArray batch =
        crlf({dir.left(2), QStringLiteral("cd\\") + dir.mid(3), "Doom3.exe -mb 10", kThanks});
    EXPECT_EQ(doomBytes(QStringLiteral("brv.bat")), batch);
    ASSERT_EQ(platform.starts.size(), 1u);
    EXPECT_EQ(platform.starts[0].program, doomFile(QStringLiteral("Doom3.exe")));
    EXPECT_EQ(platform.starts[0].arguments, (QStringList{"-mb", "10"}));
    EXPECT_EQ(platform.starts[0].workingDirectory, dir);

    settings.addToList(BotList::selectedBots, QStringLiteral("bob"));
    settings.setText(Text::extraParameters, QStringLiteral("-name Jos\u00e9\u20ac"));
    EXPECT_EQ(launchSinglePlayer(settings, platform), LaunchError::none);
    EXPECT_TRUE(platform.messages.empty()); // single player names no bots
    EXPECT_EQ(doomBytes(QStringLiteral("addbots.cfg")), crlf({"addbot bob", "wait 100"}));
    EXPECT_TRUE(doomBytes(QStringLiteral("brv.bat")).contains("-mb 10 -name Jos\xe9?\r\n"));
}

TEST_F(SinglePlayer, MissingDoomDirectoryAsksForSetupAndWritesNothing) {
    const QString gone = doomFile(QStringLiteral("gone"));
    const struct {
        QString directory;
        QString secondLine;
    } cases[] = {
        {gone, "The Doom directory " + gone + " was not found. Choose it in Tools, Options."},
        {QString(), QStringLiteral("No Doom directory is set. Choose it in Tools, Options.")},
    };
    for (const auto& c : cases) {
        platform.messages.clear();
        settings.setText(Text::doomDirectory, c.directory);
        EXPECT_EQ(launchSinglePlayer(settings, platform), LaunchError::pathNotFound);
        EXPECT_EQ(messageTexts(), QStringList{"You need to setup Brimvault\n" + c.secondLine});
    }
    EXPECT_TRUE(doomEntries().isEmpty());
    EXPECT_TRUE(platform.starts.empty());
}

TEST_F(SinglePlayer, ShortDoomDirectoriesFollowTheBatchFileRules) {
    workInDoomDir();
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("c:")));
    settings.setText(Text::doomDirectory, QStringLiteral("c:"));
    EXPECT_EQ(launchSinglePlayer(settings, platform), LaunchError::invalidArgument);
    EXPECT_EQ(messageTexts(), QStringList{"Error number 5. This is a bug. Please report this "
                                          "number to the Author of Brimvault."});
    EXPECT_FALSE(readBytes(QStringLiteral("c:/autoexec.cfg")).isEmpty());
    EXPECT_EQ(readBytes(QStringLiteral("c:/brv.bat")), QByteArray("c:\r\n"));
    EXPECT_TRUE(platform.starts.empty());

    // A drive root: a doubled separator in every path and "cd\" alone. No engine is there.
    platform.messages.clear();
    settings.setText(Text::doomDirectory, QStringLiteral("c:/"));
    EXPECT_EQ(launchSinglePlayer(settings, platform), LaunchError::fileNotFound);
    EXPECT_EQ(readBytes(QStringLiteral("c://brv.bat")),
              crlf({"c:", "cd\\", "Doom3.exe -mb 10", kThanks}));
    EXPECT_TRUE(messageTexts().constFirst().startsWith(QStringLiteral("Error number 53.")));
}

TEST_F(Hx8, AnnouncesBotsThenCopiesTheParameterFileLineByLine) {
    for (const char* bot : {"zed", "alf", "mia"})
        settings.addToList(BotList::selectedBots, QString::fromLatin1(bot));
    QStringList existingWhenAnnounced;
    platform.onMessage = [&](const QString&) { existingWhenAnnounced = doomEntries(); };
    const QString parameters = doomFile(QStringLiteral("net.hx8"));
    ASSERT_TRUE(writeBytes(parameters, "one\r\n\r\ntwo\rthree\nstill three\r\nlast"));
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("HX8.EXE")), "driver"));
    settings.setText(Text::hx8ParameterFile, parameters);
    settings.setCheck(Check::openGl, 1);

    EXPECT_EQ(launchHx8(settings, platform), LaunchError::none);
    EXPECT_EQ(messageTexts(), (QStringList{"alf", "mia", "zed"}));
    EXPECT_FALSE(existingWhenAnnounced.contains(QStringLiteral("hx8.cfg")));
    EXPECT_EQ(doomBytes(QStringLiteral("hx8.cfg")),
              QByteArray("GI JOE'S COMPUTER\r\ncom3,57600\r\nDoom3.exe\r\none\r\n\r\ntwo\r\n"
                         "three\nstill three\r\nlast\r\n-mb 10\r\n"));
    const QString dir = doomDir.path();
    EXPECT_EQ(doomBytes(QStringLiteral("hx8.bat")),
              crlf({dir.left(2), QStringLiteral("cd\\") + dir.mid(3), "hx8.exe", kThanks}));
    ASSERT_EQ(platform.starts.size(), 1u);
    EXPECT_EQ(platform.starts[0].program, doomFile(QStringLiteral("HX8.EXE")));
    EXPECT_TRUE(platform.starts[0].arguments.isEmpty());
    EXPECT_EQ(platform.starts[0].workingDirectory, dir);

    ASSERT_TRUE(writeBytes(parameters, QByteArray()));
    EXPECT_EQ(launchHx8(settings, platform), LaunchError::none);
    EXPECT_EQ(doomBytes(QStringLiteral("hx8.cfg")),
              QByteArray("GI JOE'S COMPUTER\r\ncom3,57600\r\nDoom3.exe\r\n-mb 10\r\n"));
    // The driver belongs in the Doom directory and is looked for nowhere else.
    ASSERT_TRUE(QFile::remove(doomFile(QStringLiteral("HX8.EXE"))));
    platform.messages.clear();
    EXPECT_EQ(launchHx8(settings, platform), LaunchError::fileNotFound);
    EXPECT_EQ(messageTexts().constLast(),
              "Error number 53. hx8.exe was not found in the Doom directory " + dir + ".");
}

TEST_F(Hx8, UnreadableParameterFileLeavesTheOldConfig) {
    ASSERT_TRUE(writeBytes(doomFile(QStringLiteral("hx8.cfg")), "old\r\n"));
    const QString missing = doomFile(QStringLiteral("missing.hx8"));
    settings.setText(Text::hx8ParameterFile, missing);
    EXPECT_EQ(launchHx8(settings, platform), LaunchError::fileNotFound);
    settings.setText(Text::hx8ParameterFile, doomFile(QStringLiteral("gone/net.hx8")));
    EXPECT_EQ(launchHx8(settings, platform), LaunchError::pathNotFound);
    EXPECT_EQ(messageTexts(),
              (QStringList{"Error number 53. " + missing + " was not found.",
                           "Error number 76. The folder " + doomFile(QStringLiteral("gone")) +
                               " does not exist."}));
    EXPECT_EQ(doomBytes(QStringLiteral("hx8.cfg")), QByteArray("old\r\n"));
    EXPECT_TRUE(QFileInfo::exists(doomFile(QStringLiteral("addbots.cfg"))));
    EXPECT_FALSE(QFileInfo::exists(doomFile(QStringLiteral("hx8.bat"))));
    EXPECT_TRUE(platform.starts.empty());
}

TEST_F(Doomatic, EveryLaunchKeepsThePreviousConfigAsTheBackup) {
    settings.addToList(BotList::selectedBots, QStringLiteral("b1"));
    settings.addToList(BotList::selectedBots, QStringLiteral("b2"));
    const QString config = doomFile(QStringLiteral("doomatic.cfg"));
    const QString backup = doomFile(QStringLiteral("doomatic.bak"));

    EXPECT_EQ(launchDoomatic(settings, platform), LaunchError::none);
    EXPECT_EQ(messageTexts(), (QStringList{"b1", "b2"}));
    EXPECT_FALSE(QFileInfo::exists(backup));
    const QByteArray first = readBytes(config);
    EXPECT_EQ(first, crlf(doomaticConfigLines(settings).lines));

    settings.setDm(DmOption::deathmatch);
    EXPECT_EQ(launchDoomatic(settings, platform), LaunchError::none);
    EXPECT_EQ(readBytes(backup), first);
    EXPECT_TRUE(readBytes(config).contains("gametype = 1\r\n"));

    ASSERT_TRUE(writeBytes(config, "mine\xff\r\n"));
    EXPECT_EQ(launchDoomatic(settings, platform), LaunchError::none);
    EXPECT_EQ(readBytes(backup), QByteArray("mine\xff\r\n"));
    EXPECT_EQ(messageTexts().size(), 6);
    EXPECT_TRUE(platform.starts.empty());
}

TEST_F(Export, BatchFileHasNoOpenGlAndTakesTheNameAsTyped) {
    settings.setCheck(Check::openGl, 1);
    const QString target = doomFile(QStringLiteral("mygame"));
    platform.dialogAnswers.push_back(target);
    EXPECT_EQ(makeBatchFile(settings, platform), LaunchError::none);
    ASSERT_EQ(platform.dialogs.size(), 1u);
    const FileDialogSpec& request = platform.dialogs[0].request;
    EXPECT_EQ(platform.dialogs[0].kind, FileDialogKind::Save);
    EXPECT_EQ(request.initialDirectory, doomDir.path());
    EXPECT_EQ(request.filter, QStringLiteral("Batch File|*.bat"));
    EXPECT_EQ(request.flags, kHideReadOnly);
    EXPECT_TRUE(request.fileName.isEmpty());
    EXPECT_EQ(readBytes(target).split('\r').at(2), QByteArray("\nDoom3.exe -mb 10"));
    EXPECT_EQ(doomEntries(), QStringList{"mygame"});
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Export, ConfigHasNeitherAliasNorBotsAndCancelWritesNothing) {
    settings.addToList(BotList::selectedBots, QStringLiteral("bob"));
    const QString target = doomFile(QStringLiteral("mine.cfg"));
    ASSERT_TRUE(writeBytes(target, "keep"));
    EXPECT_EQ(exportSettings(settings, platform), LaunchError::none); // cancelled
    EXPECT_EQ(readBytes(target), QByteArray("keep"));

    platform.dialogAnswers.push_back(target);
    EXPECT_EQ(exportSettings(settings, platform), LaunchError::none);
    EXPECT_EQ(platform.dialogs.back().request.filter,
              QStringLiteral("Doom Legacy Config File|*.cfg"));
    EXPECT_EQ(readBytes(target),
              crlf({"weaponpref 014576328", "botskill 2", "gr_crappymlook 0", "weapondrop 0"}));
    EXPECT_EQ(doomEntries(), QStringList{"mine.cfg"});
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Export, FailuresAreReported) {
    platform.dialogAnswers.push_back(doomFile(QStringLiteral("gone/x.cfg")));
    EXPECT_EQ(exportSettings(settings, platform), LaunchError::pathNotFound);

    settings.setText(Text::doomDirectory, QStringLiteral("c"));
    platform.dialogAnswers.push_back(doomFile(QStringLiteral("x.bat")));
    EXPECT_EQ(makeBatchFile(settings, platform), LaunchError::invalidArgument);
    EXPECT_EQ(doomBytes(QStringLiteral("x.bat")), QByteArray("c\r\n"));

    platform.dialogAnswers.push_back(doomDir.path()); // a directory, not a file
    EXPECT_EQ(exportSettings(settings, platform), LaunchError::accessError);
#ifndef Q_OS_WIN
    // A full disk, as a private copy of the full device: a fault in the export must never be
    // able to replace the system's own /dev/full. Only root may make one.
    const QString full = doomFile(QStringLiteral("full"));
    if (::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)) == 0) {
        platform.dialogAnswers.push_back(full);
        EXPECT_EQ(exportSettings(settings, platform), LaunchError::diskFull);
    }
#endif
    EXPECT_EQ(messageTexts().constFirst(), "Error number 76. The folder " +
                                               doomFile(QStringLiteral("gone")) +
                                               " does not exist.");
    EXPECT_EQ(messageTexts().size(), static_cast<qsizetype>(platform.dialogs.size()));
}

TEST_F(Export, ParameterFilePickOffersTheProgramDirectory) {
    settings.setText(Text::hx8ParameterFile, QStringLiteral("old.hx8"));
    pickParameterFile(settings, platform);
    EXPECT_EQ(settings.text(Text::hx8ParameterFile), QStringLiteral("old.hx8"));
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(platform.dialogs[0].kind, FileDialogKind::Open);
    EXPECT_EQ(platform.dialogs[0].request.initialDirectory, platform.programDir);
    EXPECT_EQ(platform.dialogs[0].request.filter,
              QStringLiteral("Brimvault HX8 Parameter File|*.hx8"));
    EXPECT_EQ(platform.dialogs[0].request.flags, kHideReadOnly);

    platform.dialogAnswers.push_back(doomFile(QStringLiteral("net.hx8")));
    pickParameterFile(settings, platform);
    EXPECT_EQ(settings.text(Text::hx8ParameterFile), doomFile(QStringLiteral("net.hx8")));
}
