#include "AppWindows.h"
#include "ConsoleWindow.h"
#include "main/MainWindow.h"

namespace bv {

namespace {

class MainWindowFrame : public MainFrame {
public:
    MainWindowFrame(LaunchSettings& settings, ConsoleOptions& colours,
                    CommandInterpreter& interpreter, Platform& platform, ConsoleWindow& console)
        : window_(settings, colours, interpreter, platform) {
        window_.setConsoleWindow(&console);
    }

    QWidget* widget() override { return &window_; }
    void applyDesignSize() override { window_.applyDesignSize(); }
    bool consoleShown() const override { return window_.consoleShown(); }
    void setConsoleShown(bool shown) override { window_.setConsoleShown(shown); }
    void setExecCfgFolder(const QString& folder) override { window_.setExecCfgFolder(folder); }
    void setDemoFolder(const QString& folder) override { window_.setDemoFolder(folder); }

private:
    MainWindow window_;
};

} // namespace

std::unique_ptr<MainFrame> makeMainWindowFrame(LaunchSettings& settings, ConsoleOptions& colours,
                                               CommandInterpreter& interpreter, Platform& platform,
                                               ConsoleWindow& console) {
    return std::make_unique<MainWindowFrame>(settings, colours, interpreter, platform, console);
}

} // namespace bv
