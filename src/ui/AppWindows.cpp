#include "AppWindows.h"

#include "ConsoleWindow.h"
#include "DebugWindow.h"

#include <cmath>

namespace bv {

int pixelsToTwips(int pixels, double logicalDpi) {
    return static_cast<int>(std::lround(pixels * 1440.0 / (logicalDpi > 0 ? logicalDpi : 96.0)));
}

int twipsToPixels(int twips, double logicalDpi) {
    return static_cast<int>(std::lround(twips * (logicalDpi > 0 ? logicalDpi : 96.0) / 1440.0));
}

void AppWindows::showDebugWindow() {
    if (debug) {
        debug->show();
        debug->raise();
    }
}

bool AppWindows::setConsoleFontSize(double points) {
    return console ? console->setFontSize(points) : true;
}

WindowPlacement AppWindows::placement() const {
    WindowPlacement where;
    if (console) {
        const double dpi = console->logicalDpiY();
        where.consoleTop = pixelsToTwips(console->y(), dpi);
        where.consoleLeft = pixelsToTwips(console->x(), dpi);
    }
    return where;
}

} // namespace bv
