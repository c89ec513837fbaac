#pragma once

#include <QProxyStyle>

namespace bv {

// The platform's own style, except for the menu bar's overflow chevron. Qt loads that icon
// from a PNG while the menu bar is built, and working out the PNG's format loads every image
// format plugin: a cost paid before the main window can show, for a button that a window of
// fixed size never shows.
class StartupStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace bv
