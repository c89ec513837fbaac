#include "ui/StartupStyle.h"

#include <QApplication>
#include <QFile>
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
        QVERIFY(!style->standardIcon(QStyle::SP_MessageBoxWarning).isNull());
    }
};

QTEST_MAIN(StartupStyleTest)
#include "StartupStyleTest.moc"
