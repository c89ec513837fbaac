#pragma once

namespace bv {

class AppWindows;

// What the program sets on the application before any window: its names, its style, and that
// windows closing never end it (they are hidden rather than closed; only exit, Quit and Cancel
// end the program).
void setUpApplication();

// The start of the program: sizes the main window, reads the console colours from
// colour.brc, runs main.brv, restores the window positions and console settings from the
// per-user store, points the file lists at the Doom directory and, on a first run, hands
// over to the setup wizard. Runs again from the wizard's Finish; windows are made only once.
void runStartup(AppWindows& windows);

} // namespace bv
