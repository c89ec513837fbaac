#pragma once
#include "support/FakePlatform.h"
#include "support/Files.h"

#include "platform/QtPlatform.h"
#include "settings/CommandInterpreter.h"
#include "ui/AboutWindow.h"
#include "ui/AppWindows.h"
#include "ui/ConsoleWindow.h"
#include "ui/DebugWindow.h"
#include "ui/EditWindow.h"
#include "ui/OptionsWindow.h"
#include "ui/SetupWizard.h"
#include "ui/Startup.h"
#include "ui/main/MainWindow.h"

#include <QTest>
#include <QtWidgets>

// The program as main() wires it, over its own program directory or a given one and host.
struct App {
    explicit App(const char* arguments = "", FakePlatform* host = nullptr,
                 const QString& directory = QString())
        : platform(host ? *host : own) {
        platform.programDir = directory.isEmpty() ? dir.path() : directory;
        platform.arguments = QLatin1String(arguments);
        if (directory.isEmpty())
            writeBytes(file("main.brv"), "show 1\r\n");
        interpreter.setWindowActions(&windows);
    }
    ~App() { interpreter.setWindowActions(nullptr); }
    MainWindow& main() { return static_cast<MainWindow&>(*windows.mainWindow()); }
    ConsoleWindow& console() { return windows.console(); }
    QColor consoleColour(QPalette::ColorRole role) {
        return console().input()->palette().color(role);
    }
    QString file(const char* name) const { return pathIn(dir, QLatin1String(name)); }

    QTemporaryDir dir;
    FakePlatform own;
    FakePlatform& platform;
    LaunchSettings settings;
    ConsoleOptions colours;
    CommandInterpreter interpreter{settings, colours, platform};
    AppWindows windows{settings, colours, interpreter, platform, [this] {
                           return makeMainWindowFrame(settings, colours, interpreter, platform);
                       }};
};

// While it is installed: the windows raised, and each line edit's text as it is painted, in order.
struct Seen : QObject {
    QStringList windows, painted;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ZOrderChange && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow())
            windows << watched->objectName();
        else if (event->type() == QEvent::Paint && qobject_cast<QLineEdit*>(watched))
            painted << watched->objectName() + '=' + watched->property("text").toString();
        return false;
    }
};

template <typename T = QWidget> T* child(QWidget& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name));
}

inline void click(QWidget& window, const char* name) {
    child<QAbstractButton>(window, name)->click();
}

inline void typeEuro(QWidget* widget) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, u"\u20ac"_s, {});
}

// Any warning of Qt's (a layout cell spanning nothing, a connection to no signal) fails a test;
// the offscreen window system's notes of what it cannot do do not.
const QRegularExpression kQtWarning(u"^(?!This plugin does not support)"_s);

// The window tests, run by the same program as the flows.
int runWindowTests(int argc, char* argv[]);
