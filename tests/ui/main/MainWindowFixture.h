#pragma once

#include "support/FakePlatform.h"
#include "support/TempDir.h"

#include "settings/CommandInterpreter.h"
#include "settings/LaunchSettings.h"
#include "ui/main/MainWindow.h"
#include "ui/main/SettingsBinder.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace bv::test {

// A main window over a temporary program directory and Doom directory, a fake host and a
// stand-in console window. Files that should be there at load are written before window().
class MainWindowFixture {
public:
    MainWindowFixture() {
        platform.programDir = programDir.path();
        settings.setText(Text::doomDirectory, doomDir.path());
        // The programs that the launches start, so that they start (through the fake host).
        touch(doomFile(QStringLiteral("Doom3.exe")));
        touch(doomFile(QStringLiteral("hx8.exe")));
    }

    MainWindow& window() {
        if (!window_) {
            window_ = std::make_unique<MainWindow>(settings, colours, interpreter, platform);
            window_->setConsoleWindow(&console);
            // A player reaches a control only once the window is shown, which builds every
            // pane; these tests reach them without showing it.
            window_->buildOtherPanes();
        }
        return *window_;
    }

    template <typename T = QWidget> T* control(const char* name) {
        T* found = window().findChild<T*>(QLatin1String(name));
        if (!found)
            qWarning("no control named %s", name);
        return found;
    }
    QLineEdit* edit(const char* name) { return control<QLineEdit>(name); }
    QAbstractButton* button(const char* name) { return control<QAbstractButton>(name); }
    QAction* action(const char* name) { return control<QAction>(name); }
    void click(const char* name) { button(name)->click(); }

    QString programFile(const QString& name) const { return pathIn(programDir, name); }
    QString doomFile(const QString& name) const { return pathIn(doomDir, name); }
    void touch(const QString& path) { writeBytes(path, QByteArray("x")); }

    QTemporaryDir programDir;
    QTemporaryDir doomDir;
    FakePlatform platform;
    LaunchSettings settings;
    ConsoleOptions colours;
    CommandInterpreter interpreter{settings, colours, platform};
    QWidget console;

private:
    std::unique_ptr<MainWindow> window_;
};

inline QStringList items(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

} // namespace bv::test
