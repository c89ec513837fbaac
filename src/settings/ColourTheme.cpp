#include "ColourTheme.h"

#include "core/Latin1Text.h"

namespace bv {

QByteArray colourThemeBytes(const ColourValues& values) {
    QByteArray bytes;
    for (int v : values)
        bytes.append(" " + QByteArray::number(v) + " \r\n");
    return bytes;
}

std::optional<int> parseColourComponent(const QString& line) {
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 12)
        return std::nullopt;
    bool ok = false;
    const int value = trimmed.toInt(&ok, 10);
    if (!ok || value < 0 || value > 255)
        return std::nullopt;
    return value;
}

ThemeReadResult readColourTheme(const QByteArray& bytes) {
    const QStringList lines = splitScriptLines(bytes);
    ThemeReadResult result;
    ColourValues values{};
    for (int i = 0; i < ConsoleOptions::kComponentCount; ++i) {
        const std::optional<int> v =
            i < lines.size() ? parseColourComponent(lines.at(i)) : std::nullopt;
        if (!v) {
            result.badLine = i + 1;
            return result;
        }
        values[static_cast<size_t>(i)] = *v;
    }
    result.values = values;
    return result;
}

ColourValues startupColours(const std::optional<QByteArray>& bytes, const ColourValues& current) {
    ColourValues values = current;
    const QStringList lines = bytes ? splitScriptLines(*bytes) : QStringList();
    // One variable takes each line in turn; a read past the end leaves it holding the last
    // line read, and an empty variable converts to 0 (as for a missing file).
    QString variable;
    for (int i = 0; i < ConsoleOptions::kComponentCount; ++i) {
        if (i < lines.size())
            variable = lines.at(i);
        if (variable.trimmed().isEmpty())
            values[static_cast<size_t>(i)] = 0;
        else if (const std::optional<int> v = parseColourComponent(variable))
            values[static_cast<size_t>(i)] = *v;
    }
    return values;
}

} // namespace bv
