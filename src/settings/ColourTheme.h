#pragma once

#include "LaunchSettings.h"

#include <QByteArray>

#include <array>
#include <optional>

namespace bv {

using ColourValues = std::array<int, ConsoleOptions::kComponentCount>;

// A theme file: six lines, each value printed as " N " and ended by CR LF.
QByteArray colourThemeBytes(const ColourValues& values);

// Parses a whole line as an integer from 0 to 255, ignoring surrounding blanks.
std::optional<int> parseColourComponent(const QString& line);

struct ThemeReadResult {
    std::optional<ColourValues> values;
    int badLine = 0; // 1-based line that is missing or bad, when values is empty
};

// Reads a theme strictly: six integers from 0 to 255 or the whole file is rejected.
ThemeReadResult readColourTheme(const QByteArray& bytes);

// The startup reading of colour.brc: nullopt for a file that could not be opened, which sets
// every component to 0. A short file repeats its last line for the rest; a bad line leaves
// that component as it was.
ColourValues startupColours(const std::optional<QByteArray>& bytes, const ColourValues& current);

} // namespace bv
