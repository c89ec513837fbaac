#include "AppWindows.h"
#include "ConsoleWindow.h"
#include "main/MainWindow.h"

namespace bv {

namespace {

class MainWindowFrame : public MainFrame {
public:
    MainWindowFrame(LaunchSettings& settings, ConsoleOptions& colours,
                    CommandInterpreter& interpreter, Platform& platform)
        : window_(settings, colours, interpreter, platform) {}

    QWidget* widget() override { return &window_; }
    void applyDesignSize() override { window_.applyDesignSize(); }
    bool consoleShown() const override { return window_.consoleShown(); }
    void setConsoleShown(bool shown) override { window_.setConsoleShown(shown); }
    void setExecCfgFolder(const QString& folder) override { window_.setExecCfgFolder(folder); }
    void setDemoFolder(const QString& folder) override { window_.setDemoFolder(folder); }
    void attachConsole(ConsoleWindow& console) override { window_.setConsoleWindow(&console); }

private:
    MainWindow window_;
};

} // namespace

std::unique_ptr<MainFrame> makeMainWindowFrame(LaunchSettings& settings, ConsoleOptions& colours,
                                               CommandInterpreter& interpreter,
                                               Platform& platform) {
    return std::make_unique<MainWindowFrame>(settings, colours, interpreter, platform);
}

} // namespace bv
