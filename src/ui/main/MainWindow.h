#pragma once

#include <QMainWindow>

class QAction;

namespace bv {

class CommandInterpreter;
class ConsoleOptions;
class LaunchSettings;
class Platform;

// frmMain: the eight panes of launch settings, the launch buttons, the script runner and
// the menus. Every control is bound both ways to the settings record.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Design outer size in twips.
    static constexpr int kWidthTwips = 6195;
    static constexpr int kHeightTwips = 5295;

    // Construction is the window's load: it fills comboEXE, lists the program directory's
    // .brv files into comboExec and shows the General pane.
    MainWindow(LaunchSettings& settings, ConsoleOptions& console, CommandInterpreter& interpreter,
               Platform& platform, QWidget* parent = nullptr);

    // The console window that it places below itself on load, docks on every timer tick
    // while "Dock Console" is checked, and hides while minimised.
    void setConsoleWindow(QWidget* console);
    // Sets the fixed outer size of 6195 x 5295 twips at this screen's logical dpi.
    void applyDesignSize();

    // The check mark of "Show &Console" (`menu`).
    bool consoleShown() const;
    void setConsoleShown(bool shown);

    // Folders of the file lists `fileExecCfg` and `fileDemo`.
    void setExecCfgFolder(const QString& folder);
    void setDemoFolder(const QString& folder);

protected:
    void closeEvent(QCloseEvent* event) override; // Form_Unload: sends "exit"
    void changeEvent(QEvent* event) override;     // Form_Resize: minimise hides the console
};

} // namespace bv
