#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace bv {

// The three ways a line can end in the files the editor opens.
enum class LineEnd { CrLf, Lf, Cr };

// A file as the editor holds it: the lines, and the end that followed each line but the
// last. Keeping each end lets an unedited file go back to disk byte for byte, although the
// text box itself only knows paragraphs.
struct EditorText {
    QStringList lines{QString()};
    std::vector<LineEnd> ends; // one fewer than lines
    // The end given to lines added while editing: the file's first line end, else CR LF.
    LineEnd usual = LineEnd::CrLf;
};

// Splits Latin-1 bytes at CR LF, LF and lone CR; every other byte is kept as its character.
EditorText editorTextFromBytes(const QByteArray& bytes);
// The bytes that Save writes: the lines with their ends in Latin-1 (a character outside
// Latin-1 becomes "?", a line separator typed into a line becomes the usual end), followed
// by one CR LF.
QByteArray editorBytesForSave(const EditorText& text);

// The whole content of a file, or the host's reason why it could not be read.
struct FileContent {
    bool ok = false;
    QByteArray bytes;
    QString message;
};
FileContent readWholeFile(const QString& path);

// Calls line(from, length) for every line of the bytes and end(kind) for the end after each
// line but the last: CR LF, LF and a lone CR each end a line.
template <typename LineFn, typename EndFn>
inline void forEachLine(const QByteArray& bytes, LineFn line, EndFn end) {
    const char* data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < size) {
        const char c = data[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        line(start, i - start);
        if (c == '\r' && i + 1 < size && data[i + 1] == '\n') {
            end(LineEnd::CrLf);
            i += 2;
        } else {
            end(c == '\r' ? LineEnd::Cr : LineEnd::Lf);
            ++i;
        }
        start = i;
    }
    line(start, size - start);
}

// Appends the bytes of a line end.
void appendEnd(QByteArray& bytes, LineEnd end);

} // namespace bv
