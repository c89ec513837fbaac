#include "EngineFamilies.h"

#include "settings/LaunchSettings.h"

#include <QRegularExpression>

#include <array>
#include <optional>

namespace bv {

namespace {

struct KnownName {
    const char* name = nullptr;
    // The compatibility level a demo is recorded at, where the engine refuses to record
    // without one: its latest. 0 where the engine records as Doom Legacy does.
    int recordLevel = 0;
};

// Every family but Doom Legacy's: what sets it apart is whether it takes a heap size. None of
// them takes 3DFX, OpenGL or CTF, and each wants a number after -warp.
struct FamilyRow {
    EngineFamily family;
    bool takesHeap;
    std::array<KnownName, 7> names;
};

constexpr FamilyRow kFamilies[] = {
    // clang-format off
    {EngineFamily::chocolate, true, {{{"chocolate-doom"}, {"crispy-doom"}, {"doomretro"}}}},
    {EngineFamily::boom, false, {{{"dsda-doom", 21}, {"prboom-plus", 17}, {"glboom-plus", 17},
                                  {"prboom", 17}, {"glboom", 17}}}},
    {EngineFamily::mbf, false, {{{"woof"}, {"nugget-doom"}, {"cherry-doom"}, {"eternity"}}}},
    {EngineFamily::zdoom, false, {{{"gzdoom"}, {"lzdoom"}, {"uzdoom"}, {"vkdoom"}, {"zdoom"},
                                   {"zandronum"}, {"odamex"}}}},
    // clang-format on
};

// Where the player sets each item, as the main window names the setting and its pane; in the
// order of EngineSetting.
constexpr struct {
    const char* label;
    const char* pane;
} kSettingPlaces[] = {
    {"Warp", "General"},
    {"PWADs and Patches", "General"},
    {"Heap Size", "Advanced"},
    {"3DFX Enabled", "General"},
    {"Open GL Enabled", "General"},
    {"Orignal Deathmatch", "Multiplayer"},
    {"Deathmatch 2.0", "Multiplayer"},
    {"CTF", "DoomBot"},
    {"Extra Parameters", "Advanced"},
    {"Config File", "Advanced"},
    {"Monsters", "Multiplayer"},
    {"Record Demo", "Demo"},
    {"Play Demo", "Demo"},
};
static_assert(std::size(kSettingPlaces) == static_cast<size_t>(EngineSetting::playDemo) + 1);

struct Known {
    const FamilyRow* row = nullptr;
    KnownName name;
};

Known lookUp(const QString& name) {
    for (const FamilyRow& row : kFamilies) {
        for (const KnownName& known : row.names) {
            if (known.name && name == QLatin1String(known.name))
                return {&row, known};
        }
    }
    return {};
}

QStringList words(const QString& text) {
    return text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The level as a number: "map07" is 07, "e2m3" is 2 3, digits and blanks stay as they are.
std::optional<QString> warpNumber(const QString& warp) {
    static const QRegularExpression map(QStringLiteral("^map(\\d+)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression episode(QStringLiteral("^e(\\d+)m(\\d+)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression numbers(QStringLiteral("^[0-9 ]*[0-9][0-9 ]*$"));
    if (const auto found = map.match(warp); found.hasMatch())
        return found.captured(1);
    if (const auto found = episode.match(warp); found.hasMatch())
        return found.captured(1) + QLatin1Char(' ') + found.captured(2);
    if (numbers.match(warp).hasMatch())
        return warp;
    return std::nullopt;
}

// The item as the engine takes it, or nothing when it does not take it.
std::optional<QString> adapted(const EngineItem& item, const Known& engine,
                               const LaunchSettings& settings) {
    switch (item.setting) {
    case EngineSetting::heap:
        return engine.row->takesHeap ? std::optional(item.text) : std::nullopt;
    case EngineSetting::threeDfx:
    case EngineSetting::openGl:
    case EngineSetting::captureTheFlag:
        return std::nullopt;
    case EngineSetting::warp:
        if (const auto number = warpNumber(settings.text(Text::warp)))
            return QStringLiteral("-warp ") + *number;
        return std::nullopt;
    case EngineSetting::recordDemo:
        if (engine.name.recordLevel != 0 &&
            !words(settings.text(Text::extraParameters))
                 .contains(QStringLiteral("-complevel"), Qt::CaseInsensitive))
            return item.text + QStringLiteral(" -complevel ") +
                   QString::number(engine.name.recordLevel);
        return item.text;
    default:
        return item.text;
    }
}

bool isWordEdge(const QString& line, qsizetype at) {
    return at < 0 || at >= line.size() || !line.at(at).isLetterOrNumber();
}

// Where the word stands whole in the line first, or -1.
qsizetype wordPosition(const QString& line, const QString& word) {
    for (qsizetype at = line.indexOf(word); at >= 0; at = line.indexOf(word, at + 1)) {
        if (isWordEdge(line, at - 1) && isWordEdge(line, at + word.size()))
            return at;
    }
    return -1;
}

} // namespace

QString engineName(const QString& executable) {
    QString name = words(executable).value(0);
    name = name.mid(
        std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\'))) + 1);
    name = name.toLower();
    if (name.endsWith(QLatin1String(".exe")))
        name.chop(4);
    return name;
}

EngineFamily engineFamily(const QString& name) {
    const Known known = lookUp(name);
    return known.row ? known.row->family : EngineFamily::legacy;
}

EngineLine engineLine(const LaunchSettings& settings, bool withOpenGl) {
    EngineLine line;
    line.name = engineName(settings.text(Text::executable));
    const QList<EngineItem> documented = legacyEngineItems(settings, withOpenGl);
    const Known engine = lookUp(line.name);
    if (!engine.row) {
        line.items = documented;
        return line;
    }
    QStringList leftOut, changed;
    for (const EngineItem& item : documented) {
        const std::optional<QString> taken = adapted(item, engine, settings);
        if (!taken) {
            leftOut << item.text;
            continue;
        }
        if (*taken != item.text)
            changed << QStringLiteral("For %1, %2 became %3").arg(line.name, item.text, *taken);
        line.items << EngineItem{item.setting, *taken};
    }
    if (!leftOut.isEmpty())
        line.notes << QStringLiteral("Left out for %1, which does not take them: %2")
                          .arg(line.name, leftOut.join(QLatin1Char(' ')));
    line.notes << changed;
    return line;
}

GivenOptions givenOptions(const EngineLine& line) {
    GivenOptions given{line.name, {}};
    QStringList seen;
    for (const EngineItem& item : line.items) {
        for (const QString& word : words(item.text)) {
            if (word.size() > 1 && word.startsWith(QLatin1Char('-')) && !seen.contains(word)) {
                seen << word;
                given.sources << OptionSource{word, item.setting};
            }
        }
    }
    return given;
}

QString refusedOptionReply(const GivenOptions& given, const QStringList& lastLines) {
    for (const QString& line : lastLines) {
        const OptionSource* first = nullptr;
        qsizetype firstAt = line.size();
        for (const OptionSource& source : given.sources) {
            const qsizetype at = wordPosition(line, source.option);
            if (at >= 0 && at < firstAt) {
                first = &source;
                firstAt = at;
            }
        }
        if (first) {
            const auto& place = kSettingPlaces[static_cast<size_t>(first->setting)];
            return QStringLiteral("%1 did not take %2, which comes from %3 in the %4 pane.")
                .arg(given.engine, first->option, QLatin1String(place.label),
                     QLatin1String(place.pane));
        }
    }
    return QString();
}

} // namespace bv
