#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace bv {

class CommandInterpreter;
class Platform;

// The debug window: the debug log of every line the interpreter was handed.
class DebugWindow : public QWidget {
    Q_OBJECT
public:
    DebugWindow(CommandInterpreter& interpreter, Platform& platform, QWidget* parent = nullptr);

    QPlainTextEdit* log() const { return log_; }

protected:
    // Opens on the newest line.
    void showEvent(QShowEvent* event) override;

private:
    void scrollToEnd();

    QPlainTextEdit* log_;
    QPushButton* hideButton_;
    QPushButton* quitButton_;
};

} // namespace bv
