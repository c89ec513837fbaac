#pragma once

class QStyle;

namespace bv {

class AppWindows;

// The platform's own style, except for the menu bar's overflow chevron, which comes from the
// picture the style keeps in memory. Qt would read that icon from a PNG while the main window
// builds its menu bar, and working out a PNG's format loads every image format plugin: a cost
// paid before the first window, for a button that a window of fixed size never shows.
QStyle* makeApplicationStyle();

// The start of the program: sizes the main window, reads the console colours from
// colour.brc, runs main.brv, restores the window positions and console settings from the
// per-user store, points the file lists at the Doom directory and, on a first run, hands
// over to the setup wizard. Runs again from the wizard's Finish; windows are made only once.
void runStartup(AppWindows& windows);

} // namespace bv
