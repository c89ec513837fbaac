#pragma once

#include "main/Twips.h"
#include "platform/WindowActions.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace bv {

class AboutWindow;
class CommandInterpreter;
class ConsoleOptions;
class ConsoleWindow;
class DebugWindow;
class EditWindow;
class LaunchSettings;
class OptionsWindow;
class Platform;
class SetupWizard;

// What startup and the side windows need of the main window. The program hands over the real main
// window; a test can put a plain window in its place.
class MainFrame {
public:
    virtual ~MainFrame() = default;

    virtual QWidget* widget() = 0;
    // The fixed outer size of 6195 x 5295 twips.
    virtual void applyDesignSize() = 0;
    // The check mark of "Show &Console".
    virtual bool consoleShown() const = 0;
    virtual void setConsoleShown(bool shown) = 0;
    virtual void setExecCfgFolder(const QString& folder) = 0;
    virtual void setDemoFolder(const QString& folder) = 0;
    // The console it places and docks, handed over once both exist.
    virtual void attachConsole(ConsoleWindow& console) { (void)console; }
};

using MainFrameFactory = std::function<std::unique_ptr<MainFrame>()>;

// The program's main window behind MainFrame.
std::unique_ptr<MainFrame> makeMainWindowFrame(LaunchSettings& settings, ConsoleOptions& colours,
                                               CommandInterpreter& interpreter, Platform& platform);

// Every window of the program. Each is created on first use and kept for the whole run;
// windows are hidden rather than closed, because other windows read their controls.
// Carries out the window operations that the interpreter triggers.
class AppWindows : public QObject, public WindowActions {
    Q_OBJECT
public:
    AppWindows(LaunchSettings& settings, ConsoleOptions& colours, CommandInterpreter& interpreter,
               Platform& platform, MainFrameFactory makeMain);
    ~AppWindows() override;

    LaunchSettings& settings() const { return settings_; }
    ConsoleOptions& colours() const { return colours_; }
    CommandInterpreter& interpreter() const { return interpreter_; }
    Platform& platform() const { return platform_; }

    MainFrame& mainFrame();
    QWidget* mainWindow() { return mainFrame().widget(); }
    ConsoleWindow& console();
    OptionsWindow& options();
    DebugWindow& debug();
    SetupWizard& setup();
    // Null until first used.
    SetupWizard* setupIfCreated() const { return setup_.get(); }
    ConsoleWindow* consoleIfCreated() const { return console_.get(); }
    OptionsWindow* optionsIfCreated() const { return options_.get(); }
    DebugWindow* debugIfCreated() const { return debug_.get(); }
    // The About window and the editor close for good (they delete themselves); the next use creates
    // them afresh.
    AboutWindow& about();
    EditWindow& edit();

    void showMainWindow() override;
    void hideMainWindow() override;
    void showDebugWindow() override;
    void showAboutWindow() override;
    void showOptionsWindow() override;
    void showEditWindow() override;
    bool setConsoleFontSize(double points) override;
    WindowPlacement placement() const override;

    // The options window's "&Ok": enables the main window, hides the options window, reloads
    // the console with the new colours carrying its output and input across, and points the
    // demo list at the demo directory.
    void applyOptions();

    // The folder the demo list shows: the demo directory, or the Doom directory without one.
    QString demoFolder() const;

private:
    LaunchSettings& settings_;
    ConsoleOptions& colours_;
    CommandInterpreter& interpreter_;
    Platform& platform_;
    MainFrameFactory makeMain_;
    // Declared so that the main window goes before the console it points at.
    std::unique_ptr<OptionsWindow> options_;
    std::unique_ptr<DebugWindow> debug_;
    std::unique_ptr<ConsoleWindow> console_;
    std::unique_ptr<MainFrame> main_;
    std::unique_ptr<SetupWizard> setup_;
    QPointer<AboutWindow> about_;
    QPointer<EditWindow> edit_;
};

// Where a window whose frame would be at `frame` goes: unchanged while it overlaps one of the
// screens, otherwise the nearest place inside the primary screen's available area.
QPoint keepOnScreen(const QRect& frame, const QList<QRect>& screens, const QRect& primary);

} // namespace bv
