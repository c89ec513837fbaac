#pragma once

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QTimer;

namespace bv {

class CommandInterpreter;
class ConsoleOptions;

// The console window: the interpreter's output above one input line.
class ConsoleWindow : public QWidget {
    Q_OBJECT
public:
    ConsoleWindow(CommandInterpreter& interpreter, ConsoleOptions& colours,
                  QWidget* parent = nullptr);

    // The window's load, run again when the options window applies new colours: the caret
    // to the end, the colours of both boxes, and one more scroll to the end once laid out.
    void load();
    // Applies the six colour components to both boxes.
    void applyColours();
    bool setFontSize(double points);
    // Puts the interpreter's whole output back into the box, scrolled to its end.
    void reloadOutput();

    QPlainTextEdit* output() const { return output_; }
    QLineEdit* input() const { return input_; }
    QTimer* scrollTimer() const { return scrollTimer_; }

Q_SIGNALS:
    // The user closed the window with its close box; it is hidden, not destroyed.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void append(const QString& chunk);
    void scrollToEnd();
    void submit();

    CommandInterpreter& interpreter_;
    ConsoleOptions& colours_;
    QPlainTextEdit* output_;
    QWidget* inputFrame_;
    QLineEdit* input_;
    QTimer* scrollTimer_;
};

} // namespace bv
