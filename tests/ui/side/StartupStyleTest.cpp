#include "ui/StartupStyle.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>

using namespace bv;

namespace {

// Whether any image format plugin is mapped into this process.
std::optional<bool> imagePluginLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return std::nullopt;
    return maps.readAll().contains("/imageformats/");
}

} // namespace

class StartupStyleTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setStyle(new StartupStyle); }

    // Must run first: once a plugin is loaded it stays loaded.
    void buildingTheMenuBarLoadsNoImagePlugin() {
        const std::optional<bool> before = imagePluginLoaded();
        if (!before)
            QSKIP("this system does not list the libraries of a process");
        QVERIFY(!*before);
        QMainWindow window;
        window.menuBar()->addMenu(QStringLiteral("&File"));
        QVERIFY(!*imagePluginLoaded());
    }

    void chevronsAreDrawnAndOtherIconsComeFromTheStyle() {
        QStyle* style = QApplication::style();
        for (const auto which : {QStyle::SP_ToolBarHorizontalExtensionButton,
                                 QStyle::SP_ToolBarVerticalExtensionButton}) {
            const QIcon icon = style->standardIcon(which);
            QVERIFY(!icon.isNull());
            QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(16, 16)});
        }
        // Drawn on demand, at any size, and the two directions differ.
        const QImage right = style->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton)
                                 .pixmap(32, 32)
                                 .toImage();
        const QImage down =
            style->standardIcon(QStyle::SP_ToolBarVerticalExtensionButton).pixmap(32, 32).toImage();
        QCOMPARE(right.size(), QSize(32, 32));
        QVERIFY(right != down);
        bool drawn = false;
        for (int y = 0; y < right.height() && !drawn; ++y)
            for (int x = 0; x < right.width() && !drawn; ++x)
                drawn = qAlpha(right.pixel(x, y)) > 0;
        QVERIFY(drawn);
        QVERIFY(!style->standardIcon(QStyle::SP_MessageBoxWarning).isNull());
    }
};

QTEST_MAIN(StartupStyleTest)
#include "StartupStyleTest.moc"
