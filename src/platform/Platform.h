#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;

namespace bv {

enum class FileDialogKind { Open, Save };

// Flag of the file dialogs that hides the read-only check box.
inline constexpr int kHideReadOnly = 4;

struct FileDialogSpec {
    QString initialDirectory;
    QString fileName;
    // Pairs of description and pattern separated by vertical bars:
    // "Brimvault Config File|*.brv". Several patterns of one entry are separated by ";".
    QString filter;
    int flags = 0;
};

// Why a program could not be started.
enum class StartFailure { None, NotFound, NotExecutable, Other };

// How a watched program ended: with an exit status, or killed by a signal.
struct ProcessEnd {
    bool bySignal = false;
    int number = 0; // the exit status or the signal
};

// Called on the user-interface thread when a watched program has ended. output reads the file
// its output went to, also when a newer start has since put another file under that name
// (outputReplaced); null when its output was not kept.
using ProcessEndHandler =
    std::function<void(const ProcessEnd& end, QIODevice* output, bool outputReplaced)>;

// Everything the logic needs from the host, so that settings/ and launch/ run without
// windows and tests can substitute a recording fake.
class Platform {
public:
    virtual ~Platform() = default;

    // Modal box with one OK button, captioned "Brimvault".
    virtual void messageBox(const QString& text, bool informationIcon) = 0;
    // Modal box with Yes and No, captioned "Brimvault"; true for Yes.
    virtual bool askYesNo(const QString& text) = 0;
    // Returns the chosen full path, or the empty string when the user cancelled.
    virtual QString fileDialog(FileDialogKind kind, const FileDialogSpec& request) = 0;

    // Per-user store under organisation and application "Brimvault".
    virtual QString storeValue(const QString& section, const QString& key,
                               const QString& defaultValue) = 0;
    // False when the value could not be stored.
    virtual bool setStoreValue(const QString& section, const QString& key,
                               const QString& value) = 0;

    // Starts a program detached with a normal window; the process id is not kept.
    virtual StartFailure startProcess(const QString& program, const QStringList& arguments,
                                      const QString& workingDirectory) = 0;
    // Starts a program as startProcess does, but apart from Brimvault (its own session, the
    // default signal handling, no descriptor of Brimvault's), so that it outlives the
    // launcher. Its standard output and error go to a new file that then replaces the one at
    // outputPath; when that file cannot be made, outputProblem says why and the output is
    // discarded. onEnd is called when it ends while Brimvault runs. Where launches run a batch
    // file in a window of its own, this is startProcess.
    virtual StartFailure startWatchedProcess(const QString& program, const QStringList& arguments,
                                             const QString& workingDirectory,
                                             const QString& outputPath, QString& outputProblem,
                                             ProcessEndHandler onEnd) = 0;
    // Hands the console a reply line, as an echo reply, once no command is running.
    virtual void consoleReply(const QString& text) = 0;
    // Opens a document with its associated program; false when no program could show it.
    virtual bool openDocument(const QString& path) = 0;

    virtual QString programDirectory() const = 0;
    // The program's argument text (everything after the program name).
    virtual QString argumentText() const = 0;
    // Ends the program at once; the caller stops doing anything further.
    virtual void quit() = 0;
};

} // namespace bv
