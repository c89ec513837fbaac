#include "EditWindow.h"

#include "core/AtomicFile.h"
#include "core/Latin1Text.h"
#include "platform/Platform.h"
#include "settings/LaunchSettings.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

namespace bv {

namespace {

// Block user states: a block remembers the end its line had in the file. Blocks the user
// creates start at -1 and take the document's usual end.
constexpr int kUnknownEnd = -1;

int stateFor(LineEnd end) {
    return static_cast<int>(end);
}

LineEnd endFromState(int state, LineEnd usual) {
    switch (state) {
    case static_cast<int>(LineEnd::CrLf):
        return LineEnd::CrLf;
    case static_cast<int>(LineEnd::Lf):
        return LineEnd::Lf;
    case static_cast<int>(LineEnd::Cr):
        return LineEnd::Cr;
    default:
        return usual;
    }
}

void appendEnd(QByteArray& bytes, LineEnd end) {
    switch (end) {
    case LineEnd::CrLf:
        bytes.append("\r\n", 2);
        break;
    case LineEnd::Lf:
        bytes.append('\n');
        break;
    case LineEnd::Cr:
        bytes.append('\r');
        break;
    }
}

} // namespace

EditorText editorTextFromBytes(const QByteArray& bytes) {
    EditorText text;
    text.lines.clear();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        text.lines.append(QString::fromLatin1(bytes.constData() + start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n') {
            text.ends.push_back(LineEnd::CrLf);
            i += 2;
        } else {
            text.ends.push_back(c == '\r' ? LineEnd::Cr : LineEnd::Lf);
            ++i;
        }
        start = i;
    }
    text.lines.append(QString::fromLatin1(bytes.constData() + start, bytes.size() - start));
    if (!text.ends.empty())
        text.usual = text.ends.front();
    return text;
}

QByteArray editorBytesForSave(const EditorText& text) {
    QByteArray bytes;
    for (qsizetype i = 0; i < text.lines.size(); ++i) {
        // Shift+Enter puts a line separator inside a paragraph; on disk it is a line end too.
        const QStringList parts = text.lines.at(i).split(QChar::LineSeparator);
        for (qsizetype p = 0; p < parts.size(); ++p) {
            if (p > 0)
                appendEnd(bytes, text.usual);
            bytes.append(toLatin1Lossy(parts.at(p)));
        }
        if (i + 1 < text.lines.size()) {
            const auto index = static_cast<size_t>(i);
            appendEnd(bytes, index < text.ends.size() ? text.ends[index] : text.usual);
        }
    }
    bytes.append("\r\n", 2);
    return bytes;
}

FileContent readWholeFile(const QString& path) {
    FileContent content;
    // A device such as /dev/zero would be read until memory runs out, and a named pipe would
    // wait for a writer: only a regular file (or a folder, which fails to open) goes on.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir()) {
        content.message = QStringLiteral("it is a device or a pipe, not a file");
        return content;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        content.message = file.errorString();
        return content;
    }
    content.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        content.message = file.errorString();
        content.bytes.clear();
        return content;
    }
    content.ok = true;
    return content;
}

EditWindow::EditWindow(LaunchSettings& settings, Platform& platform, QWidget* parent)
    : QMainWindow(parent), settings_(settings), platform_(platform),
      txtText_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("frmEdit"));
    setWindowTitle(QStringLiteral("Config File Editor"));
    setAttribute(Qt::WA_DeleteOnClose);

    txtText_->setObjectName(QStringLiteral("txtText"));
    txtText_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    txtText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtText_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtText_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtText_->setAccessibleName(QStringLiteral("Document"));
    // The central widget of a main window always covers the whole client area.
    setCentralWidget(txtText_);

    menuFile_ = menuBar()->addMenu(QStringLiteral("&File"));
    menuFile_->setObjectName(QStringLiteral("menuFile"));
    menuNew_ = menuFile_->addAction(QStringLiteral("&New"), this, &EditWindow::menuNew_Click);
    menuOpen_ = menuFile_->addAction(QStringLiteral("&Open"), this, &EditWindow::menuOpen_Click);
    menuSave_ = menuFile_->addAction(QStringLiteral("&Save"), this, &EditWindow::menuSave_Click);
    sep1_ = menuFile_->addSeparator();
    menuClose_ = menuFile_->addAction(QStringLiteral("&Close"), this, &QWidget::close);
    menuNew_->setObjectName(QStringLiteral("menuNew"));
    menuOpen_->setObjectName(QStringLiteral("menuOpen"));
    menuSave_->setObjectName(QStringLiteral("menuSave"));
    sep1_->setObjectName(QStringLiteral("sep1"));
    menuClose_->setObjectName(QStringLiteral("menuClose"));

    resize(520, 380);
}

EditorText EditWindow::document() const {
    EditorText text;
    text.lines.clear();
    text.usual = usual_;
    const QTextDocument* doc = txtText_->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        text.lines.append(block.text());
        if (block.next().isValid())
            text.ends.push_back(endFromState(block.userState(), usual_));
    }
    if (text.lines.isEmpty())
        text.lines.append(QString());
    return text;
}

void EditWindow::setDocument(const EditorText& text) {
    usual_ = text.usual;
    // The lines hold no CR or LF, so joining them by LF gives exactly one block per line.
    txtText_->setPlainText(text.lines.join(QLatin1Char('\n')));
    size_t index = 0;
    for (QTextBlock block = txtText_->document()->begin(); block.isValid();
         block = block.next(), ++index)
        block.setUserState(index < text.ends.size() ? stateFor(text.ends[index]) : kUnknownEnd);
}

bool EditWindow::openFile(const QString& path) {
    const FileContent content = readWholeFile(path);
    if (!content.ok) {
        platform_.messageBox(
            QStringLiteral("Could not open the file \"%1\": %2").arg(path, content.message), false);
        return false;
    }
    setDocument(editorTextFromBytes(content.bytes));
    return true;
}

bool EditWindow::saveFile(const QString& path) {
    const WriteResult result = writeFileAtomically(path, bytesForSave());
    if (!result.ok) {
        platform_.messageBox(
            QStringLiteral("Could not save the file \"%1\": %2").arg(path, result.message), false);
        return false;
    }
    return true;
}

void EditWindow::menuNew_Click() {
    if (!txtText_->document()->isEmpty() &&
        !platform_.askYesNo(QStringLiteral("Create new document?")))
        return;
    setDocument(EditorText{});
}

void EditWindow::menuOpen_Click() {
    const QString path = askForFile(false);
    if (!path.isEmpty())
        openFile(path);
}

void EditWindow::menuSave_Click() {
    const QString path = askForFile(true);
    if (!path.isEmpty())
        saveFile(path);
}

QString EditWindow::askForFile(bool forSaving) {
    FileDialogSpec dialog;
    dialog.initialDirectory = settings_.text(Text::doomDirectory);
    dialog.fileName = QString();
    dialog.filter = QLatin1String(kFilter);
    dialog.flags = kHideReadOnly;
    return platform_.fileDialog(forSaving ? FileDialogKind::Save : FileDialogKind::Open, dialog);
}

} // namespace bv
