#include "CommandInterpreter.h"

#include "CommandTable.h"
#include "ExitSequence.h"
#include "core/Latin1Text.h"
#include "core/Paths.h"
#include "platform/Platform.h"
#include "platform/WindowActions.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace bv {

namespace {

// Font sizes the console can sensibly show.
constexpr double kMinFontSize = 1.0;
constexpr double kMaxFontSize = 512.0;

} // namespace

qsizetype CommandInterpreter::Call::wordLength() const {
    return static_cast<qsizetype>(qstrlen(command.word));
}

bool CommandInterpreter::Call::hasArgument() const {
    return lowered.size() > wordLength();
}

QString CommandInterpreter::Call::argument() const {
    // The word and one separator character, whatever it is; nothing is trimmed.
    return hasArgument() ? (command.keepsCase ? line : lowered).mid(wordLength() + 1) : QString();
}

CommandInterpreter::CommandInterpreter(LaunchSettings& settings, ConsoleOptions& console,
                                       Platform& platform, QObject* parent)
    : QObject(parent), settings_(settings), consoleOptions_(console), platform_(platform) {}

CommandInterpreter::~CommandInterpreter() = default;

void CommandInterpreter::setWindowActions(WindowActions* windows) {
    windows_ = windows;
}

void CommandInterpreter::interpret(const QString& line) {
    ++running_;
    const Status status = run(line);
    // Failures without a reply of their own fail a running script; typed at the console
    // they still deserve a word.
    if (status.failed && !ended_)
        echo(status.reason);
    if (--running_ == 0 && !waiting_.isEmpty())
        interpret(waiting_.takeFirst()); // which takes the rest in turn
}

void CommandInterpreter::interpretWhenIdle(const QString& line) {
    if (running_ > 0)
        waiting_.append(line);
    else
        interpret(line);
}

void CommandInterpreter::setConsoleText(const QString& text) {
    console_ = text;
    Q_EMIT consoleReset();
}

void CommandInterpreter::appendDirect(const QString& text) {
    const QString chunk = QLatin1Char('\n') + text;
    console_.append(chunk);
    Q_EMIT consoleAppended(chunk);
}

void CommandInterpreter::echo(const QString& text) {
    run(QLatin1String("echo ") + text);
}

QString CommandInterpreter::programPath(const QString& name) const {
    return joinPath(platform_.programDirectory(), name);
}

void CommandInterpreter::log(const QString& line) {
    const QString failure = debugLog_.append(line, platform_.programDirectory());
    Q_EMIT debugAppended(QLatin1Char('\n') + line);
    if (!failure.isEmpty())
        appendDirect(failure);
}

CommandInterpreter::Status CommandInterpreter::run(const QString& line) {
    if (ended_)
        return {};
    log(line);
    const QString lowered = lowerAscii(line);
    for (const Command& command : commandTable()) {
        const QLatin1String word(command.word);
        if (!lowered.startsWith(word))
            continue;
        if (command.exact && lowered.size() != word.size())
            break;
        return runCommand({command, line, lowered});
    }
    echo(line);
    echo(QStringLiteral("Command unkown"));
    return {};
}

CommandInterpreter::Status CommandInterpreter::runCommand(const Call& call) {
    switch (call.command.kind) {
    case CommandKind::comment:
        return {};
    case CommandKind::echo:
        appendDirect(call.line.mid(5));
        return {};
    case CommandKind::show:
        return show(call);
    case CommandKind::quietShow:
        return quietShow(call);
    case CommandKind::debug:
        if (windows_)
            windows_->showDebugWindow();
        return {};
    case CommandKind::exec:
        return execScript(call);
    case CommandKind::clearConsole:
        console_.clear();
        Q_EMIT consoleReset();
        return {};
    case CommandKind::about:
        if (windows_)
            windows_->showAboutWindow();
        return {};
    case CommandKind::help:
        return openHelp();
    case CommandKind::message:
        if (call.line.size() < 4)
            return {true, QStringLiteral("msg needs a text to show")};
        platform_.messageBox(call.line.mid(4), true);
        return {};
    case CommandKind::exit:
        exit();
        return {};
    case CommandKind::options:
        if (windows_)
            windows_->showOptionsWindow();
        return {};
    case CommandKind::setDoomPath:
        return setDoomPath(call);
    case CommandKind::value:
    case CommandKind::quietValue:
        return setValue(call);
    case CommandKind::onOff:
    case CommandKind::deathmatch:
        return setSwitch(call);
    case CommandKind::edit:
        if (windows_)
            windows_->showEditWindow();
        return {};
    case CommandKind::updateBots:
        return updateBots();
    case CommandKind::fontSize:
        return setFontSize(call);
    case CommandKind::listCommands:
        return listCommands();
    }
    return {};
}

CommandInterpreter::Status CommandInterpreter::show(const Call& call) {
    echo(call.line);
    if (call.lowered.size() != 6) {
        echo(QStringLiteral("error Show"));
    } else if (call.lowered.back() == QLatin1Char('0')) {
        if (windows_)
            windows_->hideMainWindow();
        appendDirect(QStringLiteral("Unloading Main Dialog"));
    } else if (call.lowered.back() == QLatin1Char('1')) {
        if (windows_)
            windows_->showMainWindow();
        appendDirect(QStringLiteral("Loading Main Dialog"));
    } else {
        echo(QStringLiteral("Show command Error"));
    }
    return {};
}

CommandInterpreter::Status CommandInterpreter::quietShow(const Call& call) {
    if (call.lowered.size() != 10)
        echo(QStringLiteral("error Show"));
    else if (call.lowered.back() == QLatin1Char('0'))
        run(QStringLiteral("exit")); // as closing the main window does
    else if (call.lowered.back() == QLatin1Char('1') && windows_)
        windows_->showMainWindow();
    return {};
}

CommandInterpreter::Status CommandInterpreter::setDoomPath(const Call& call) {
    const QString argument = call.argument();
    if (call.lowered.size() == call.wordLength()) {
        echo(settings_.text(Text::doomDirectory));
    } else if (argument.isEmpty()) {
        echo(QLatin1String(call.command.missing));
    } else {
        settings_.setText(Text::doomDirectory, argument);
        echo(QLatin1String(call.command.done));
    }
    return {};
}

CommandInterpreter::Status CommandInterpreter::setValue(const Call& call) {
    if (!call.hasArgument()) {
        echo(QLatin1String(call.command.missing));
        return {};
    }
    settings_.setText(*call.command.text, call.argument());
    if (call.command.kind == CommandKind::value)
        echo(QLatin1String(call.command.done));
    return {};
}

CommandInterpreter::Status CommandInterpreter::setSwitch(const Call& call) {
    const Command& command = call.command;
    echo(call.line);
    if (call.lowered.size() != command.length) {
        echo(QLatin1String(command.missing));
        return {};
    }
    const QChar value = call.lowered.back();
    const bool deathmatch = command.kind == CommandKind::deathmatch;
    const int highest = deathmatch ? 2 : 1;
    if (value < QLatin1Char('0') || value > QLatin1Char('0' + highest)) {
        echo(QLatin1String(command.badValue));
        return {};
    }
    const int digit = value.unicode() - u'0';
    if (deathmatch)
        settings_.setDm(static_cast<DmOption>(digit));
    else
        settings_.setCheck(*command.check, digit);
    appendDirect(QLatin1String(command.done));
    return {};
}

CommandInterpreter::Status CommandInterpreter::openHelp() {
    const QString page =
        joinPath(programPath(QStringLiteral("help")), QStringLiteral("index.html"));
    // Without a program to show it nothing at all would happen: the player should know.
    if (!platform_.openDocument(page))
        echo(QStringLiteral("Could not open the help page %1: no program to show it was found.")
                 .arg(page));
    return {};
}

CommandInterpreter::Status CommandInterpreter::setFontSize(const Call& call) {
    if (!call.hasArgument()) {
        echo(QLatin1String(call.command.missing));
        return {};
    }
    bool ok = false;
    const double size = call.argument().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(size) || size < kMinFontSize || size > kMaxFontSize)
        return {true, QStringLiteral("Font size must be a number from 1 to 512")};
    if (windows_ && !windows_->setConsoleFontSize(size))
        return {true, QStringLiteral("Font size could not be applied")};
    return {};
}

CommandInterpreter::Status CommandInterpreter::listCommands() {
    echo(QString());
    echo(QStringLiteral("You can use the following commands"));
    echo(QLatin1String(kCommandsList));
    echo(QStringLiteral("Look in the help file for more information"));
    echo(QString());
    return {};
}

CommandInterpreter::Status CommandInterpreter::execScript(const Call& call) {
    echo(call.line);
    auto fail = [this]() {
        echo(QStringLiteral("Could not execute script"));
        return Status{};
    };
    // A script that executes itself twice would branch without end even with the depth
    // bounded, so one command may open only so many scripts in all.
    if (scriptDepth_ == 0)
        scriptsOpened_ = 0;
    if (!call.hasArgument() || scriptDepth_ >= kMaxScriptDepth || scriptsOpened_ >= scriptBudget_)
        return fail();
    const QString name = call.argument();
    const QString path = isCompletePath(name) ? name : programPath(name);
    // Only regular files are scripts: a directory fails, and a device such as /dev/zero
    // would never end.
    if (!QFileInfo(path).isFile())
        return fail();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail();

    ++scriptsOpened_;
    ++scriptDepth_;
    ScriptLineReader reader(file);
    QString scriptLine;
    bool failed = false;
    while (!ended_ && reader.next(scriptLine)) {
        if (run(scriptLine).failed) {
            failed = true;
            break;
        }
    }
    --scriptDepth_;
    file.close();
    if (ended_)
        return {};
    if (failed || reader.failed())
        return fail();
    return {};
}

CommandInterpreter::Status CommandInterpreter::updateBots() {
    const QString folder = joinPath(settings_.text(Text::doomDirectory), QStringLiteral("bots"));
    const QFileInfo info(folder);
    if (!info.exists() || !info.isDir())
        return {};
    if (!info.isReadable() || !info.isExecutable())
        return {true, QStringLiteral("The bots folder %1 cannot be listed").arg(folder)};
    QDir dir(folder);
    dir.setNameFilters({QStringLiteral("*.bot")});
    dir.setFilter(QDir::Files | QDir::Hidden);
    QStringList names;
    for (const QString& name : dir.entryList())
        names.append(name.left(name.size() - 4));
    settings_.addItemsToList(BotList::availableBots, names);
    return {};
}

void CommandInterpreter::exit() {
    if (ended_)
        return;
    // Nothing is interpreted any more, not even while a report of the exit is on screen.
    ended_ = true;
    debugLog_.close();
    runExitSequence(settings_, consoleOptions_,
                    windows_ ? windows_->placement() : WindowPlacement{}, platform_);
}

} // namespace bv
