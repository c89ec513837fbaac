#include "LaunchLines.h"

#include "settings/LaunchSettings.h"

namespace bv {

namespace {

QString digit(const LaunchSettings& settings, Check field) {
    return QString::number(settings.check(field));
}

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QStringList preferenceLines(const LaunchSettings& settings, bool withAlias) {
    QStringList lines;
    const QString weapons = settings.text(Text::txtWeap);
    if (!weapons.isEmpty())
        lines << QStringLiteral("weaponpref ") + weapons;
    const QString skill = settings.text(Text::txtBotSkill);
    if (!skill.isEmpty())
        lines << QStringLiteral("botskill ") + skill;
    lines << QStringLiteral("gr_crappymlook ") + digit(settings, Check::checkMLOOK);
    // The engine has no command that reads a bot file by itself; the alias gives it one.
    if (withAlias)
        lines << QStringLiteral("alias addbots ") + quoted(QStringLiteral("exec addbots.cfg"));
    lines << QStringLiteral("weapondrop ") + digit(settings, Check::checkWeapD);
    const QString execCfg = settings.text(Text::txtExecCFG);
    if (!execCfg.isEmpty())
        lines << QStringLiteral("exec ") + execCfg;
    return lines;
}

} // namespace

QStringList autoexecLines(const LaunchSettings& settings) {
    return preferenceLines(settings, true);
}

QStringList exportedConfigLines(const LaunchSettings& settings) {
    return preferenceLines(settings, false);
}

QStringList botsToAdd(const QStringList& listUseBots) {
    QStringList bots;
    for (const QString& bot : listUseBots) {
        if (bot.isEmpty())
            break;
        bots << bot;
    }
    return bots;
}

QStringList addbotsLines(const QStringList& bots) {
    QStringList lines;
    for (const QString& bot : bots)
        lines << QStringLiteral("addbot ") + bot << QStringLiteral("wait 100");
    return lines;
}

std::array<EngineItem, kEngineItemCount> engineItems(const LaunchSettings& settings,
                                                     bool withOpenGl) {
    const auto text = [&](Text field) { return settings.text(field); };
    const auto valued = [&](const char* name, Text field) {
        return EngineItem{!text(field).isEmpty(), QLatin1String(name) + text(field)};
    };
    const auto flag = [](bool when, const char* name) {
        return EngineItem{when, QLatin1String(name)};
    };
    const QString demo = text(Text::txtDemoFile);
    return {{
        valued("-warp ", Text::txtWarp),
        valued("-file ", Text::txtPWADS),
        valued("-mb ", Text::txtHeap),
        flag(settings.checked(Check::check3DFX), "-3dfx"),
        flag(withOpenGl && settings.checked(Check::checkGL), "-opengl"),
        flag(settings.dm() == DmOption::optionDM, "-deathmatch"),
        flag(settings.dm() == DmOption::optionDM2, "-altdeath"),
        flag(settings.checked(Check::checkCTF), "-ctf"),
        valued("", Text::txtPar),
        valued("-config ", Text::txtConfigFile),
        flag(!settings.checked(Check::checkMon), "-nomonsters"),
        EngineItem{settings.checked(Check::checkRecDemo), QStringLiteral("-record ") + demo},
        EngineItem{settings.checked(Check::checkPlayDemo), QStringLiteral("-playdemo ") + demo},
    }};
}

QString engineArguments(const LaunchSettings& settings, bool withOpenGl) {
    QString arguments;
    for (const EngineItem& item : engineItems(settings, withOpenGl)) {
        if (item.included)
            arguments += QLatin1Char(' ') + item.text;
    }
    return arguments;
}

QString engineCommandLine(const LaunchSettings& settings, bool withOpenGl) {
    return settings.text(Text::comboEXE) + engineArguments(settings, withOpenGl);
}

FileLines batchFileLines(const QString& doomDirectory, const QString& command) {
    FileLines file;
    file.lines << doomDirectory.left(2);
    if (doomDirectory.size() < 3) {
        file.failure = LaunchError::invalidArgument;
        return file;
    }
    file.lines << QStringLiteral("cd\\") + doomDirectory.mid(3) << command
               << QStringLiteral("@echo Thanks for using Brimvault");
    return file;
}

QStringList hx8ConfigLines(const LaunchSettings& settings, const QStringList& parameterLines) {
    QStringList lines{settings.text(Text::txtComputerName), settings.text(Text::txtComPorts),
                      settings.text(Text::comboEXE)};
    lines << parameterLines;
    for (const EngineItem& item : engineItems(settings, false)) {
        if (item.included)
            lines << item.text;
    }
    return lines;
}

FileLines doomaticConfigLines(const LaunchSettings& settings) {
    FileLines file;
    QStringList& lines = file.lines;
    lines << QStringLiteral("name = ") + quoted(settings.text(Text::txtName))
          << QStringLiteral("color = 1")
          << QStringLiteral("config = ") + quoted(QStringLiteral("default"))
          << QStringLiteral("recorddemo = 0") << QStringLiteral("timer = 15")
          << QStringLiteral("autojoin = 0") << QStringLiteral("alphasort = 1")
          << QStringLiteral("maxdemo = 512") << QStringLiteral("lmpmast = 3")
          << QStringLiteral("pallete = 0")
          << QStringLiteral("addparm = ") + quoted(settings.text(Text::txtMaticPar))
          << QStringLiteral("maxplayers = ") + settings.text(Text::txtMax)
          << QStringLiteral("localparm = ") + quoted(settings.text(Text::txtPar))
          << QStringLiteral("#WADSET") << QStringLiteral("desc = Brimvault");
    // Doomatic has no gametype for the alternative deathmatch, so that game set has none.
    if (settings.dm() == DmOption::optionDM)
        lines << QStringLiteral("gametype = 1");
    else if (settings.dm() == DmOption::optionDMNone)
        lines << QStringLiteral("gametype = 0");
    lines << QStringLiteral("wads = ") + settings.text(Text::txtPWADS)
          << QStringLiteral("map = ") + settings.text(Text::txtWarp);
    const QString exe = settings.text(Text::comboEXE);
    if (exe.size() < 4) {
        file.failure = LaunchError::invalidArgument;
        return file;
    }
    // Doomatic wants the engine's name without its extension.
    lines << QStringLiteral("exe = ") + exe.left(exe.size() - 4);
    return file;
}

} // namespace bv
