#include "core/AtomicFile.h"
#include "core/Latin1Text.h"
#include "core/Paths.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>

using namespace bv;

namespace {

QStringList readAllLines(const QByteArray& bytes) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    ScriptLineReader reader(buffer);
    QStringList lines;
    QString line;
    while (reader.next(line))
        lines << line;
    return lines;
}

} // namespace

TEST(ScriptLines, CrAndCrLfEndLinesLoneLfDoesNot) {
    const struct {
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"\r\n", {""}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\nb", {"a\nb"}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"\n", {"\n"}},
        {QByteArray("x\0y\r\n", 5), {QString::fromLatin1("x\0y", 3)}},
        {"\xe9t\xe9", {QString::fromLatin1("\xe9t\xe9")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        EXPECT_EQ(splitScriptLines(c.bytes), c.lines);
        EXPECT_EQ(readAllLines(c.bytes), c.lines);
    }
}

TEST(TextFile, LowerCasesOnlyAsciiLetters) {
    EXPECT_EQ(lowerAscii(QStringLiteral("ABC xyz ÄÖ É 123")), QStringLiteral("abc xyz ÄÖ É 123"));
}

TEST(TextFile, CharactersOutsideLatin1BecomeOneQuestionMark) {
    EXPECT_EQ(toLatin1Lossy(QStringLiteral("é€😀z")), QByteArray("\xe9??z"));
    EXPECT_EQ(crlfLines({QStringLiteral("a"), QString()}), QByteArray("a\r\n\r\n"));
}

TEST(TextFile, PathsJoinVerbatim) {
#ifndef Q_OS_WIN
    EXPECT_EQ(joinPath(QStringLiteral("/games/doom"), QStringLiteral("brv.bat")),
              QStringLiteral("/games/doom/brv.bat"));
    EXPECT_EQ(joinPath(QStringLiteral("/games/"), QStringLiteral("x")),
              QStringLiteral("/games//x"));
    EXPECT_TRUE(isCompletePath(QStringLiteral("/a")));
#endif
    EXPECT_TRUE(isCompletePath(QStringLiteral("c:\\a.brv")));
    EXPECT_FALSE(isCompletePath(QStringLiteral("sub\\a.brv")));
    EXPECT_FALSE(isCompletePath(QString()));
}

TEST(TextFile, AtomicWriteKeepsOldFileOnFailure) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/f.txt");
    ASSERT_TRUE(writeFileAtomically(path, "old").ok);
    ASSERT_TRUE(writeFileAtomically(path, "new").ok);
    EXPECT_EQ(test::readBytes(path), QByteArray("new"));
    const WriteResult bad = writeFileAtomically(dir.path() + QStringLiteral("/no/such/f"), "x");
    EXPECT_FALSE(bad.ok);
    EXPECT_FALSE(bad.message.isEmpty());
}
