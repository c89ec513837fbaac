#include "StartupStyle.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyleOption>

namespace bv {

namespace {

// A double chevron, like the one it stands in for, pointing right or down. It is drawn only
// when it is shown, which a window of fixed size never does, so the menu bar's start pays
// for no painting.
class ChevronEngine : public QIconEngine {
public:
    ChevronEngine(bool down, const QColor& colour) : down_(down), colour_(colour) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 16.0, rect.height() / 16.0);
        painter->setPen(QPen(colour_, 1.5));
        for (const int offset : {3, 8}) {
            QPointF points[] = {{offset + 0.0, 4.0}, {offset + 4.0, 8.0}, {offset + 0.0, 12.0}};
            if (down_) {
                for (QPointF& point : points)
                    point = {point.y(), point.x()};
            }
            painter->drawPolyline(points, 3);
        }
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {QSize(16, 16)}; }

    QIconEngine* clone() const override { return new ChevronEngine(down_, colour_); }

private:
    bool down_;
    QColor colour_;
};

} // namespace

QIcon StartupStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const {
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton) {
        const QColor colour =
            option ? option->palette.color(QPalette::ButtonText) : QColor(Qt::black);
        return QIcon(new ChevronEngine(icon == SP_ToolBarVerticalExtensionButton, colour));
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

} // namespace bv
