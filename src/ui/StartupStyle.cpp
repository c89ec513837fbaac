#include "StartupStyle.h"

#include <QPainter>
#include <QPixmap>
#include <QStyleOption>

namespace bv {

namespace {

// A double chevron, like the one it stands in for, pointing right or down.
QIcon chevronIcon(bool down, const QColor& colour) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 1.5));
    for (const int offset : {3, 8}) {
        const QPointF points[] = {{offset + 0.0, 4.0}, {offset + 4.0, 8.0}, {offset + 0.0, 12.0}};
        if (down) {
            const QPointF turned[] = {{points[0].y(), points[0].x()},
                                      {points[1].y(), points[1].x()},
                                      {points[2].y(), points[2].x()}};
            painter.drawPolyline(turned, 3);
        } else {
            painter.drawPolyline(points, 3);
        }
    }
    return QIcon(pixmap);
}

} // namespace

QIcon StartupStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const {
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton) {
        const QColor colour =
            option ? option->palette.color(QPalette::ButtonText) : QColor(Qt::black);
        return chevronIcon(icon == SP_ToolBarVerticalExtensionButton, colour);
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

} // namespace bv
