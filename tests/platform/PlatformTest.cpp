// The program directory, the file dialog's filters and the real dialog.
#include "platform/ProgramDirectory.h"
#include "platform/QtPlatform.h"

#include "support/Files.h"

#include <gtest/gtest.h>

#include <QtWidgets>

// A writable folder, even bin, is portable; bin beside share/brimvault is an install (~/.local too)
TEST(ProgramDirectory, AnInstallSeedsThePerUserFolderWithoutOverwriting) {
    QTemporaryDir root;
    const QString bin = root.path() + "/bin", share = root.path() + "/share/brimvault";
    const QString user = root.path() + "/home/.local/share/Brimvault";
    const QStringList delivered = list("main.brv|config.brv|colour.brc|help/index.html");
    QDir().mkpath(bin);
    QDir().mkpath(share + "/help");
    for (const QString& file : delivered)
        writeBytes(share + '/' + file, file.toLatin1() + " as delivered");
    // Without main.brv too: the player then sees that it is missing, in that folder.
    for (const QString& folder : {root.path() + "/portable", root.path() + "/o/bin"}) {
        QDir().mkpath(folder);
        const ProgramDirectoryChoice choice = chooseProgramDirectory(folder, user);
        EXPECT_TRUE(choice.portable && choice.path == folder) << folder.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(user));
    const ProgramDirectoryChoice choice = chooseProgramDirectory(bin, user);
    EXPECT_TRUE(!choice.portable && choice.path == user && choice.problem.isEmpty());
    for (const QString& file : delivered)
        EXPECT_EQ(readBytes(user + '/' + file), file.toLatin1() + " as delivered");
    // Delivered files the user changed survive the next start; a missing one comes back.
    writeBytes(user + "/colour.brc", " 9 \r\n");
    QFile::remove(user + "/main.brv");
    chooseProgramDirectory(bin, user);
    EXPECT_EQ(readBytes(user + "/colour.brc"), " 9 \r\n");
    EXPECT_EQ(readBytes(user + "/main.brv"), "main.brv as delivered");
    // A per-user folder that cannot be made is reported.
    EXPECT_FALSE(chooseProgramDirectory(bin, share + "/main.brv/sub").problem.isEmpty());
}

TEST(DialogFilter, PairsBecomeToolkitEntriesAndSavedNamesWithoutADotTakeTheSelectedExtension) {
    EXPECT_EQ(toDialogFilter(u"PWADs|*.wad;*.deh|Doom3.exe|Doom3.exe"_s),
              u"PWADs (*.wad *.deh);;Doom3.exe (Doom3.exe)"_s);
    for (const char* row :
         {"/t/green|Colour Themes (*.brc)|/t/green.brc",
          "/t/net|PWADs and DeHacked Patches (*.wad *.deh)|/t/net.wad",
          "/t/my.theme|Colour Themes (*.brc)|/t/my.theme", "/t/x.|Colour Themes (*.brc)|/t/x.",
          "/t.d/green|Colour Themes (*.brc)|/t.d/green.brc", "/t/green|All files (*)|/t/green",
          "/t/green|All files (*.*)|/t/green", "/t/green|Doom3.exe (Doom3.exe)|/t/green"}) {
        const QStringList c = list(row);
        EXPECT_EQ(withFilterExtension(c[0], c[1]), c[2]) << row;
    }
}

// The real dialog, answered as soon as it shows; and the program's own arguments.
TEST(QtPlatform, ASaveDialogGivesTheNameWithItsExtensionOrNothingWhenCancelled) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 3;
    char program[] = "brimvault", option[] = "-nosetup", word[] = "x";
    char* argv[] = {program, option, word, nullptr};
    QApplication application(argc, argv);
    QTemporaryDir dir;
    QtPlatform platform(dir.path());
    EXPECT_EQ(platform.argumentText(), u"-nosetup x"_s);
    const FileDialogSpec request{dir.path(), u"green"_s, u"Colour Themes|*.brc"_s, kHideReadOnly};
    for (bool accept : {false, true}) {
        QTimer::singleShot(0, [accept] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                accept ? dialog->accept() : dialog->reject();
        });
        EXPECT_EQ(platform.fileDialog(FileDialogKind::Save, request),
                  accept ? dir.path() + u"/green.brc"_s : QString());
    }
}
