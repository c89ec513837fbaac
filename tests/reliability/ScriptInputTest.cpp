// Scripts that are not what a script should be: folders, devices, binary files, one huge line,
// files that go away while they run, scripts that execute themselves. Each ends with the
// documented replies or "Could not execute script", and the interpreter takes the next
// command as usual.

#include "BadInput.h"

#include "settings/InterpreterFixture.h"

#include <QDir>
#include <QFile>

using namespace bv;
using namespace bv::test;

namespace {

const QString kCouldNot = QStringLiteral("Could not execute script");

class BadScript : public InterpreterFixture {
protected:
    // The interpreter still answers, and the record keeps its invariants.
    void expectStillWorking() {
        EXPECT_EQ(run(QStringLiteral("warp 31")).constLast(), QStringLiteral("Warp Set"));
        EXPECT_EQ(settings.text(Text::warp), QStringLiteral("31"));
        EXPECT_LE(settings.text(Text::weaponsOrder).size(), kWeaponsOrderMax);
        EXPECT_FALSE(settings.checked(Check::threeDfx) && settings.checked(Check::openGl));
    }
};

} // namespace

// Only regular files are scripts: a folder has no lines, and a device or a pipe would be read
// for ever or wait for ever.
TEST_F(BadScript, ThingsThatAreNotFilesAreRefused) {
    ASSERT_TRUE(QDir(programDir.path()).mkdir(QStringLiteral("folder.brv")));
    ASSERT_TRUE(makeFifo(programFile(QStringLiteral("pipe.brv"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), programFile(QStringLiteral("zero.brv"))));
    ASSERT_TRUE(QFile::link(programDir.path(), programFile(QStringLiteral("here.brv"))));
    const QString names[] = {QStringLiteral("folder.brv"), QStringLiteral("pipe.brv"),
                             QStringLiteral("zero.brv"),   QStringLiteral("here.brv"),
                             QStringLiteral("/dev/zero"),  QStringLiteral("/dev/urandom"),
                             QStringLiteral("/dev/stdin"), tooLongName()};
    for (const QString& name : names) {
        SCOPED_TRACE(name.left(40).toStdString());
        const QString line = QStringLiteral("exec ") + name;
        EXPECT_EQ(run(line), (QStringList{line, kCouldNot}));
    }
    expectStillWorking();
}

// Every byte value, NUL included, read as Latin-1: lines are cut at CR only, each one is
// logged and answered, and the lines after the binary part still run.
TEST_F(BadScript, BinaryFileRunsToItsEnd) {
    QByteArray bytes;
    for (int round = 0; round < 4; ++round) {
        for (int b = 0; b < 256; ++b)
            bytes.append(static_cast<char>(b));
    }
    bytes.append(QByteArray("\r\nname a\0b\r\nheap 12\r\n", 21));
    writeScript(QStringLiteral("binary.brv"), bytes);

    const QStringList out = run(QStringLiteral("exec binary.brv"));
    EXPECT_FALSE(out.contains(kCouldNot));
    EXPECT_EQ(out.constLast(), QStringLiteral("Heap Set"));
    EXPECT_EQ(settings.text(Text::playerName), QString::fromLatin1("a\0b", 3));
    EXPECT_EQ(settings.text(Text::heap), QStringLiteral("12"));
    // The four rounds are cut into five lines at their CRs (byte 13); each is an unknown
    // command, answered by its echo-back and "Command unkown".
    EXPECT_EQ(out.count(QStringLiteral("Command unkown")), 5);
    const QByteArray log = readBytes(programFile(QStringLiteral("debug.txt")));
    EXPECT_TRUE(log.contains(QByteArray("\nname a\0b\n", 10)));
    EXPECT_TRUE(log.contains(bytes.left(13))); // the first line: NUL to 12
    expectStillWorking();
}

// One line of ten million characters, with and without a line end: stored, echoed and logged
// in full, and the next line still runs.
TEST_F(BadScript, TenMegabyteLineIsOneLine) {
    const QByteArray huge(10 * 1024 * 1024, 'x');
    writeScript(QStringLiteral("huge.brv"), "zun_par " + huge + "\r\nheap 12\r\n" + huge);
    const QStringList out = run(QStringLiteral("exec huge.brv"));
    EXPECT_EQ(settings.text(Text::extraParameters).size(), huge.size());
    EXPECT_EQ(settings.text(Text::heap), QStringLiteral("12"));
    ASSERT_EQ(out.size(), 4);
    EXPECT_EQ(out.at(2).size(), huge.size()); // the echo-back of the unknown last line
    EXPECT_EQ(out.at(3), QStringLiteral("Command unkown"));
    EXPECT_GT(QFileInfo(programFile(QStringLiteral("debug.txt"))).size(), 3 * huge.size());
    expectStillWorking();
    // The saved settings carry the whole value, on one line.
    run(QStringLiteral("exit"));
    const QByteArray saved = readBytes(programFile(QStringLiteral("config.brv")));
    EXPECT_TRUE(saved.contains("\r\nzun_par " + huge + "\r\nsetdoompath "));
}

// Deleted while it runs: the open file is read to its end, as the host keeps it.
TEST_F(BadScript, ScriptDeletedWhileItRunsIsReadToItsEnd) {
    writeScript(QStringLiteral("gone.brv"), "warp 01\r\nmsg bye\r\nheap 12\r\n");
    platform.onMessage = [this](const QString&) {
        EXPECT_TRUE(QFile::remove(programFile(QStringLiteral("gone.brv"))));
    };
    EXPECT_EQ(run(QStringLiteral("exec gone.brv")),
              (QStringList{"exec gone.brv", "Warp Set", "Heap Set"}));
    EXPECT_FALSE(QFileInfo::exists(programFile(QStringLiteral("gone.brv"))));
    // Running it again is running a missing script.
    EXPECT_EQ(run(QStringLiteral("exec gone.brv")), (QStringList{"exec gone.brv", kCouldNot}));
    expectStillWorking();
}

// A script the outer one is about to run disappears, or turns into a folder, between two of
// the outer script's lines: that exec fails, and the outer script goes on.
TEST_F(BadScript, NestedScriptThatVanishesFailsAloneAndTheOuterGoesOn) {
    for (const bool intoFolder : {false, true}) {
        SCOPED_TRACE(intoFolder ? "turned into a folder" : "deleted");
        writeScript(QStringLiteral("inner.brv"), "warp 05\r\n");
        writeScript(QStringLiteral("outer.brv"), "msg now\r\nexec inner.brv\r\nheap 12\r\n");
        platform.onMessage = [this, intoFolder](const QString&) {
            EXPECT_TRUE(QFile::remove(programFile(QStringLiteral("inner.brv"))));
            if (intoFolder) {
                EXPECT_TRUE(QDir(programDir.path()).mkdir(QStringLiteral("inner.brv")));
            }
        };
        settings.setText(Text::heap, QStringLiteral("10"));
        EXPECT_EQ(run(QStringLiteral("exec outer.brv")),
                  (QStringList{"exec outer.brv", "exec inner.brv", kCouldNot, "Heap Set"}));
        EXPECT_EQ(settings.text(Text::heap), QStringLiteral("12"));
        EXPECT_NE(settings.text(Text::warp), QStringLiteral("05"));
        QDir(programDir.path()).rmdir(QStringLiteral("inner.brv"));
    }
    expectStillWorking();
}

// Scripts that execute themselves, directly or through each other: bounded, one failure
// reported, and the lines before the bound all ran.
TEST_F(BadScript, ScriptsExecutingThemselvesEnd) {
    writeScript(QStringLiteral("self.brv"), "exec self.brv\r\n");
    const QStringList self = run(QStringLiteral("exec self.brv"));
    EXPECT_EQ(self.count(QStringLiteral("exec self.brv")), CommandInterpreter::kMaxScriptDepth + 1);
    EXPECT_EQ(self.count(kCouldNot), 1);

    writeScript(QStringLiteral("a.brv"), "zun_heap a\r\nexec b.brv\r\n");
    writeScript(QStringLiteral("b.brv"), "zun_heap b\r\nexec a.brv\r\nwarp 09\r\n");
    const QStringList pair = run(QStringLiteral("exec a.brv"));
    EXPECT_EQ(pair.count(kCouldNot), 1);
    EXPECT_EQ(pair.count(QStringLiteral("Warp Set")), CommandInterpreter::kMaxScriptDepth / 2);
    expectStillWorking();
}
