#include "DebugWindow.h"

#include "ShownText.h"

#include "platform/Platform.h"
#include "settings/CommandInterpreter.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace bv {

DebugWindow::DebugWindow(CommandInterpreter& interpreter, Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), log_(new QPlainTextEdit(this)),
      hideButton_(new QPushButton(QStringLiteral("Hide"), this)),
      quitButton_(new QPushButton(QStringLiteral("Quit"), this)) {
    setObjectName(QStringLiteral("frmDebug"));
    setWindowTitle(QStringLiteral("Debug"));
    log_->setObjectName(QStringLiteral("richtextbox1"));
    hideButton_->setObjectName(QStringLiteral("cmdHide"));
    quitButton_->setObjectName(QStringLiteral("cmdQuit"));

    log_->setReadOnly(true);
    log_->setUndoRedoEnabled(false);
    log_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QPalette palette = log_->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Text, Qt::white);
    log_->setPalette(palette);
    log_->setAccessibleName(QStringLiteral("Debug log"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(hideButton_);
    buttons->addWidget(quitButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(log_, 1);
    layout->addLayout(buttons);
    resize(480, 320);

    log_->setPlainText(shownText(interpreter.debugLog()));
    connect(&interpreter, &CommandInterpreter::debugAppended, this, [this](const QString& chunk) {
        // The newest line stays in view, as in the console, unless the player has scrolled
        // up to read an older one.
        QScrollBar* bar = log_->verticalScrollBar();
        const bool following = bar->value() == bar->maximum();
        QTextCursor cursor(log_->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(shownText(chunk));
        if (following)
            scrollToEnd();
    });
    connect(hideButton_, &QPushButton::clicked, this, &QWidget::hide);
    // Quit ends the program without the saving that exit does.
    connect(quitButton_, &QPushButton::clicked, this, [&platform]() { platform.quit(); });
}

void DebugWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    scrollToEnd();
}

void DebugWindow::scrollToEnd() {
    log_->moveCursor(QTextCursor::End);
    log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
}

} // namespace bv
