#pragma once

#include <QString>

namespace bv {

// Text boxes that wrap lines lay out a long line in time that grows with the square of its
// length: one line of a few megabytes would hold the program for hours. The console and the
// debug window therefore show a line longer than this cut short, with a note of what is
// left out; the interpreter and debug.txt keep every character.
inline constexpr qsizetype kShownLineLimit = 16384;

// The text with every line longer than kShownLineLimit cut to its beginning and a note.
// Applying it again changes nothing.
QString shownText(const QString& text);

} // namespace bv
