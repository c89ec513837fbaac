#pragma once

#include <array>
#include <cstddef>

class QStackedWidget;

namespace bv {

// One pane of the main window and the button of the column that shows it.
struct PaneSpec {
    const char* buttonName;
    const char* caption;
    const char* paneName;
};

// In the order of the pane buttons, top to bottom.
inline constexpr std::array<PaneSpec, 8> kPanes{{
    {"cmdGen", "General", "genBox"},
    {"cmdMult", "Multiplayer", "multBox"},
    {"cmdAd", "Advanced", "adBox"},
    {"cmdDoomBot", "DoomBot", "doombotBox"},
    {"cmdHX8", "HX8", "hx8Box"},
    {"cmdYBOT", "Cajun Bot", "ybotBox"},
    {"cmdCustomCFG", "Custom", "boxCustom"},
    {"cmdDemo", "Demo", "boxDemo"},
}};

// Adds the panes kPanes[from] up to, not including, kPanes[to], in that order, with every
// control named after the setting it holds. The panes only lay out controls; the window wires
// them. Built in order, each pane's index in the stack is its index in kPanes.
void buildPanes(QStackedWidget* stack, size_t from, size_t to);

} // namespace bv
