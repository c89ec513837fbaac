#include "EditorText.h"

#include "core/Latin1Text.h"

#include <QFile>
#include <QFileInfo>

namespace bv {

void appendEnd(QByteArray& bytes, LineEnd end) {
    switch (end) {
    case LineEnd::CrLf:
        bytes.append("\r\n", 2);
        break;
    case LineEnd::Lf:
        bytes.append('\n');
        break;
    case LineEnd::Cr:
        bytes.append('\r');
        break;
    }
}

EditorText editorTextFromBytes(const QByteArray& bytes) {
    EditorText text;
    text.lines.clear();
    forEachLine(
        bytes,
        [&](qsizetype from, qsizetype length) {
            text.lines.append(QString::fromLatin1(bytes.constData() + from, length));
        },
        [&](LineEnd end) { text.ends.push_back(end); });
    if (!text.ends.empty())
        text.usual = text.ends.front();
    return text;
}

QByteArray editorBytesForSave(const EditorText& text) {
    QByteArray bytes;
    for (qsizetype i = 0; i < text.lines.size(); ++i) {
        // Shift+Enter puts a line separator inside a paragraph; on disk it is a line end too.
        const QStringList parts = text.lines.at(i).split(QChar::LineSeparator);
        for (qsizetype p = 0; p < parts.size(); ++p) {
            if (p > 0)
                appendEnd(bytes, text.usual);
            bytes.append(toLatin1Lossy(parts.at(p)));
        }
        if (i + 1 < text.lines.size()) {
            const auto index = static_cast<size_t>(i);
            appendEnd(bytes, index < text.ends.size() ? text.ends[index] : text.usual);
        }
    }
    bytes.append("\r\n", 2);
    return bytes;
}

FileContent readWholeFile(const QString& path) {
    FileContent content;
    // A device such as /dev/zero would be read until memory runs out, and a named pipe would
    // wait for a writer: only a regular file (or a folder, which fails to open) goes on.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir()) {
        content.message = QStringLiteral("it is a device or a pipe, not a file");
        return content;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        content.message = file.errorString();
        return content;
    }
    content.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        content.message = file.errorString();
        content.bytes.clear();
        return content;
    }
    content.ok = true;
    return content;
}

} // namespace bv
