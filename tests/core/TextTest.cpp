#include "core/AtomicFile.h"
#include "core/Latin1Text.h"
#include "core/Paths.h"

#include "support/Files.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>

using namespace bv;
using namespace bv::test;

TEST(ScriptLines, CrAndCrLfEndALineALoneLfDoesNotAndReadingAgrees) {
    const struct {
        QByteArray bytes;
        QStringList lines;
    } rows[] = {
        {"", {}},
        {"\r\n", {""}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\nb", {"a\nb"}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {QByteArray("x\0y\r\n", 5), {QString::fromLatin1("x\0y", 3)}},
        {"\xe9t\xe9", {QString::fromLatin1("\xe9t\xe9")}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.bytes.toStdString());
        EXPECT_EQ(splitScriptLines(r.bytes), r.lines);
        QByteArray copy = r.bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        ScriptLineReader reader(buffer);
        QStringList read;
        for (QString line; reader.next(line);)
            read << line;
        EXPECT_EQ(read, r.lines);
    }
}

// Text outside Latin-1 reaches every file as one "?" a character: tested here once.
TEST(Latin1Text, OnlyAToZIsLowerCasedAndForeignCharactersBecomeOneQuestionMark) {
    EXPECT_EQ(lowerAscii(QStringLiteral("ABC xyz \u00c4\u00d6 \u00c9 123")),
              QStringLiteral("abc xyz \u00c4\u00d6 \u00c9 123"));
    EXPECT_EQ(toLatin1Lossy(QStringLiteral("\u00e9\u20ac\U0001F600z")), QByteArray("\xe9??z"));
    EXPECT_EQ(crlfLines({QStringLiteral("a"), QString()}), QByteArray("a\r\n\r\n"));
}

TEST(Paths, JoinedAsTypedAndCompleteWithADriveOrASlash) {
    EXPECT_EQ(joinPath(QStringLiteral("/games/doom"), QStringLiteral("brv.bat")),
              QStringLiteral("/games/doom/brv.bat"));
    EXPECT_EQ(joinPath(QStringLiteral("/games/"), QStringLiteral("x")),
              QStringLiteral("/games//x"));
    for (const char* complete : {"/a", "c:\\a.brv", "C:"})
        EXPECT_TRUE(isCompletePath(QLatin1String(complete))) << complete;
    for (const char* relative : {"sub\\a.brv", "a", ""})
        EXPECT_FALSE(isCompletePath(QLatin1String(relative))) << relative;
}

// A replacement that fails leaves the old file whole and says why.
TEST(AtomicFile, AFailedReplacementKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = pathIn(dir, QStringLiteral("f.txt"));
    ASSERT_TRUE(writeFileAtomically(path, "old").ok);
    {
        FileSizeLimit full(2);
        const WriteResult cut = writeFileAtomically(path, "new and long");
        EXPECT_FALSE(cut.ok);
        EXPECT_EQ(cut.message,
                  QStringLiteral("only part of it could be written (the disk may be full)"));
    }
    EXPECT_EQ(readBytes(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"f.txt"});
    EXPECT_FALSE(writeFileAtomically(pathIn(dir, QStringLiteral("no/f")), "x").ok);
    const QString device = pathIn(dir, QStringLiteral("null"));
    if (makeNullDevice(device)) {
        EXPECT_EQ(writeFileAtomically(device, "x").message,
                  QStringLiteral("it is a device or a pipe, not a file"));
        EXPECT_TRUE(isDevice(device));
    }
    ASSERT_TRUE(writeFileAtomically(path, "new").ok);
    EXPECT_EQ(readBytes(path), QByteArray("new"));
}
