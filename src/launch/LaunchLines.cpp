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
    const QString weapons = settings.text(Text::weaponsOrder);
    if (!weapons.isEmpty())
        lines << QStringLiteral("weaponpref ") + weapons;
    const QString skill = settings.text(Text::botSkill);
    if (!skill.isEmpty())
        lines << QStringLiteral("botskill ") + skill;
    lines << QStringLiteral("gr_crappymlook ") + digit(settings, Check::crappyMouseLook);
    // The engine has no command that reads a bot file by itself; the alias gives it one.
    if (withAlias)
        lines << QStringLiteral("alias addbots ") + quoted(QStringLiteral("exec addbots.cfg"));
    lines << QStringLiteral("weapondrop ") + digit(settings, Check::weaponDrop);
    const QString execCfg = settings.text(Text::customConfig);
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
    const QString demo = text(Text::demoFile);
    return {{
        valued("-warp ", Text::warp),
        valued("-file ", Text::pwads),
        valued("-mb ", Text::heap),
        flag(settings.checked(Check::threeDfx), "-3dfx"),
        flag(withOpenGl && settings.checked(Check::openGl), "-opengl"),
        flag(settings.dm() == DmOption::deathmatch, "-deathmatch"),
        flag(settings.dm() == DmOption::altDeath, "-altdeath"),
        flag(settings.checked(Check::captureTheFlag), "-ctf"),
        valued("", Text::extraParameters),
        valued("-config ", Text::configFile),
        flag(!settings.checked(Check::monsters), "-nomonsters"),
        EngineItem{settings.checked(Check::recordDemo), QStringLiteral("-record ") + demo},
        EngineItem{settings.checked(Check::playDemo), QStringLiteral("-playdemo ") + demo},
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
    return settings.text(Text::executable) + engineArguments(settings, withOpenGl);
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
    QStringList lines{settings.text(Text::computerName), settings.text(Text::comPorts),
                      settings.text(Text::executable)};
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
    lines << QStringLiteral("name = ") + quoted(settings.text(Text::playerName))
          << QStringLiteral("color = 1")
          << QStringLiteral("config = ") + quoted(QStringLiteral("default"))
          << QStringLiteral("recorddemo = 0") << QStringLiteral("timer = 15")
          << QStringLiteral("autojoin = 0") << QStringLiteral("alphasort = 1")
          << QStringLiteral("maxdemo = 512") << QStringLiteral("lmpmast = 3")
          << QStringLiteral("pallete = 0")
          << QStringLiteral("addparm = ") + quoted(settings.text(Text::doomaticParameters))
          << QStringLiteral("maxplayers = ") + settings.text(Text::doomaticMaxPlayers)
          << QStringLiteral("localparm = ") + quoted(settings.text(Text::extraParameters))
          << QStringLiteral("#WADSET") << QStringLiteral("desc = Brimvault");
    // Doomatic has no gametype for the alternative deathmatch, so that game set has none.
    if (settings.dm() == DmOption::deathmatch)
        lines << QStringLiteral("gametype = 1");
    else if (settings.dm() == DmOption::none)
        lines << QStringLiteral("gametype = 0");
    lines << QStringLiteral("wads = ") + settings.text(Text::pwads)
          << QStringLiteral("map = ") + settings.text(Text::warp);
    const QString exe = settings.text(Text::executable);
    if (exe.size() < 4) {
        file.failure = LaunchError::invalidArgument;
        return file;
    }
    // Doomatic wants the engine's name without its extension.
    lines << QStringLiteral("exe = ") + exe.left(exe.size() - 4);
    return file;
}

} // namespace bv
