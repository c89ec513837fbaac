#pragma once

#include "settings/StoredValues.h"

namespace bv {

class AppWindows;

// The startup routine: sizes the main window, shows the console with the colours of
// colour.brc, runs main.brv, restores positions and console settings from the per-user
// store, points the file lists at the Doom directory and, on a first run, hands over to the
// setup wizard. Runs again from the wizard's Finish; windows are created only once.
void Main(AppWindows& windows);

} // namespace bv
