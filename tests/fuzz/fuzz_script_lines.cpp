// The script line reader: bytes in, lines out, by the CR / CR LF rule.
#include "FuzzSupport.h"

#include "core/Latin1Text.h"

#include <QBuffer>

#include <cstdint>

namespace {

void runInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = bv::splitScriptLines(bytes);

    // n line ends give n lines, plus one for text after the last line end.
    qsizetype ends = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes.at(i) == '\r') {
            ++ends;
            if (i + 1 < bytes.size() && bytes.at(i + 1) == '\n')
                ++i;
        }
    }
    const bool trailing = !bytes.isEmpty() && !bytes.endsWith('\r') && !bytes.endsWith("\r\n");
    bv::fuzz::require(lines.size() == ends + (trailing ? 1 : 0), "line count");

    // Every byte but the line ends survives; a lone LF stays inside its line.
    qsizetype kept = 0;
    for (const QString& line : lines) {
        kept += line.size();
        bv::fuzz::require(!line.contains(QLatin1Char('\r')), "no CR inside a line");
    }
    bv::fuzz::require(kept == bytes.size() - bytes.count('\r') - bytes.count("\r\n"), "bytes kept");

    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    bv::ScriptLineReader reader(buffer);
    QStringList streamed;
    QString line;
    while (reader.next(line))
        streamed << line;
    bv::fuzz::require(streamed == lines, "streaming reader agrees with the splitter");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    bv::fuzz::timedInput(data, size, runInput);
    return 0;
}
