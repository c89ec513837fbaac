#pragma once

namespace bv {

// Window positions in twips, as the exit sequence stores them.
struct WindowPlacement {
    int mainTop = 0;
    int mainLeft = 0;
    int consoleTop = 0;
    int consoleLeft = 0;
    // The check mark of "Show &Console".
    bool consoleShown = true;
};

// The window operations the command interpreter triggers. Windows implement it; every
// operation does nothing by default so that a host without a given window still works.
class WindowActions {
public:
    virtual ~WindowActions() = default;

    virtual void showMainWindow() {}
    virtual void hideMainWindow() {}
    virtual void showDebugWindow() {}
    virtual void showAboutWindow() {}
    // Shows the options window modeless, repaints its previews and disables the main window.
    virtual void showOptionsWindow() {}
    virtual void showEditWindow() {}
    // False when the size cannot be applied.
    virtual bool setConsoleFontSize(double points) {
        (void)points;
        return true;
    }
    virtual WindowPlacement placement() const { return {}; }
};

} // namespace bv
