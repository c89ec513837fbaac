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
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <optional>
#include <type_traits>

namespace bv {

namespace {

// Block user states: a block remembers the end its line had in the file. Blocks the user
// creates start at -1 and take the document's usual end, so a file whose lines all end
// alike needs no state at all.
constexpr int kUnknownEnd = -1;

// A row that goes on the line of the row before it carries a number of its own in this
// block format property; no line end is written in front of it. It lives in the block
// format rather than the user state because undo and redo restore formats, and because a
// joined pair of blocks keeps the first one's format: the break that survives a join is the
// one in front of the first. The number tells a row from the copy of its format that the
// text box gives the new block when Enter splits it (see keepTypedBreaksHard).
constexpr int kRowProperty = QTextFormat::UserProperty + 1;

int rowNumber(const QTextBlock& block) {
    return block.blockFormat().intProperty(kRowProperty);
}

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

// What the text box is filled with: the lines joined by LF (they hold no CR or LF, so each
// gives one block), a line longer than a row cut into rows, and what a block needs beyond
// its text. A file of 200,000 lines goes in without a string per line.
class BoxText {
public:
    // Without a usual end, the first end added is the usual one, as in a file.
    explicit BoxText(qsizetype size, std::optional<LineEnd> usual = std::nullopt) : usual_(usual) {
        plain_.reserve(size + size / EditWindow::kRowLength + 1);
    }
    LineEnd usual() const { return usual_.value_or(LineEnd::CrLf); }

    template <typename View> void addLine(View line) {
        qsizetype start = 0;
        while (line.size() - start > EditWindow::kRowLength) {
            qsizetype cut = start + EditWindow::kRowLength;
            if constexpr (std::is_same_v<View, QStringView>) {
                if (line.at(cut - 1).isHighSurrogate())
                    --cut; // a character is never cut in two
            }
            plain_.append(line.mid(start, cut - start));
            plain_.append(QLatin1Char('\n'));
            start = cut;
            ++block_;
            continues_.resize(static_cast<size_t>(block_) + 1);
            continues_.back() = true;
        }
        plain_.append(line.mid(start));
    }

    void addEnd(LineEnd end) {
        if (!usual_)
            usual_ = end;
        if (end != *usual_) {
            states_.resize(static_cast<size_t>(block_) + 1, kUnknownEnd);
            states_.back() = stateFor(end);
        }
        plain_.append(QLatin1Char('\n'));
        ++block_;
    }

    void fill(QPlainTextEdit* box) const {
        QTextDocument* doc = box->document();
        // The box's own setPlainText would also give every fragment the cursor's character
        // format, the default one in a plain editor, in a pass that costs a sixth of the
        // time for 200,000 lines. The document's clears the undo steps all the same.
        doc->setPlainText(plain_);
        if (!continues_.empty() || !states_.empty()) {
            // Marking the rows must not become a step the player can undo.
            doc->setUndoRedoEnabled(false);
            QTextCursor cursor(doc);
            // One edit block: the box then lays out only the rows it shows, not each one.
            cursor.beginEditBlock();
            int row = 0;
            size_t number = 0;
            for (QTextBlock b = doc->begin(); b.isValid(); b = b.next(), ++number) {
                if (number < states_.size() && states_[number] != kUnknownEnd)
                    b.setUserState(states_[number]);
                if (number < continues_.size() && continues_[number]) {
                    QTextBlockFormat format = b.blockFormat();
                    format.setProperty(kRowProperty, ++row);
                    cursor.setPosition(b.position());
                    cursor.setBlockFormat(format);
                }
            }
            cursor.endEditBlock();
            doc->setUndoRedoEnabled(true);
        }
        box->setTextCursor(QTextCursor(doc)); // at the start, scrolled there
    }

private:
    std::optional<LineEnd> usual_;
    QString plain_;
    int block_ = 0;               // the block the next text goes to
    std::vector<bool> continues_; // per block, once a line needs rows
    std::vector<int> states_;     // per block, once a line end differs from the usual one
};

} // namespace

EditWindow::EditWindow(LaunchSettings& settings, Platform& platform, QWidget* parent)
    : QMainWindow(parent), settings_(settings), platform_(platform),
      textBox_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("frmEdit"));
    setWindowTitle(QStringLiteral("Config File Editor"));
    setAttribute(Qt::WA_DeleteOnClose);

    textBox_->setObjectName(QStringLiteral("txtText"));
    textBox_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    textBox_->setLineWrapMode(QPlainTextEdit::NoWrap);
    textBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textBox_->setAccessibleName(QStringLiteral("Document"));
    // The central widget of a main window always covers the whole client area.
    setCentralWidget(textBox_);

    fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu_->setObjectName(QStringLiteral("menuFile"));
    newAction_ = fileMenu_->addAction(QStringLiteral("&New"), this, &EditWindow::onNewClicked);
    openAction_ = fileMenu_->addAction(QStringLiteral("&Open"), this, &EditWindow::onOpenClicked);
    saveAction_ = fileMenu_->addAction(QStringLiteral("&Save"), this, &EditWindow::onSaveClicked);
    separator_ = fileMenu_->addSeparator();
    closeAction_ = fileMenu_->addAction(QStringLiteral("&Close"), this, &QWidget::close);
    newAction_->setObjectName(QStringLiteral("menuNew"));
    openAction_->setObjectName(QStringLiteral("menuOpen"));
    saveAction_->setObjectName(QStringLiteral("menuSave"));
    separator_->setObjectName(QStringLiteral("sep1"));
    closeAction_->setObjectName(QStringLiteral("menuClose"));

    connect(
        textBox_->document(), &QTextDocument::contentsChange, this,
        [this](int position, int, int charsAdded) { keepTypedBreaksHard(position, charsAdded); });

    resize(520, 380);
}

EditorText EditWindow::document() const {
    EditorText text;
    text.lines.clear();
    text.usual = usual_;
    const QTextDocument* doc = textBox_->document();
    QTextBlock previous;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (!previous.isValid()) {
            text.lines.append(block.text());
        } else if (rowNumber(block) != 0) {
            text.lines.last().append(block.text());
        } else {
            text.ends.push_back(endFromState(previous.userState(), usual_));
            text.lines.append(block.text());
        }
        previous = block;
    }
    if (text.lines.isEmpty())
        text.lines.append(QString());
    return text;
}

QByteArray EditWindow::bytesForSave() const {
    const QTextDocument* doc = textBox_->document();
    // The raw text keeps every character as typed (a no-break space stays one) and holds a
    // paragraph separator between blocks.
    const QString raw = doc->toRawText();
    QByteArray bytes(raw.size() * 2 + 2, Qt::Uninitialized); // no character takes more
    char* out = bytes.data();
    const auto putEnd = [&out](LineEnd end) {
        if (end != LineEnd::Lf)
            *out++ = '\r';
        if (end != LineEnd::Cr)
            *out++ = '\n';
    };
    QTextBlock block = doc->begin();
    const QChar* in = raw.constData();
    const QChar* const stop = in + raw.size();
    for (; in != stop; ++in) {
        const char16_t u = in->unicode();
        if (u < 0x100) {
            *out++ = static_cast<char>(u);
        } else if (u == QChar::ParagraphSeparator) {
            const QTextBlock next = block.next();
            if (rowNumber(next) == 0)
                putEnd(endFromState(block.userState(), usual_));
            block = next;
        } else if (u == QChar::LineSeparator) {
            // Shift+Enter puts a line separator inside a paragraph; on disk it is a line end.
            putEnd(usual_);
        } else {
            // A surrogate pair is one character and gives one "?", as in toLatin1Lossy.
            if (QChar::isHighSurrogate(u) && in + 1 != stop && (in + 1)->isLowSurrogate())
                ++in;
            *out++ = '?';
        }
    }
    putEnd(LineEnd::CrLf);
    bytes.truncate(out - bytes.constData());
    return bytes;
}

void EditWindow::setDocument(const EditorText& text) {
    const QScopedValueRollback<bool> setting(settingDocument_, true);
    usual_ = text.usual;
    qsizetype size = 0;
    for (const QString& line : text.lines)
        size += line.size() + 1;
    BoxText box(size, usual_);
    for (qsizetype i = 0; i < text.lines.size(); ++i) {
        if (i > 0) {
            const auto index = static_cast<size_t>(i - 1);
            box.addEnd(index < text.ends.size() ? text.ends[index] : usual_);
        }
        box.addLine(QStringView(text.lines.at(i)));
    }
    box.fill(textBox_);
}

// When Enter (or text with line ends) splits a row, the text box gives every new block the
// row's format, and with it the mark that says no line end goes in front of it: the line end
// just typed would be lost. A copy carries the same number as the block it was split from,
// which no row ever does; its mark is taken off in the same undo step as the typing. Undo and
// redo restore formats as they were and so never leave a copy behind.
void EditWindow::keepTypedBreaksHard(int position, int charsAdded) {
    if (settingDocument_)
        return;
    QTextDocument* doc = textBox_->document();
    const QTextBlock first = doc->findBlock(position);
    const int row = rowNumber(first);
    if (row == 0)
        return;
    const QTextBlock last = doc->findBlock(position + charsAdded);
    QTextCursor cursor(doc);
    bool joined = false;
    for (QTextBlock b = first.next(); b.isValid(); b = b.next()) {
        if (rowNumber(b) == row) {
            if (!joined)
                cursor.joinPreviousEditBlock();
            joined = true;
            QTextBlockFormat format = b.blockFormat();
            format.clearProperty(kRowProperty);
            cursor.setPosition(b.position());
            cursor.setBlockFormat(format);
        }
        if (b == last)
            break;
    }
    if (joined)
        cursor.endEditBlock();
}

bool EditWindow::openFile(const QString& path) {
    const FileContent content = readWholeFile(path);
    if (!content.ok) {
        platform_.messageBox(
            QStringLiteral("Could not open the file \"%1\": %2").arg(path, content.message), false);
        return false;
    }
    // As setDocument(editorTextFromBytes(bytes)), without a string per line.
    const QScopedValueRollback<bool> setting(settingDocument_, true);
    const QByteArray& bytes = content.bytes;
    BoxText box(bytes.size());
    forEachLine(
        bytes,
        [&](qsizetype from, qsizetype length) {
            box.addLine(QLatin1String(bytes.constData() + from, length));
        },
        [&](LineEnd end) { box.addEnd(end); });
    usual_ = box.usual();
    box.fill(textBox_);
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

void EditWindow::onNewClicked() {
    if (!textBox_->document()->isEmpty() &&
        !platform_.askYesNo(QStringLiteral("Create new document?")))
        return;
    setDocument(EditorText{});
}

void EditWindow::onOpenClicked() {
    const QString path = askForFile(false);
    if (!path.isEmpty())
        openFile(path);
}

void EditWindow::onSaveClicked() {
    const QString path = askForFile(true);
    if (!path.isEmpty())
        saveFile(path);
}

QString EditWindow::askForFile(bool forSaving) {
    FileDialogSpec dialog;
    dialog.initialDirectory = settings_.text(Text::doomDirectory);
    dialog.filter = QLatin1String(kFilter);
    dialog.flags = kHideReadOnly;
    return platform_.fileDialog(forSaving ? FileDialogKind::Save : FileDialogKind::Open, dialog);
}

} // namespace bv
