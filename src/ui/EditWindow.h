#pragma once

#include "EditorText.h"

#include <QMainWindow>

class QAction;
class QMenu;
class QPlainTextEdit;

namespace bv {

class LaunchSettings;
class Platform;

// The config file editor: a plain editor for engine config files, settings scripts
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

    QPlainTextEdit* textBox() const { return textBox_; }
    QAction* newAction() const { return newAction_; }
    QAction* openAction() const { return openAction_; }
    QAction* saveAction() const { return saveAction_; }
    QAction* closeAction() const { return closeAction_; }

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
    void onNewClicked();
    void onOpenClicked();
    void onSaveClicked();
    QString askForFile(bool forSaving);
    void keepTypedBreaksHard(int position, int charsAdded);

    LaunchSettings& settings_;
    Platform& platform_;
    QPlainTextEdit* textBox_;
    QMenu* fileMenu_;
    QAction* newAction_;
    QAction* openAction_;
    QAction* saveAction_;
    QAction* separator_;
    QAction* closeAction_;
    LineEnd usual_ = LineEnd::CrLf;
    bool settingDocument_ = false;
};

} // namespace bv
