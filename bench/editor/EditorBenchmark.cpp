// Opens and saves 10 MiB files through the config file editor as a player would: the window
// is shown, and an open counts until the text box has painted the new document, since the
// program is frozen until then. Prints times; fails only when the bytes were not kept.
#include "settings/LaunchSettings.h"
#include "support/FakePlatform.h"
#include "ui/EditWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextCursor>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr qsizetype kSize = 10 * 1024 * 1024;
constexpr qsizetype kLines = 200000;
constexpr int kRuns = 5;

// Config-like text with the upper half of Latin-1 mixed in, so that bytes beyond ASCII go
// there and back too.
QByteArray filler(qsizetype size, qsizetype seed) {
    static const QByteArray pattern = [] {
        QByteArray p("bind \"x\" \"say hi\"\talias a b; ");
        for (int b = 0xA0; b <= 0xFF; ++b)
            p.append(static_cast<char>(b));
        return p;
    }();
    QByteArray bytes;
    bytes.reserve(size);
    for (qsizetype i = 0; i < size; ++i)
        bytes.append(pattern.at((seed + i) % pattern.size()));
    return bytes;
}

// 200,000 lines filling 10 MiB, the last one without an end (Save adds a CR LF).
QByteArray manyLines(bool mixedEnds) {
    QByteArray bytes;
    bytes.reserve(kSize);
    for (qsizetype line = 0; line < kLines; ++line) {
        const char* end = "\r\n";
        if (mixedEnds && line % 3 == 1)
            end = "\n";
        else if (mixedEnds && line % 3 == 2)
            end = "\r";
        const qsizetype left = kSize - bytes.size();
        const qsizetype endSize = line + 1 < kLines ? qsizetype(qstrlen(end)) : 0;
        const qsizetype length = left / (kLines - line) - endSize;
        bytes.append(filler(length, line));
        if (line + 1 < kLines)
            bytes.append(end);
    }
    return bytes;
}

// Counts the paints of the text box, where the document is drawn.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

double ms(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

struct Times {
    double open = 0;
    double save = 0;
    double key = 0;
    bool kept = false;
};

Times openAndSave(const QByteArray& original, const QString& source, const QString& target) {
    Times times;
    bv::test::FakePlatform platform;
    bv::LaunchSettings settings;
    bv::EditWindow window(settings, platform);
    PaintCounter counter;
    window.textBox()->viewport()->installEventFilter(&counter);
    window.show();
    while (counter.paints == 0)
        QApplication::processEvents();

    // Open: read, fill the box, and run the event loop until the box has painted it.
    QElapsedTimer timer;
    timer.start();
    const int paintsBefore = counter.paints;
    if (!window.openFile(source))
        return times;
    while (counter.paints == paintsBefore)
        QApplication::processEvents();
    times.open = ms(timer);

    timer.restart();
    const bool saved = window.saveFile(target);
    times.save = ms(timer);

    QFile back(target);
    times.kept = saved && back.open(QIODevice::ReadOnly) && back.readAll() == original + "\r\n";

    // The document stays editable: one key typed at the end of the last line, then painted.
    QTextCursor cursor(window.textBox()->document());
    cursor.movePosition(QTextCursor::End);
    window.textBox()->setTextCursor(cursor);
    timer.restart();
    const int paintsBeforeKey = counter.paints;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QApplication::sendEvent(window.textBox(), &press);
    while (counter.paints == paintsBeforeKey)
        QApplication::processEvents();
    times.key = ms(timer);
    times.kept = times.kept && window.bytesForSave() == original + "x\r\n";
    return times;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Prints the median of each figure over the runs.
bool run(const char* name, const QByteArray& original, const QTemporaryDir& dir) {
    if (!QString::fromUtf8(name).contains(QApplication::arguments().value(1)))
        return true;
    const QString source = dir.filePath(QStringLiteral("source.cfg"));
    QFile file(source);
    if (!file.open(QIODevice::WriteOnly) || file.write(original) != original.size())
        return false;
    file.close();

    std::vector<double> open, save, both, key;
    bool kept = true;
    for (int i = 0; i < kRuns; ++i) {
        const Times times =
            openAndSave(original, source, dir.filePath(QStringLiteral("saved%1.cfg").arg(i)));
        open.push_back(times.open);
        save.push_back(times.save);
        both.push_back(times.open + times.save);
        key.push_back(times.key);
        kept = kept && times.kept;
    }
    std::printf("%-32s %8.0f %8.0f %10.0f %8.1f   %s\n", name, median(open), median(save),
                median(both), median(key), kept ? "kept" : "NOT KEPT");
    return kept;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    // An argument runs only the files whose name holds it, for a profiler.
    std::printf("%-32s %8s %8s %10s %8s   (ms, median of %d runs)\n", "10 MiB file", "open", "save",
                "open+save", "one key", kRuns);
    bool ok = run("one line", filler(kSize, 0), dir);
    ok = run("200,000 lines, CR LF", manyLines(false), dir) && ok;
    ok = run("200,000 lines, CR LF, LF and CR", manyLines(true), dir) && ok;
    std::printf("Saved bytes are the original plus the CR LF that Save always adds.\n");
    return ok ? 0 : 1;
}
