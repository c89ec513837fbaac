// The program directory, the file dialog's filters and the real dialog.
#include "platform/ProgramDirectory.h"
#include "platform/QtPlatform.h"

#include "support/Files.h"

#include <gtest/gtest.h>

#include <QtWidgets>

// A writable folder, even bin, is portable; bin beside share/brimvault is an install. The install
// test seeds a per-user folder; here, what it does not reach: a delivered file the player changed
// stays, one deleted comes back, and a folder that cannot be made is reported.
TEST(ProgramDirectory, AnInstallSeedsThePerUserFolderWithoutOverwriting) {
    QTemporaryDir root;
    const QString bin = root.path() + "/bin", share = root.path() + "/share/brimvault";
    const QString user = root.path() + "/home/.local/share/Brimvault";
    for (const QString& folder : {bin, share + "/help", root.path() + "/o/bin"})
        QDir().mkpath(folder);
    for (const char* file : {"main.brv", "colour.brc", "help/index.html"})
        writeBytes(share + '/' + file, "as delivered ");
    const ProgramDirectoryChoice portable = chooseProgramDirectory(root.path() + "/o/bin", user);
    const ProgramDirectoryChoice installed = chooseProgramDirectory(bin, user);
    EXPECT_TRUE(portable.portable && !installed.portable && installed.path == user &&
                installed.problem.isEmpty());
    writeBytes(user + "/colour.brc", "mine ");
    QFile::remove(user + "/main.brv");
    EXPECT_TRUE(chooseProgramDirectory(bin, user).problem.isEmpty());
    EXPECT_EQ(readBytes(user + "/colour.brc") + readBytes(user + "/main.brv") +
                  readBytes(user + "/help/index.html"),
              "mine as delivered as delivered ");
    EXPECT_FALSE(chooseProgramDirectory(bin, share + "/main.brv/sub").problem.isEmpty());
}

// Filters become the toolkit's and a saved name without a dot takes the chosen filter's
// extension; the real dialog, answered as soon as it shows; the program's own arguments.
TEST(QtPlatform, FileDialogsAndTheProgramsArguments) {
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
