#pragma once

#include <QByteArray>
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <vector>

class QAction;
class QMenu;
class QPlainTextEdit;

namespace bv {

class LaunchSettings;
class Platform;

// The three ways a line can end in the files the editor opens.
enum class LineEnd { CrLf, Lf, Cr };

// A file as the editor holds it: the lines, and the end that followed each line but the
// last. Keeping each end lets an unedited file go back to disk byte for byte, although the
// text box itself only knows paragraphs.
struct EditorText {
    QStringList lines{QString()};
    std::vector<LineEnd> ends; // one fewer than lines
    // The end given to lines added while editing: the file's first line end, else CR LF.
    LineEnd usual = LineEnd::CrLf;
};

// Splits Latin-1 bytes at CR LF, LF and lone CR; every other byte is kept as its character.
EditorText editorTextFromBytes(const QByteArray& bytes);
// The bytes that Save writes: the lines with their ends in Latin-1 (a character outside
// Latin-1 becomes "?", a line separator typed into a line becomes the usual end), followed
// by one CR LF.
QByteArray editorBytesForSave(const EditorText& text);

// The whole content of a file, or the host's reason why it could not be read.
struct FileContent {
    bool ok = false;
    QByteArray bytes;
    QString message;
};
FileContent readWholeFile(const QString& path);

// frmEdit, "Config File Editor": a plain editor for engine config files, settings scripts
// and HX8 parameter files. It keeps no file name and no modified flag: every Save asks.
//
// Lifecycle: the owner creates it on `edit` and calls show(). The window deletes itself
// (Qt::WA_DeleteOnClose) when "&Close" or the close box closes it, and its text is dropped
// without a question; hold it in a QPointer and create it afresh on the next `edit`.
class EditWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kFilter =
        "Doom Legacy Config File|*.cfg|Brimvault Config File|*.brv|"
        "Brimvault HX8 Parameter File|*.hx8";
    // A longer line is shown in rows of this many characters: the text box lays out and
    // shapes a paragraph as a whole on every change, and cannot even place the end of a
    // paragraph several million pixels wide. Rows join again on save.
    static constexpr qsizetype kRowLength = 10000;

    // Reads the Doom directory (Text::doomDirectory) whenever a dialog opens.
    EditWindow(LaunchSettings& settings, Platform& platform, QWidget* parent = nullptr);

    QPlainTextEdit* textBox() const { return txtText_; }
    QAction* newAction() const { return menuNew_; }
    QAction* openAction() const { return menuOpen_; }
    QAction* saveAction() const { return menuSave_; }
    QAction* closeAction() const { return menuClose_; }

    // The document as the editor holds it, and the bytes Save would write for it.
    EditorText document() const;
    void setDocument(const EditorText& text);
    // Equal to editorBytesForSave(document()), without a string per line.
    QByteArray bytesForSave() const;

    // Load a file into the box, or write the box to a file; a failure is reported in a
    // message box naming the file, and the document stays as it was.
    bool openFile(const QString& path);
    bool saveFile(const QString& path);

private:
    void menuNew_Click();
    void menuOpen_Click();
    void menuSave_Click();
    QString askForFile(bool forSaving);
    void keepTypedBreaksHard(int position, int charsAdded);

    LaunchSettings& settings_;
    Platform& platform_;
    QPlainTextEdit* txtText_;
    QMenu* menuFile_;
    QAction* menuNew_;
    QAction* menuOpen_;
    QAction* menuSave_;
    QAction* sep1_;
    QAction* menuClose_;
    LineEnd usual_ = LineEnd::CrLf;
    bool settingDocument_ = false;
};

} // namespace bv
