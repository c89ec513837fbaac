#pragma once

namespace bv {

class AppWindows;

// The start of the program: sizes the main window, reads the console colours from
// colour.brc, runs main.brv, restores the window positions and console settings from the
// per-user store, points the file lists at the Doom directory and, on a first run, hands
// over to the setup wizard. Runs again from the wizard's Finish; windows are made only once.
void runStartup(AppWindows& windows);

} // namespace bv
