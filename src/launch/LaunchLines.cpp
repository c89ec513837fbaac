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

QStringList botsToAdd(const QStringList& selectedBots) {
    QStringList bots;
    for (const QString& bot : selectedBots) {
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

QList<EngineItem> legacyEngineItems(const LaunchSettings& settings, bool withOpenGl) {
    const auto text = [&](Text field) { return settings.text(field); };
    const QString demo = text(Text::demoFile);
    using S = EngineSetting;
    const struct {
        bool applies;
        EngineItem item;
    } items[] = {
        {!text(Text::warp).isEmpty(), {S::warp, QStringLiteral("-warp ") + text(Text::warp)}},
        {!text(Text::pwads).isEmpty(), {S::pwads, QStringLiteral("-file ") + text(Text::pwads)}},
        {!text(Text::heap).isEmpty(), {S::heap, QStringLiteral("-mb ") + text(Text::heap)}},
        {settings.checked(Check::threeDfx), {S::threeDfx, QStringLiteral("-3dfx")}},
        {withOpenGl && settings.checked(Check::openGl), {S::openGl, QStringLiteral("-opengl")}},
        {settings.dm() == DmOption::deathmatch, {S::deathmatch, QStringLiteral("-deathmatch")}},
        {settings.dm() == DmOption::altDeath, {S::altDeath, QStringLiteral("-altdeath")}},
        {settings.checked(Check::captureTheFlag), {S::captureTheFlag, QStringLiteral("-ctf")}},
        {!text(Text::extraParameters).isEmpty(), {S::extraParameters, text(Text::extraParameters)}},
        {!text(Text::configFile).isEmpty(),
         {S::configFile, QStringLiteral("-config ") + text(Text::configFile)}},
        {!settings.checked(Check::monsters), {S::monsters, QStringLiteral("-nomonsters")}},
        {settings.checked(Check::recordDemo), {S::recordDemo, QStringLiteral("-record ") + demo}},
        {settings.checked(Check::playDemo), {S::playDemo, QStringLiteral("-playdemo ") + demo}},
    };
    QList<EngineItem> included;
    for (const auto& item : items) {
        if (item.applies)
            included << item.item;
    }
    return included;
}

QStringList itemTexts(const QList<EngineItem>& items) {
    QStringList texts;
    for (const EngineItem& item : items)
        texts << item.text;
    return texts;
}

QStringList engineItems(const LaunchSettings& settings, bool withOpenGl) {
    return itemTexts(legacyEngineItems(settings, withOpenGl));
}

QString engineCommandLine(const QString& executable, const QStringList& items) {
    return (QStringList{executable} + items).join(QLatin1Char(' '));
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
    return lines << engineItems(settings, false);
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
