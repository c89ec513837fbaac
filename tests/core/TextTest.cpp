#include "core/Latin1Text.h"
#include "core/Paths.h"

#include "support/Files.h"

#include <gtest/gtest.h>

#include <QBuffer>

TEST(ScriptLines, CrAndCrLfEndALineALoneLfDoesNotAndReadingAgrees) {
    const struct {
        QByteArray bytes;
        QStringList lines;
    } rows[] = {
        // clang-format off
        {"", {}}, {"\r\n", {""}}, {"a", {"a"}}, {"a\r\nb\r\n", {"a", "b"}}, {"a\rb\r", {"a", "b"}},
        {"a\nb", {"a\nb"}}, {"a\r\n\r\n", {"a", ""}}, {"a\r\r\nb", {"a", "", "b"}},
        {QByteArray("x\0y\r\n", 5), {QString::fromLatin1("x\0y", 3)}},
        {"\xe9t\xe9", {QString::fromLatin1("\xe9t\xe9")}},
        // clang-format on
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

TEST(Paths, JoinedAsTypedAndCompleteWithADriveOrASlash) {
    EXPECT_EQ(joinPath(u"/games/doom"_s, u"brv.bat"_s), u"/games/doom/brv.bat"_s);
    EXPECT_EQ(joinPath(u"/games/"_s, u"x"_s), u"/games//x"_s);
    for (const char* complete : {"/a", "c:\\a.brv", "C:"})
        EXPECT_TRUE(isCompletePath(QLatin1String(complete))) << complete;
    for (const char* relative : {"sub\\a.brv", "a", ""})
        EXPECT_FALSE(isCompletePath(QLatin1String(relative))) << relative;
}
