#pragma once

#include "LaunchLines.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace bv {

class LaunchSettings;

// Engines of one family take the same command line. Doom Legacy's family takes every item;
// an engine whose name the table does not know is taken to be of it.
enum class EngineFamily { legacy, chocolate, boom, mbf, zdoom };

// The engine's name as the family table knows it: the file name of the executable's first
// word, lower-cased, without a final ".exe" (so a Windows build run through wine is known).
QString engineName(const QString& executable);
EngineFamily engineFamily(const QString& name);

// The command line that an engine of its family takes, and what the player is told about
// what it left out of the Doom Legacy line or changed in it (nothing for Doom Legacy's family).
struct EngineLine {
    QString name;
    QList<EngineItem> items;
    QStringList notes;
};
EngineLine engineLine(const LaunchSettings& settings, bool withOpenGl);

// An option word on the engine's command line, and the setting it comes from.
struct OptionSource {
    QString option;
    EngineSetting setting;
};
// The options a launch gave an engine: every word of its items that begins with "-", each
// once, with the setting of its first item.
struct GivenOptions {
    QString engine; // its name, as engineName gives it
    QList<OptionSource> sources;
};
GivenOptions givenOptions(const EngineLine& line);

// When one of the engine's last lines names, as a whole word, an option it was given: which
// setting of which pane that option comes from. Empty when none is named.
QString refusedOptionReply(const GivenOptions& given, const QStringList& lastLines);

} // namespace bv
