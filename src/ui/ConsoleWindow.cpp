#include "ConsoleWindow.h"

#include "ShownText.h"
#include "main/Captions.h"

#include "settings/CommandInterpreter.h"
#include "settings/LaunchSettings.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace bv {

ConsoleWindow::ConsoleWindow(CommandInterpreter& interpreter, ConsoleOptions& colours,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), interpreter_(interpreter), colours_(colours),
      output_(new QPlainTextEdit(this)), inputFrame_(new QWidget(this)),
      input_(new QLineEdit(inputFrame_)), scrollTimer_(new QTimer(this)) {
    setObjectName(QStringLiteral("frmConsole"));
    setWindowTitle(QLatin1String(kFloatingConsoleCaption));
    output_->setObjectName(QStringLiteral("txtConsole"));
    input_->setObjectName(QStringLiteral("txtInput"));
    inputFrame_->setObjectName(QStringLiteral("inputFrame"));
    scrollTimer_->setObjectName(QStringLiteral("timerDown"));

    output_->setReadOnly(true);
    // Both boxes share the console's colours edge to edge; light frames would cut them apart.
    output_->setFrameShape(QFrame::NoFrame);
    input_->setFrame(false);
    output_->setUndoRedoEnabled(false);
    output_->setFocusPolicy(Qt::ClickFocus);
    // Typing is for the input line, wherever the player clicked last.
    output_->installEventFilter(this);
    setFocusProxy(input_);
    // A line in the text colour around the input sets it apart from the output above it,
    // which has the same colours.
    inputFrame_->setAutoFillBackground(true);
    auto* frameLayout = new QVBoxLayout(inputFrame_);
    frameLayout->setContentsMargins(1, 1, 1, 1);
    frameLayout->addWidget(input_);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(9);
    output_->setFont(font);
    input_->setFont(font);
    output_->setAccessibleName(QStringLiteral("Console output"));
    input_->setAccessibleName(QStringLiteral("Console command"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(output_, 1);
    layout->addWidget(inputFrame_);
    resize(413, 200);

    reloadOutput();

    connect(&interpreter_, &CommandInterpreter::consoleAppended, this, &ConsoleWindow::append);
    connect(&interpreter_, &CommandInterpreter::consoleReset, this, &ConsoleWindow::reloadOutput);
    connect(input_, &QLineEdit::returnPressed, this, &ConsoleWindow::submit);

    // One scroll to the end once the window has been laid out.
    scrollTimer_->setInterval(1);
    scrollTimer_->setSingleShot(true);
    connect(scrollTimer_, &QTimer::timeout, this, &ConsoleWindow::scrollToEnd);
    load();
}

void ConsoleWindow::load() {
    scrollToEnd();
    applyColours();
    scrollTimer_->start();
}

void ConsoleWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closedByUser();
}

void ConsoleWindow::applyColours() {
    const QColor back(colours_.value(ConsoleOptions::backgroundRed),
                      colours_.value(ConsoleOptions::backgroundGreen),
                      colours_.value(ConsoleOptions::backgroundBlue));
    const QColor fore(colours_.value(ConsoleOptions::textRed),
                      colours_.value(ConsoleOptions::textGreen),
                      colours_.value(ConsoleOptions::textBlue));
    for (QWidget* box : {static_cast<QWidget*>(output_), static_cast<QWidget*>(input_)}) {
        QPalette palette = box->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            palette.setColor(group, QPalette::Base, back);
            palette.setColor(group, QPalette::Window, back);
            palette.setColor(group, QPalette::Text, fore);
        }
        box->setPalette(palette);
    }
    QPalette border = inputFrame_->palette();
    border.setColor(QPalette::Window, fore);
    inputFrame_->setPalette(border);
}

bool ConsoleWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != output_ || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // Keys that write or submit go to the input line; those that move, select or copy stay
    // with the output.
    const bool control =
        key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool writes = !key->text().isEmpty() && key->text().at(0).isPrint();
    const bool edits = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Return ||
                       key->key() == Qt::Key_Enter;
    if (control || !(writes || edits))
        return QWidget::eventFilter(watched, event);
    input_->setFocus();
    QCoreApplication::sendEvent(input_, event);
    return true;
}

bool ConsoleWindow::setFontSize(double points) {
    QFont font = output_->font();
    font.setPointSizeF(points);
    output_->setFont(font);
    return true;
}

void ConsoleWindow::reloadOutput() {
    output_->setPlainText(shownText(interpreter_.consoleText()));
    scrollToEnd();
}

void ConsoleWindow::append(const QString& chunk) {
    // Appending keeps the cost of a reply independent of the length of the output.
    QTextCursor cursor(output_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(shownText(chunk));
    scrollToEnd();
}

void ConsoleWindow::scrollToEnd() {
    output_->moveCursor(QTextCursor::End);
    output_->verticalScrollBar()->setValue(output_->verticalScrollBar()->maximum());
}

void ConsoleWindow::submit() {
    const QString line = input_->text();
    interpreter_.interpret(line);
    if (!interpreter_.ended())
        input_->clear();
}

} // namespace bv
