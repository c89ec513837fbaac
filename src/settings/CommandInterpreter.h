#pragma once

#include "DebugLog.h"
#include "LaunchSettings.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace bv {

class Platform;
class WindowActions;
struct Command;

// Turns one console command into its action and replies. Replies go to the console output
// held here (the windows show it through the signals); every line handed in is logged.
class CommandInterpreter : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxScriptDepth = 64;
    // Scripts one command may open in all, nested ones included.
    static constexpr int kDefaultScriptBudget = 10000;

    CommandInterpreter(LaunchSettings& settings, ConsoleOptions& console, Platform& platform,
                       QObject* parent = nullptr);
    ~CommandInterpreter() override;

    // Windows come later than the interpreter; until then window commands do nothing.
    void setWindowActions(WindowActions* windows);

    // Runs one console command, as typed at the console or sent by a menu entry.
    void interpret(const QString& line);
    // Runs a command that arrives on its own, such as the news that a game has ended: at once
    // when no command is running, else once the running one (with its scripts and message
    // boxes) has ended, in the order they came.
    void interpretWhenIdle(const QString& line);

    const QString& consoleText() const { return console_; }
    // Used when the console window is rebuilt: puts back what it showed.
    void setConsoleText(const QString& text);
    // A direct reply: appended to the console without passing through the log.
    void appendDirect(const QString& text);
    const QString& debugLog() const { return debugLog_.text(); }

    // True once the exit sequence has run; nothing is interpreted any more.
    bool ended() const { return ended_; }

    void setScriptBudget(int scripts) { scriptBudget_ = scripts; }

Q_SIGNALS:
    // A chunk appended to the console output: a line feed and the reply text.
    void consoleAppended(const QString& chunk);
    void consoleReset();
    // A chunk appended to the debug log: a line feed and the logged line.
    void debugAppended(const QString& chunk);

private:
    struct Status {
        bool failed = false; // failed without a reply of its own
        QString reason;      // what the console says when no script is running
    };
    // A command and the two forms of its line.
    struct Call {
        const Command& command;
        const QString& line;    // as given
        const QString& lowered; // A to Z lower-cased
        qsizetype wordLength() const;
        bool hasArgument() const;
        QString argument() const;
    };

    Status run(const QString& line);
    Status runCommand(const Call& call);
    Status show(const Call& call);
    Status quietShow(const Call& call);
    Status setDoomPath(const Call& call);
    Status setValue(const Call& call);
    Status setSwitch(const Call& call);
    Status openHelp();
    Status setFontSize(const Call& call);
    Status listCommands();
    Status execScript(const Call& call);
    Status updateBots();
    void exit();
    void echo(const QString& text);
    void log(const QString& line);
    QString programPath(const QString& name) const;

    LaunchSettings& settings_;
    ConsoleOptions& consoleOptions_;
    Platform& platform_;
    WindowActions* windows_ = nullptr;
    QString console_;
    DebugLog debugLog_;
    int scriptDepth_ = 0;
    int scriptsOpened_ = 0;
    int scriptBudget_ = kDefaultScriptBudget;
    int running_ = 0; // commands under way: more than one while a message box holds one
    QStringList waiting_;
    bool ended_ = false;
};

} // namespace bv
