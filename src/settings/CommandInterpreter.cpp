#include "CommandInterpreter.h"

#include "ColourTheme.h"
#include "SettingsScript.h"
#include "core/AtomicFile.h"
#include "core/Latin1Text.h"
#include "core/Paths.h"
#include "platform/Platform.h"
#include "platform/WindowActions.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <cstdio>

namespace bv {

namespace {

enum class Kind {
    Comment,
    Echo,
    Show,
    ZunShow,
    Debug,
    Exec,
    Cls,
    About,
    Help,
    Msg,
    Exit,
    Options,
    SetDoomPath,
    Value,
    Switch,
    Edit,
    UpdateYbot,
    ZunHelp,
    Quiet,
    ZunFont,
    Commands,
};

#ifdef Q_OS_WIN
constexpr bool kPathCase = false; // file names ignore case: store lower-cased as always
#else
constexpr bool kPathCase = true; // file names respect case: keep the argument's case
#endif

constexpr int kDm = -1; // switch target: the deathmatch option group

} // namespace

struct CommandRow {
    const char* word;
    Kind kind;
    bool exact = false;
    int target = 0;         // Text for value and quiet commands, Check (or kDm) for switches
    bool keepCase = false;  // a path value, stored with its case on hosts that respect it
    const char* ok = "";    // success reply
    const char* error = ""; // argument missing, or a switch of the wrong length
    const char* bad = "";   // a switch's bad value
    int length = 0;         // a switch's required line length
};

namespace {

using Row = CommandRow;

constexpr int t(Text f) {
    return static_cast<int>(f);
}
constexpr int c(Check f) {
    return static_cast<int>(f);
}

// Matching order decides between words that share a beginning ("exec", "exit", "exe").
const Row kCommands[] = {
    {"// ", Kind::Comment},
    {"echo", Kind::Echo},
    {"show", Kind::Show},
    {"zun_show", Kind::ZunShow},
    {"debug", Kind::Debug},
    {"exec", Kind::Exec, false, 0, kPathCase},
    {"cls", Kind::Cls, true},
    {"about", Kind::About, true},
    {"help", Kind::Help, true},
    {"msg", Kind::Msg},
    {"exit", Kind::Exit, true},
    {"options", Kind::Options, true},
    {"setdoompath", Kind::SetDoomPath, false, t(Text::doomDirectory), kPathCase, "Doom path set",
     "setdoompath error"},
    {"exe", Kind::Value, false, t(Text::executable), kPathCase, "EXE Set", "EXE command error"},
    {"warp", Kind::Value, false, t(Text::warp), false, "Warp Set", "Warp command error"},
    {"files", Kind::Value, false, t(Text::pwads), kPathCase, "Files Set", "Files command error"},
    {"heap", Kind::Value, false, t(Text::heap), false, "Heap Set", "Heap command error"},
    {"width", Kind::Value, false, t(Text::width), false, "Width Set", "Width command error"},
    {"height", Kind::Value, false, t(Text::height), false, "Height Set", "Height command error"},
    {"par", Kind::Value, false, t(Text::extraParameters), kPathCase, "Extra Parameters Set",
     "Extra Parameters command error"},
    {"name", Kind::Value, false, t(Text::playerName), false, "Name Set", "Name command error"},
    {"weaponpref", Kind::Value, false, t(Text::weaponsOrder), false, "Preferred Weapons Order Set",
     "Preferred Weapons Order command error"},
    {"botskill", Kind::Value, false, t(Text::botSkill), false, "Bot Skill Set",
     "Botskill command error"},
    {"gr_crappymlook", Kind::Switch, false, c(Check::crappyMouseLook), false, "gr_crappymlook set",
     "gr_crappymlook command Error", "gr_crappymlook command Error", 16},
    {"3dfx", Kind::Switch, false, c(Check::threeDfx), false, "3dfx set", "error 3DFX",
     "3DFX command Error", 6},
    {"ctf", Kind::Switch, false, c(Check::captureTheFlag), false, "CTF set", "error CTF",
     "CTF command Error", 5},
    {"dm", Kind::Switch, false, kDm, false, "DM set", "error DM", "DM command Error", 4},
    {"hx8_computername", Kind::Value, false, t(Text::computerName), false, "HX8 Computer Name Set",
     "hx8_computername command error"},
    {"hx8_comports", Kind::Value, false, t(Text::comPorts), false, "HX8 COM Ports Set",
     "hx8_comports command error"},
    {"hx8_pars", Kind::Value, false, t(Text::hx8ParameterFile), kPathCase, "HX8 Parameter File Set",
     "hx8_pars command error"},
    {"edit", Kind::Edit, true},
    {"update_ybot", Kind::UpdateYbot, true},
    {"custom_config", Kind::Value, false, t(Text::customConfig), kPathCase,
     "Custom Config File Set", "custom_config command error"},
    {"doomatic_max", Kind::Value, false, t(Text::doomaticMaxPlayers), false,
     "Doomatic Max Players Set", "doomatic_max command error"},
    {"doomatic_par", Kind::Value, false, t(Text::doomaticParameters), kPathCase,
     "Doomatic Parameters Set", "doomatic_par command error"},
    {"config_file", Kind::Value, false, t(Text::configFile), kPathCase, "Config File Set",
     "config_file command error"},
    {"monsters", Kind::Switch, false, c(Check::monsters), false, "monsters set", "error Monsters",
     "Monsters command Error", 10},
    {"weapondrop", Kind::Switch, false, c(Check::weaponDrop), false, "weapondrop  set",
     "error weapondrop", "weapondrop command Error", 12},
    {"gl", Kind::Switch, false, c(Check::openGl), false, "GL set", "error GL", "GL command Error",
     4},
    {"zun_help", Kind::ZunHelp},
    {"zun_exe", Kind::Quiet, false, t(Text::executable), kPathCase, "", "EXE command error"},
    {"zun_warp", Kind::Quiet, false, t(Text::warp), false, "", "Warp command error"},
    {"zun_files", Kind::Quiet, false, t(Text::pwads), kPathCase, "", "Files command error"},
    {"zun_heap", Kind::Quiet, false, t(Text::heap), false, "", "Heap command error"},
    {"zun_width", Kind::Quiet, false, t(Text::width), false, "", "Width command error"},
    {"zun_height", Kind::Quiet, false, t(Text::height), false, "", "Height command error"},
    {"zun_par", Kind::Quiet, false, t(Text::extraParameters), kPathCase, "",
     "Extra Parameters command error"},
    {"zun_font", Kind::ZunFont, false, 0, false, "", "Font Size command error"},
    {"commands", Kind::Commands, true},
};

constexpr const char* kCommandsList =
    "echo show exec cls about msg exit options exe warp files heap width height par weaponpref "
    "setdoompath botskill gr_crappymlook 3dfx ctf dm name help hx8_computername hx8_comports "
    "hx8_pars";

// Font sizes the console can sensibly show.
constexpr double kMinFontSize = 1.0;
constexpr double kMaxFontSize = 512.0;

} // namespace

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
    const QString chunk = QLatin1Char('\n') + line;
    debugLog_.append(chunk);
    Q_EMIT debugAppended(chunk);
    writeDebugFile(chunk);
}

void CommandInterpreter::writeDebugFile(const QString& chunk) {
    if (debugFileFailed_)
        return;
    // The file always holds the whole log: it starts empty with the run and grows by
    // appending, so the cost of a line does not grow with the log. Each line goes to the
    // system as it is logged, unbuffered, so that the file shows what ran even while a
    // message box holds a script or after the program was killed half way through one.
    QString why;
    if (!debugFile_.isOpen()) {
        debugFile_.setFileName(programPath(QStringLiteral("debug.txt")));
        // Opening a named pipe that nobody reads would hold the first command for good.
        const QFileInfo existing(debugFile_.fileName());
        if (existing.exists() && !existing.isFile())
            why = QStringLiteral("it is not a file");
        else if (!debugFile_.open(QIODevice::WriteOnly | QIODevice::Truncate |
                                  QIODevice::Unbuffered))
            why = debugFile_.errorString();
    }
    if (why.isEmpty()) {
        const QByteArray bytes = toLatin1Lossy(chunk);
        if (debugFile_.write(bytes) != bytes.size())
            why = debugFile_.errorString();
    }
    if (!why.isEmpty())
        debugFileFailed(why);
}

void CommandInterpreter::debugFileFailed(QString why) {
    // A write that stops part way carries no reason of its own, only the generic text.
    if (why == QFile().errorString())
        why = QStringLiteral("only part of it could be written (the disk may be full)");
    debugFileFailed_ = true;
    debugFile_.close();
    appendDirect(QStringLiteral("debug.txt could not be written (%1); the debug log goes on "
                                "in the debug window only.")
                     .arg(why));
}

CommandInterpreter::Status CommandInterpreter::run(const QString& line) {
    if (ended_)
        return {};
    log(line);
    const QString lowered = lowerAscii(line);
    for (const CommandRow& row : kCommands) {
        const QLatin1String word(row.word);
        if (!lowered.startsWith(word))
            continue;
        if (row.exact && lowered.size() != word.size())
            break;
        return runRow(row, line, lowered);
    }
    echo(line);
    echo(QStringLiteral("Command unkown"));
    return {};
}

CommandInterpreter::Status CommandInterpreter::runRow(const CommandRow& row, const QString& line,
                                                      const QString& lowered) {
    const qsizetype k = qstrlen(row.word);
    const bool hasArgument = lowered.size() >= k + 1;
    // The word and one separator character, whatever it is; nothing is trimmed.
    const QString argument = hasArgument ? (row.keepCase ? line : lowered).mid(k + 1) : QString();

    switch (row.kind) {
    case Kind::Comment:
        return {};
    case Kind::Echo: {
        const QString chunk = QLatin1Char('\n') + line.mid(5);
        console_.append(chunk);
        Q_EMIT consoleAppended(chunk);
        return {};
    }
    case Kind::Show:
        echo(line);
        if (lowered.size() != 6) {
            echo(QStringLiteral("error Show"));
        } else if (lowered.back() == QLatin1Char('0')) {
            if (windows_)
                windows_->hideMainWindow();
            appendDirect(QStringLiteral("Unloading Main Dialog"));
        } else if (lowered.back() == QLatin1Char('1')) {
            if (windows_)
                windows_->showMainWindow();
            appendDirect(QStringLiteral("Loading Main Dialog"));
        } else {
            echo(QStringLiteral("Show command Error"));
        }
        return {};
    case Kind::ZunShow:
        if (lowered.size() != 10)
            echo(QStringLiteral("error Show"));
        else if (lowered.back() == QLatin1Char('0'))
            run(QStringLiteral("exit")); // closing the main window sends exit
        else if (lowered.back() == QLatin1Char('1') && windows_)
            windows_->showMainWindow();
        return {};
    case Kind::Debug:
        if (windows_)
            windows_->showDebugWindow();
        return {};
    case Kind::Exec:
        return execScript(line, lowered, row.keepCase);
    case Kind::Cls:
        console_.clear();
        Q_EMIT consoleReset();
        return {};
    case Kind::About:
        if (windows_)
            windows_->showAboutWindow();
        return {};
    case Kind::Help:
    case Kind::ZunHelp: {
        const QString page =
            joinPath(programPath(QStringLiteral("help")), QStringLiteral("index.html"));
        // Without a program to show it nothing at all would happen: the player should know.
        if (!platform_.openDocument(page))
            echo(QStringLiteral("Could not open the help page %1: no program to show it was found.")
                     .arg(page));
        return {};
    }
    case Kind::Msg:
        if (line.size() < 4)
            return {true, QStringLiteral("msg needs a text to show")};
        platform_.messageBox(line.mid(4), true);
        return {};
    case Kind::Exit:
        runExitSequence();
        return {};
    case Kind::Options:
        if (windows_)
            windows_->showOptionsWindow();
        return {};
    case Kind::SetDoomPath:
        if (lowered.size() == k) {
            echo(settings_.text(Text::doomDirectory));
        } else if (argument.isEmpty()) {
            echo(QLatin1String(row.error));
        } else {
            settings_.setText(Text::doomDirectory, argument);
            echo(QLatin1String(row.ok));
        }
        return {};
    case Kind::Value:
    case Kind::Quiet:
        if (!hasArgument) {
            echo(QLatin1String(row.error));
            return {};
        }
        settings_.setText(static_cast<Text>(row.target), argument);
        if (row.kind == Kind::Value)
            echo(QLatin1String(row.ok));
        return {};
    case Kind::Switch: {
        echo(line);
        if (lowered.size() != row.length) {
            echo(QLatin1String(row.error));
            return {};
        }
        const QChar value = lowered.back();
        const int maxDigit = row.target == kDm ? 2 : 1;
        if (value < QLatin1Char('0') || value > QLatin1Char('0' + maxDigit)) {
            echo(QLatin1String(row.bad));
            return {};
        }
        const int digit = value.unicode() - u'0';
        if (row.target == kDm)
            settings_.setDm(static_cast<DmOption>(digit));
        else
            settings_.setCheck(static_cast<Check>(row.target), digit);
        appendDirect(QLatin1String(row.ok));
        return {};
    }
    case Kind::Edit:
        if (windows_)
            windows_->showEditWindow();
        return {};
    case Kind::UpdateYbot:
        return updateBots();
    case Kind::ZunFont: {
        if (!hasArgument) {
            echo(QLatin1String(row.error));
            return {};
        }
        bool ok = false;
        const double size = argument.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(size) || size < kMinFontSize || size > kMaxFontSize)
            return {true, QStringLiteral("Font size must be a number from 1 to 512")};
        if (windows_ && !windows_->setConsoleFontSize(size))
            return {true, QStringLiteral("Font size could not be applied")};
        return {};
    }
    case Kind::Commands:
        echo(QString());
        echo(QStringLiteral("You can use the following commands"));
        echo(QLatin1String(kCommandsList));
        echo(QStringLiteral("Look in the help file for more information"));
        echo(QString());
        return {};
    }
    return {};
}

CommandInterpreter::Status CommandInterpreter::execScript(const QString& line,
                                                          const QString& lowered, bool keepCase) {
    echo(line);
    auto fail = [this]() {
        echo(QStringLiteral("Could not execute script"));
        return Status{};
    };
    // A script that executes itself twice would branch without end even with the depth
    // bounded, so one command may open only so many scripts in all.
    if (scriptDepth_ == 0)
        scriptsOpened_ = 0;
    if (lowered.size() < 5 || scriptDepth_ >= kMaxScriptDepth || scriptsOpened_ >= scriptBudget_)
        return fail();
    const QString name = (keepCase ? line : lowered).mid(5);
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

void CommandInterpreter::runExitSequence() {
    if (ended_)
        return;
    // Nothing is interpreted any more, not even while the report below is on screen.
    ended_ = true;
    QStringList failures;
    const QString configPath = programPath(QStringLiteral("config.brv"));
    const WriteResult config = writeSettingsScript(configPath, settings_);
    if (!config.ok)
        failures << QStringLiteral("%1 could not be written: %2").arg(configPath, config.message);

    const WindowPlacement placement = windows_ ? windows_->placement() : WindowPlacement{};
    const QString window = QStringLiteral("Window Settings");
    const QString console = QStringLiteral("Console Settings");
    const struct {
        const QString& section;
        const char* key;
        QString value;
    } values[] = {
        {window, "MainTop", QString::number(placement.mainTop)},
        {window, "MainLeft", QString::number(placement.mainLeft)},
        {window, "ConTop", QString::number(placement.consoleTop)},
        {window, "ConLeft", QString::number(placement.consoleLeft)},
        {console, "Docking", QString::number(consoleOptions_.docked())},
        {console, "Show",
         placement.consoleShown ? QStringLiteral("True") : QStringLiteral("False")},
    };
    for (const auto& v : values) {
        if (!platform_.setStoreValue(v.section, QLatin1String(v.key), v.value))
            failures << QStringLiteral("%1/%2 could not be stored in the per-user settings")
                            .arg(v.section, QLatin1String(v.key));
    }

    const QString colourPath = programPath(QStringLiteral("colour.brc"));
    const WriteResult colours =
        writeFileAtomically(colourPath, colourThemeBytes(consoleOptions_.values()));
    if (!colours.ok)
        failures << QStringLiteral("%1 could not be written: %2").arg(colourPath, colours.message);

    debugFile_.close();
    // The user would otherwise find the old settings at the next start without knowing why.
    // The program still ends once the report is read.
    if (!failures.isEmpty()) {
        const QString report =
            QStringLiteral("Brimvault could not save everything before ending. A file that could "
                           "not be written keeps its earlier contents.\n\n") +
            failures.join(QLatin1Char('\n'));
        std::fprintf(stderr, "Brimvault: %s\n", qPrintable(report));
        platform_.messageBox(report, false);
    }
    platform_.quit();
}

} // namespace bv
