#include "AppWindows.h"

#include "AboutWindow.h"
#include "ConsoleWindow.h"
#include "DebugWindow.h"
#include "EditWindow.h"
#include "OptionsWindow.h"
#include "SetupWizard.h"
#include "Startup.h"
#include "main/MainWindow.h"
#include "settings/CommandInterpreter.h"
#include "settings/LaunchSettings.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>
#include <cmath>

namespace bv {

QPoint keepOnScreen(const QRect& frame, const QList<QRect>& screens, const QRect& primary) {
    for (const QRect& screen : screens) {
        if (screen.intersects(frame))
            return frame.topLeft();
    }
    // A window larger than the screen shows its top left corner, where the caption is.
    const int x = std::clamp(frame.x(), primary.left(),
                             std::max(primary.left(), primary.right() - frame.width() + 1));
    const int y = std::clamp(frame.y(), primary.top(),
                             std::max(primary.top(), primary.bottom() - frame.height() + 1));
    return {x, y};
}

AppWindows::AppWindows(LaunchSettings& settings, ConsoleOptions& colours,
                       CommandInterpreter& interpreter, Platform& platform,
                       MainFrameFactory makeMain)
    : settings_(settings), colours_(colours), interpreter_(interpreter), platform_(platform),
      makeMain_(std::move(makeMain)) {}

AppWindows::~AppWindows() {
    // The About window and the editor are not owned while open (they delete themselves on
    // close); whatever is still there at the end goes with the rest.
    delete about_.data();
    delete edit_.data();
}

OptionsWindow& AppWindows::options() {
    if (!options_) {
        options_ = std::make_unique<OptionsWindow>(settings_, colours_, platform_);
        connect(options_.get(), &OptionsWindow::okClicked, this, &AppWindows::applyOptions);
        // The main window is disabled only while the options window is on screen, however
        // that ends.
        connect(options_.get(), &OptionsWindow::hidden, this, [this]() {
            if (main_)
                main_->widget()->setEnabled(true);
        });
    }
    return *options_;
}

ConsoleWindow& AppWindows::console() {
    if (!console_) {
        console_ = std::make_unique<ConsoleWindow>(interpreter_, colours_);
        // A console closed by its own close box stays away, as if "Show &Console" had been
        // unticked, so that the menu's check mark and the next start agree with the screen.
        connect(console_.get(), &ConsoleWindow::closedByUser, this, [this]() {
            if (main_)
                main_->setConsoleShown(false);
        });
        if (main_)
            main_->attachConsole(*console_);
    }
    return *console_;
}

DebugWindow& AppWindows::debug() {
    if (!debug_)
        debug_ = std::make_unique<DebugWindow>(interpreter_, platform_);
    return *debug_;
}

MainFrame& AppWindows::mainFrame() {
    if (!main_) {
        main_ = makeMain_();
        if (console_)
            main_->attachConsole(*console_);
    }
    return *main_;
}

SetupWizard& AppWindows::setup() {
    if (!setup_)
        setup_ =
            std::make_unique<SetupWizard>(settings_, platform_, [this]() { runStartup(*this); });
    return *setup_;
}

AboutWindow& AppWindows::about() {
    if (!about_)
        about_ = new AboutWindow;
    return *about_;
}

EditWindow& AppWindows::edit() {
    if (!edit_)
        edit_ = new EditWindow(settings_, platform_);
    return *edit_;
}

void AppWindows::showMainWindow() {
    QWidget* window = mainWindow();
    window->show();
    window->raise();
}

void AppWindows::hideMainWindow() {
    mainWindow()->hide();
}

void AppWindows::showDebugWindow() {
    DebugWindow& window = debug();
    window.show();
    window.raise();
}

void AppWindows::showAboutWindow() {
    AboutWindow& window = about();
    window.show();
    window.raise();
}

void AppWindows::showEditWindow() {
    EditWindow& window = edit();
    window.show();
    window.raise();
}

void AppWindows::showOptionsWindow() {
    OptionsWindow& window = options();
    window.show();
    window.raise();
    window.activateWindow();
    window.refreshPreviews();
    mainWindow()->setEnabled(false);
}

bool AppWindows::setConsoleFontSize(double points) {
    return console().setFontSize(points);
}

WindowPlacement AppWindows::placement() const {
    WindowPlacement where;
    if (main_) {
        const QWidget* window = main_->widget();
        const double dpi = window->logicalDpiY();
        where.mainTop = pixelsToTwips(window->y(), dpi);
        where.mainLeft = pixelsToTwips(window->x(), dpi);
        where.consoleShown = main_->consoleShown();
    }
    if (console_) {
        const double dpi = console_->logicalDpiY();
        where.consoleTop = pixelsToTwips(console_->y(), dpi);
        where.consoleLeft = pixelsToTwips(console_->x(), dpi);
    } else if (main_) {
        // An exit in the startup script comes before the console is built: it would have
        // been docked under the main window.
        const QWidget* window = main_->widget();
        const double dpi = window->logicalDpiY();
        const QPoint docked = MainWindow::consoleDockPoint(*window);
        where.consoleTop = pixelsToTwips(docked.y(), dpi);
        where.consoleLeft = pixelsToTwips(docked.x(), dpi);
    }
    return where;
}

QString AppWindows::demoFolder() const {
    const QString demo = settings_.text(Text::demoDirectory);
    return demo.isEmpty() ? settings_.text(Text::doomDirectory) : demo;
}

void AppWindows::applyOptions() {
    MainFrame& main = mainFrame();
    options().hide(); // which enables the main window again

    // The console takes the new colours and keeps what it shows and what was half typed.
    // Reading its text back and setting it again would turn no-break spaces into plain ones.
    ConsoleWindow& con = console();
    con.setVisible(main.consoleShown());
    con.load();

    main.setDemoFolder(demoFolder());
}

} // namespace bv
