#include "DebugWindow.h"

#include "ShownText.h"

#include "platform/Platform.h"
#include "settings/CommandInterpreter.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace bv {

DebugWindow::DebugWindow(CommandInterpreter& interpreter, Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), richtextbox1_(new QPlainTextEdit(this)),
      conDump_(new QPlainTextEdit(this)), conInput_(new QLineEdit(this)),
      cmdHide_(new QPushButton(QStringLiteral("Hide"), this)),
      cmdQuit_(new QPushButton(QStringLiteral("Quit"), this)) {
    setObjectName(QStringLiteral("frmDebug"));
    setWindowTitle(QStringLiteral("Debug"));
    richtextbox1_->setObjectName(QStringLiteral("richtextbox1"));
    conDump_->setObjectName(QStringLiteral("conDump"));
    conInput_->setObjectName(QStringLiteral("conInput"));
    cmdHide_->setObjectName(QStringLiteral("cmdHide"));
    cmdQuit_->setObjectName(QStringLiteral("cmdQuit"));

    richtextbox1_->setReadOnly(true);
    richtextbox1_->setUndoRedoEnabled(false);
    richtextbox1_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QPalette palette = richtextbox1_->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Text, Qt::white);
    richtextbox1_->setPalette(palette);
    richtextbox1_->setAccessibleName(QStringLiteral("Debug log"));
    // The holding boxes only carry the console across a reload; nobody needs to see them.
    conDump_->hide();
    conInput_->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdHide_);
    buttons->addWidget(cmdQuit_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(richtextbox1_, 1);
    layout->addWidget(conDump_);
    layout->addWidget(conInput_);
    layout->addLayout(buttons);
    resize(480, 320);

    richtextbox1_->setPlainText(shownText(interpreter.debugLog()));
    connect(&interpreter, &CommandInterpreter::debugAppended, this, [this](const QString& chunk) {
        // The newest line stays in view, as in the console, unless the player has scrolled
        // up to read an older one.
        QScrollBar* bar = richtextbox1_->verticalScrollBar();
        const bool following = bar->value() == bar->maximum();
        QTextCursor cursor(richtextbox1_->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(shownText(chunk));
        if (following)
            scrollToEnd();
    });
    connect(cmdHide_, &QPushButton::clicked, this, &QWidget::hide);
    // Quit ends the program without the saving that exit does.
    connect(cmdQuit_, &QPushButton::clicked, this, [&platform]() { platform.quit(); });
}

void DebugWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    scrollToEnd();
}

void DebugWindow::scrollToEnd() {
    richtextbox1_->moveCursor(QTextCursor::End);
    richtextbox1_->verticalScrollBar()->setValue(richtextbox1_->verticalScrollBar()->maximum());
}

} // namespace bv
