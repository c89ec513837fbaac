#include "ShownText.h"

namespace bv {

namespace {

// Leaves room for the note within the limit, so a cut line is never cut again.
constexpr qsizetype kKept = kShownLineLimit - 384;

} // namespace

QString shownText(const QString& text) {
    QString shown;
    bool cutting = false; // until the first long line the text itself is the answer
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        const qsizetype length = end - start;
        if (length > kShownLineLimit && !cutting) {
            cutting = true;
            shown = text.left(start);
        }
        if (cutting) {
            if (length > kShownLineLimit) {
                shown.append(QStringView(text).mid(start, kKept));
                shown.append(
                    QStringLiteral(" [... %1 more characters not shown]").arg(length - kKept));
            } else {
                shown.append(QStringView(text).mid(start, length));
            }
            if (end < text.size())
                shown.append(QLatin1Char('\n'));
        }
        start = end + 1;
    }
    return cutting ? shown : text;
}

} // namespace bv
