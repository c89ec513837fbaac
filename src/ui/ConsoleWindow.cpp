#include "ConsoleWindow.h"

#include "ShownText.h"

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
      txtConsole_(new QPlainTextEdit(this)), inputFrame_(new QWidget(this)),
      txtInput_(new QLineEdit(inputFrame_)), timerDown_(new QTimer(this)) {
    setObjectName(QStringLiteral("frmConsole"));
    setWindowTitle(QLatin1String(kFloatingCaption));
    txtConsole_->setObjectName(QStringLiteral("txtConsole"));
    txtInput_->setObjectName(QStringLiteral("txtInput"));
    inputFrame_->setObjectName(QStringLiteral("inputFrame"));
    timerDown_->setObjectName(QStringLiteral("timerDown"));

    txtConsole_->setReadOnly(true);
    // Both boxes share the console's colours edge to edge; light frames would cut them apart.
    txtConsole_->setFrameShape(QFrame::NoFrame);
    txtInput_->setFrame(false);
    txtConsole_->setUndoRedoEnabled(false);
    txtConsole_->setFocusPolicy(Qt::ClickFocus);
    // Typing is for the input line, wherever the player clicked last.
    txtConsole_->installEventFilter(this);
    setFocusProxy(txtInput_);
    // A line in the text colour around the input sets it apart from the output above it,
    // which has the same colours.
    inputFrame_->setAutoFillBackground(true);
    auto* frameLayout = new QVBoxLayout(inputFrame_);
    frameLayout->setContentsMargins(1, 1, 1, 1);
    frameLayout->addWidget(txtInput_);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(9);
    txtConsole_->setFont(font);
    txtInput_->setFont(font);
    txtConsole_->setAccessibleName(QStringLiteral("Console output"));
    txtInput_->setAccessibleName(QStringLiteral("Console command"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(txtConsole_, 1);
    layout->addWidget(inputFrame_);
    resize(413, 200);

    reloadOutput();

    connect(&interpreter_, &CommandInterpreter::consoleAppended, this, &ConsoleWindow::append);
    connect(&interpreter_, &CommandInterpreter::consoleReset, this, &ConsoleWindow::reloadOutput);
    connect(txtInput_, &QLineEdit::returnPressed, this, &ConsoleWindow::submit);

    // One scroll to the end once the window has been laid out.
    timerDown_->setInterval(1);
    timerDown_->setSingleShot(true);
    connect(timerDown_, &QTimer::timeout, this, &ConsoleWindow::scrollToEnd);
    load();
}

void ConsoleWindow::load() {
    scrollToEnd();
    applyColours();
    timerDown_->start();
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
    for (QWidget* box : {static_cast<QWidget*>(txtConsole_), static_cast<QWidget*>(txtInput_)}) {
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
    if (watched != txtConsole_ || event->type() != QEvent::KeyPress)
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
    txtInput_->setFocus();
    QCoreApplication::sendEvent(txtInput_, event);
    return true;
}

bool ConsoleWindow::setFontSize(double points) {
    QFont font = txtConsole_->font();
    font.setPointSizeF(points);
    txtConsole_->setFont(font);
    return true;
}

void ConsoleWindow::reloadOutput() {
    showOutput(interpreter_.consoleText());
}

void ConsoleWindow::showOutput(const QString& text) {
    txtConsole_->setPlainText(shownText(text));
    scrollToEnd();
}

void ConsoleWindow::append(const QString& chunk) {
    // Appending keeps the cost of a reply independent of the length of the output.
    QTextCursor cursor(txtConsole_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(shownText(chunk));
    scrollToEnd();
}

void ConsoleWindow::scrollToEnd() {
    txtConsole_->moveCursor(QTextCursor::End);
    txtConsole_->verticalScrollBar()->setValue(txtConsole_->verticalScrollBar()->maximum());
}

void ConsoleWindow::submit() {
    const QString line = txtInput_->text();
    interpreter_.interpret(line);
    if (!interpreter_.ended())
        txtInput_->clear();
}

} // namespace bv
