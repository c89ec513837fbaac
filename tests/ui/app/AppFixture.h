#pragma once

#include "support/FakePlatform.h"
#include "support/Files.h"

#include "settings/CommandInterpreter.h"
#include "settings/LaunchSettings.h"
#include "ui/AppWindows.h"
#include "ui/ConsoleWindow.h"
#include "ui/main/Captions.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QTemporaryDir>

#include <array>
#include <memory>

namespace bv::test {

// A plain window in the place of frmMain: it records what startup asks of the main window.
class StandInMain : public MainFrame {
public:
    StandInMain() { window.setWindowTitle(mainWindowCaption()); }

    QWidget* widget() override { return &window; }
    void applyDesignSize() override {
        ++designSizes;
        const double dpi = window.logicalDpiY();
        window.setFixedSize(twipsToPixels(6195, dpi), twipsToPixels(5295, dpi));
    }
    bool consoleShown() const override { return shown; }
    void setConsoleShown(bool value) override { shown = value; }
    void setExecCfgFolder(const QString& folder) override { execCfgFolder = folder; }
    void setDemoFolder(const QString& folder) override { demoFolder = folder; }

    QMainWindow window;
    bool shown = true;
    int designSizes = 0;
    QString execCfgFolder;
    QString demoFolder;
};

// A program directory of its own, the interpreter and every window, with a stand-in main
// window. Several worlds may share one program directory and one store, as two runs of the
// program on one machine do.
struct World {
    explicit World(const QString& programDirectory, FakePlatform& host) : platform(host) {
        platform.programDir = programDirectory;
        interpreter.setWindowActions(&windows);
    }
    ~World() { interpreter.setWindowActions(nullptr); }

    FakePlatform& platform;
    LaunchSettings settings;
    ConsoleOptions colours;
    CommandInterpreter interpreter{settings, colours, platform};
    StandInMain* main = nullptr;
    AppWindows windows{settings, colours, interpreter, platform, [this] {
                           auto frame = std::make_unique<StandInMain>();
                           main = frame.get();
                           return frame;
                       }};
};

// The delivered startup script: show the main window and restore the last settings.
inline const QByteArray kMainScript = "show 1\r\nexec config.brv\r\n";

using Colours = std::array<int, 6>;
// The console colours of the design: black background, gold text.
constexpr Colours kDesignColours{0, 0, 0, 255, 215, 0};

// One machine: a program directory holding the startup script, and a host.
struct Machine {
    QTemporaryDir dir;
    FakePlatform platform;
    Machine() { writeBytes(file("main.brv"), kMainScript); }
    QString file(const char* name) const { return pathIn(dir, QLatin1String(name)); }
    void store(const char* section, const char* key, const QString& value) {
        platform.store.insert({QLatin1String(section), QLatin1String(key)}, value);
    }
};

} // namespace bv::test
