#pragma once

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace bv {

class CommandInterpreter;
class Platform;

// frmDebug: the debug log, and the two boxes that hold the console across a reload.
class DebugWindow : public QWidget {
    Q_OBJECT
public:
    DebugWindow(CommandInterpreter& interpreter, Platform& platform, QWidget* parent = nullptr);

    QPlainTextEdit* log() const { return richtextbox1_; }
    QPlainTextEdit* conDump() const { return conDump_; }
    QLineEdit* conInput() const { return conInput_; }

protected:
    // Opens on the newest line.
    void showEvent(QShowEvent* event) override;

private:
    void scrollToEnd();

    QPlainTextEdit* richtextbox1_;
    QPlainTextEdit* conDump_;
    QLineEdit* conInput_;
    QPushButton* cmdHide_;
    QPushButton* cmdQuit_;
};

} // namespace bv
