#pragma once

#include "PickerLogic.h"

#include <QMainWindow>
#include <QPoint>
#include <QPointer>

#include <array>
#include <optional>

class QAction;
class QComboBox;
class QListWidget;
class QMenu;
class QPushButton;
class QStackedWidget;
class QTimer;

namespace bv {

class CommandInterpreter;
class ConsoleOptions;
class FileListBox;
class LaunchSettings;
class Platform;
class SettingsBinder;
enum class BotList;

// The main window: the eight panes of launch settings, the launch buttons, the script runner and
// the menus. Every control is bound both ways to the settings record.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Design outer size in twips.
    static constexpr int kWidthTwips = 6195;
    static constexpr int kHeightTwips = 5295;

    // Construction loads the window: it fills the engine list, lists the program directory's
    // .brv files in the script box and shows the General pane.
    MainWindow(LaunchSettings& settings, ConsoleOptions& console, CommandInterpreter& interpreter,
               Platform& platform, QWidget* parent = nullptr);

    // The console window that it places below itself on load, docks on every timer tick
    // while "Dock Console" is checked, and hides while minimised.
    void setConsoleWindow(QWidget* console);
    // Where a docked console goes: its top left corner under the main window's frame.
    static QPoint consoleDockPoint(const QWidget& main);
    // Sets the fixed outer size of 6195 x 5295 twips at this screen's logical dpi.
    void applyDesignSize();

    // The check mark of "Show &Console" (`menu`).
    bool consoleShown() const;
    void setConsoleShown(bool shown);

    // Folders of the config file list and the demo list.
    void setExecCfgFolder(const QString& folder);
    void setDemoFolder(const QString& folder);

    // Load builds only the General pane and the Exe list's own names. The seven other panes
    // are built, bound and wired, the engines of this system join the Exe list and its
    // completion gets the entries, when the load timer ends, a quarter of a second after the
    // window's first picture; a pane button that asks for a pane earlier builds the panes then.
    // A player never sees them before that, and making them first would only hold back the
    // windows' appearance. Safe to call at any time; it builds them once.
    void buildOtherPanes();
    // Started by the first picture; null before it.
    QTimer* loadTimer() const { return loadTimer_; }

protected:
    void closeEvent(QCloseEvent* event) override; // sends "exit"
    void changeEvent(QEvent* event) override;     // minimising hides the console too
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildMenus();
    void buildWeaponsMenu();
    void buildClientArea();
    void wireControls();
    void wireOtherPanes();
    QPushButton* button(const char* name) const;
    QRect twips(int left, int top, int width, int height) const;
    void fitOuterSize();
    void finishLoading(); // when the load timer ends

    void showPane(int index);
    void fillScriptList();
    void toggleConsole(bool show);
    void dockConsole(); // every tick of the dock timer
    void openSettings();
    void saveSettings();
    void addPwad();
    void moveBot(BotList from, QListWidget* source);

    LaunchSettings& settings_;
    ConsoleOptions& consoleOptions_;
    CommandInterpreter& interpreter_;
    Platform& platform_;
    // Before binder_: creating it, a child, sends an event that event() handles, which reads
    // designSized_.
    bool designSized_ = false;
    bool otherPanesBuilt_ = false;
    SettingsBinder* binder_;
    RandomLevel randomLevel_;
    QPointer<QWidget> console_;
    // Folders given before the panes holding the lists were built.
    std::optional<QString> execCfgFolder_;
    std::optional<QString> demoFolder_;

    std::array<QPushButton*, 8> paneButtons_{};
    QStackedWidget* panes_ = nullptr;
    QComboBox* scriptBox_ = nullptr;
    QPushButton* singlePlayerButton_ = nullptr;
    QAction* showConsole_ = nullptr;
    QMenu* weaponsMenu_ = nullptr;
    QTimer* dockTimer_ = nullptr;
    QTimer* loadTimer_ = nullptr;
};

} // namespace bv
