#pragma once

#include "platform/Platform.h"

#include <memory>

namespace bv {

class ProcessWatcher;

// Converts a filter of description and pattern pairs ("A|*.a|B|*.b;*.c") into the form of
// the toolkit's file dialogs ("A (*.a);;B (*.b *.c)").
QString toDialogFilter(const QString& filter);

// The path a save dialog returns: a file name without any dot gets the extension of the
// selected filter entry ("Colour Themes (*.brc)" gives ".brc"), so that the file shows up
// under that filter when it is opened again. An entry of several patterns takes the first;
// one that matches anything ("*", "*.*") adds nothing; a name with a dot stays as typed.
QString withFilterExtension(const QString& path, const QString& selectedFilter);

class QtPlatform : public Platform {
public:
    explicit QtPlatform(QString programDirectory);
    ~QtPlatform() override;

    void messageBox(const QString& text, bool informationIcon) override;
    bool askYesNo(const QString& text) override;
    QString fileDialog(FileDialogKind kind, const FileDialogSpec& request) override;
    QString storeValue(const QString& section, const QString& key,
                       const QString& defaultValue) override;
    bool setStoreValue(const QString& section, const QString& key, const QString& value) override;
    StartFailure startProcess(const QString& program, const QStringList& arguments,
                              const QString& workingDirectory) override;
    StartFailure startWatchedProcess(const QString& program, const QStringList& arguments,
                                     const QString& workingDirectory, const QString& outputPath,
                                     QString& outputProblem, ProcessEndHandler onEnd) override;
    void consoleReply(const QString& text) override;
    // Where consoleReply hands its lines: the window layer connects the interpreter.
    void setConsoleReplies(std::function<void(const QString&)> replies);
    bool openDocument(const QString& path) override;
    QString programDirectory() const override { return programDirectory_; }
    QString argumentText() const override;
    void quit() override;

private:
    QString programDirectory_;
    std::function<void(const QString&)> consoleReplies_;
#ifdef Q_OS_UNIX
    std::unique_ptr<ProcessWatcher> watcher_;
#endif
};

} // namespace bv
