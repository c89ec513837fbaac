#pragma once

#include "platform/WindowActions.h"

#include <QPointer>

namespace bv {

class ConsoleWindow;
class DebugWindow;

// The window operations of the interpreter, carried out on the program's windows.
class AppWindows : public WindowActions {
public:
    QPointer<ConsoleWindow> console;
    QPointer<DebugWindow> debug;

    void showDebugWindow() override;
    bool setConsoleFontSize(double points) override;
    WindowPlacement placement() const override;
};

// Twips for this screen: 15 to the pixel at 96 dpi.
int pixelsToTwips(int pixels, double logicalDpi);
int twipsToPixels(int twips, double logicalDpi);

} // namespace bv
