#include "Startup.h"

#include "AboutWindow.h"
#include "AppWindows.h"
#include "ConsoleWindow.h"
#include "DebugWindow.h"
#include "EditWindow.h"
#include "OptionsWindow.h"
#include "SetupWizard.h"
#include "core/Paths.h"
#include "platform/Platform.h"
#include "settings/ColourTheme.h"
#include "settings/CommandInterpreter.h"
#include "settings/LaunchSettings.h"
#include "settings/SettingsScript.h"
#include "settings/StoredValues.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QProxyStyle>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace bv {

namespace {

// The platform's own style, except for the menu bar's overflow chevron, which comes from the
// picture the style keeps in memory. Qt would read that icon from a PNG while the main window
// builds its menu bar, and working out a PNG's format loads every image format plugin: a cost
// paid before the first window, for a button that a window of fixed size never shows.
class ApplicationStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (icon == SP_ToolBarHorizontalExtensionButton) // no window has a toolbar
            return QIcon(standardPixmap(icon, option, widget));
        return QProxyStyle::standardIcon(icon, option, widget);
    }
};

// colour.brc is six short lines; a larger file is not worth reading whole at startup.
constexpr qint64 kColourReadLimit = 64 * 1024;

const QString kWindowSection = QStringLiteral("Window Settings");
const QString kConsoleSection = QStringLiteral("Console Settings");

// A missing file sets every component to 0; a short or bad one is read as far as it goes
// (the rules are in startupColours).
void readColourFile(AppWindows& windows) {
    QFile file(joinPath(windows.platform().programDirectory(), QStringLiteral("colour.brc")));
    std::optional<QByteArray> bytes;
    // Opening a named pipe would hold startup until something wrote to it: anything but a
    // file counts as a colour.brc that cannot be opened.
    if (QFileInfo(file).isFile() && file.open(QIODevice::ReadOnly))
        bytes = file.read(kColourReadLimit);
    ConsoleOptions& colours = windows.colours();
    const ColourValues values = startupColours(bytes, colours.values());
    for (int component = 0; component < ConsoleOptions::kComponentCount; ++component)
        colours.setValue(component, values[static_cast<size_t>(component)]);
}

// Each coordinate from the store; one missing or unusable stays where it is.
void restorePosition(Platform& platform, QWidget& window, const QString& topKey,
                     const QString& leftKey) {
    const double dpi = window.logicalDpiY();
    QPoint where = window.pos();
    const auto stored = [&](const QString& key, int current) {
        const std::optional<int> twips = storedTwips(platform.storeValue(kWindowSection, key, {}));
        return twips ? twipsToPixels(*twips, dpi) : current;
    };
    where.setY(stored(topKey, where.y()));
    where.setX(stored(leftKey, where.x()));

    // A screen that was there at the last exit may be gone: the window must stay reachable.
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->geometry());
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        where = keepOnScreen(QRect(where, window.frameGeometry().size()), screens,
                             primary->availableGeometry());
    if (where != window.pos())
        window.move(where);
}

void restoreConsoleSettings(AppWindows& windows, MainFrame& main) {
    Platform& platform = windows.platform();
    if (const std::optional<int> docking = storedCheck(
            platform.storeValue(kConsoleSection, QStringLiteral("Docking"), QStringLiteral("0"))))
        windows.colours().setDocked(*docking);
    if (const std::optional<bool> shown =
            storedBoolean(platform.storeValue(kConsoleSection, QStringLiteral("Show"), {})))
        main.setConsoleShown(*shown);
}

bool isFirstRun(Platform& platform) {
    if (platform.argumentText() == QLatin1String("-nosetup"))
        return false;
    return platform.storeValue(QStringLiteral("Misc"), QStringLiteral("Firstrun"),
                               QStringLiteral("yes")) == QLatin1String("yes");
}

// Every other window goes until setup is done.
void handOverToSetup(AppWindows& windows, MainFrame& main, ConsoleWindow& console) {
    main.widget()->hide();
    if (OptionsWindow* options = windows.optionsIfCreated())
        options->hide();
    console.hide();
    windows.about().hide();
    windows.edit().hide();
    SetupWizard& wizard = windows.setup();
    wizard.show();
    wizard.raise();
    wizard.activateWindow();
}

} // namespace

void setUpApplication() {
    QApplication::setOrganizationName(QStringLiteral("Brimvault"));
    QApplication::setApplicationName(QStringLiteral("Brimvault"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle(new ApplicationStyle);
}

void runStartup(AppWindows& windows) {
    CommandInterpreter& interpreter = windows.interpreter();
    if (interpreter.ended())
        return;

    // The console is built once the startup script has run: it shows the same text either
    // way, since the interpreter keeps it, and building or mapping it first would only hold
    // back the main window that the script shows. A command that needs it builds it earlier.
    MainFrame& main = windows.mainFrame();
    main.applyDesignSize();

    // From here on a step that fails is skipped without a word.
    readColourFile(windows);
    // Windows not yet made are hidden already; making them here would only delay the main
    // window.
    if (OptionsWindow* options = windows.optionsIfCreated())
        options->hide();
    if (DebugWindow* debug = windows.debugIfCreated())
        debug->hide();
    // A console built later takes the colours as it is built.
    if (ConsoleWindow* console = windows.consoleIfCreated())
        console->applyColours();

    interpreter.interpret(QStringLiteral("exec main.brv"));
    if (interpreter.ended())
        return; // the script ran exit: nothing more may happen

    ConsoleWindow& console = windows.console();
    restorePosition(windows.platform(), *main.widget(), QStringLiteral("MainTop"),
                    QStringLiteral("MainLeft"));
    restorePosition(windows.platform(), console, QStringLiteral("ConTop"),
                    QStringLiteral("ConLeft"));
    restoreConsoleSettings(windows, main);
    main.setExecCfgFolder(windows.settings().text(Text::doomDirectory));
    main.setDemoFolder(windows.demoFolder());
    console.setVisible(main.consoleShown());

    if (isFirstRun(windows.platform()))
        handOverToSetup(windows, main, console);
}

} // namespace bv
