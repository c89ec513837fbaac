#pragma once

#include <QString>

#include <optional>

namespace bv {

class AppWindows;

// The startup routine: sizes the main window, shows the console with the colours of
// colour.brc, runs main.brv, restores positions and console settings from the per-user
// store, points the file lists at the Doom directory and, on a first run, hands over to the
// setup wizard. Runs again from the wizard's Finish; windows are created only once.
void Main(AppWindows& windows);

// Readings of the per-user store; nullopt keeps the current value.
// A window position in twips: any decimal number that fits a screen coordinate.
std::optional<int> storedTwips(const QString& text);
// "Docking": 0 or 1.
std::optional<int> storedCheck(const QString& text);
// "Show": "True" or "False" in any case, or a number (0 is false).
std::optional<bool> storedBoolean(const QString& text);

} // namespace bv
