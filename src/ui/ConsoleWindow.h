#pragma once

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QTimer;

namespace bv {

class CommandInterpreter;
class ConsoleOptions;

// frmConsole: the interpreter's output above one input line.
class ConsoleWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kFloatingCaption = "Brimvault [Console]";

    ConsoleWindow(CommandInterpreter& interpreter, ConsoleOptions& colours,
                  QWidget* parent = nullptr);

    // Applies the six colour components to both boxes, as the window's load does.
    void applyColours();
    bool setFontSize(double points);
    // Puts the interpreter's whole output back into the box (after cls or a reload).
    void reloadOutput();

    QPlainTextEdit* output() const { return txtConsole_; }
    QLineEdit* input() const { return txtInput_; }
    QTimer* timerDown() const { return timerDown_; }

private:
    void append(const QString& chunk);
    void scrollToEnd();
    void submit();

    CommandInterpreter& interpreter_;
    ConsoleOptions& colours_;
    QPlainTextEdit* txtConsole_;
    QLineEdit* txtInput_;
    QTimer* timerDown_;
};

} // namespace bv
