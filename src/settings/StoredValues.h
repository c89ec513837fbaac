#pragma once

#include <QString>

#include <optional>

namespace bv {

// Readings of the per-user store at startup; nullopt keeps the current value.
// A window position in twips: any decimal number that fits a screen coordinate.
std::optional<int> storedTwips(const QString& text);
// "Docking": 0 or 1.
std::optional<int> storedCheck(const QString& text);
// "Show": "True" or "False" in any case, or a number (0 is false).
std::optional<bool> storedBoolean(const QString& text);

} // namespace bv
