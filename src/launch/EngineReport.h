#pragma once

#include "EngineFamilies.h"

#include "platform/Platform.h"

#include <QString>
#include <QStringList>

class QIODevice;

namespace bv {

// What the console says when an engine that a launch started has ended badly.
inline constexpr int kReportedOutputLines = 10;
inline constexpr int kReportedLineLength = 200;

// The last lines that a program wrote, oldest first, as the player can read them: Latin-1;
// LF, CR LF and a lone CR each end a line, and a last line without an end counts; blank
// lines and wine's own diagnostics are left out; control bytes show as "?"; a line is cut
// after kReportedLineLength characters. Read from the end of the output, so the memory used
// does not grow with its size.
QStringList lastOutputLines(QIODevice& output, int count = kReportedOutputLines);

// The system's English description of a signal, as "Segmentation fault".
QString signalDescription(int signal);

// The replies for an engine that ended: nothing for status 0; otherwise how it ended, its last
// lines, where the rest is, unless a newer launch has replaced that file, and the setting
// behind an option given to it that those lines name.
QStringList engineEndReplies(const QString& name, const ProcessEnd& end, QIODevice* output,
                             bool outputReplaced, const GivenOptions& given = {});

// The text that says the engine's output could not be kept.
QString outputNotKeptReply(const QString& problem);

} // namespace bv
