#include "ui/AboutWindow.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

using namespace bv;

namespace {

// A window whose typewriter only the test drives.
AboutWindow* quietWindow() {
    auto* window = new AboutWindow;
    window->typewriter()->stop();
    return window;
}

void ticks(AboutWindow& window, int count) {
    for (int i = 0; i < count; ++i)
        window.tick();
}

void unload(QPointer<AboutWindow>& window) {
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class AboutWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void aboutTextIsThreeLinesJoinedByCarriageReturns() {
        const QString text = AboutWindow::aboutText();
        const QStringList lines = text.split(QChar(13));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.front(), QStringLiteral("Brimvault 1.2 Beta"));
        for (const QString& line : lines)
            QVERIFY(!line.isEmpty());
        QVERIFY(!text.contains(QChar(10)));
    }

    void eachTickShowsOneMoreCharacter() {
        QPointer<AboutWindow> window = quietWindow();
        const QString text = AboutWindow::aboutText();
        QCOMPARE(window->shownCharacters(), 0);
        QVERIFY(window->writtenText().isEmpty());

        // The first tick shows nothing yet: the shownCharacters starts at "0".
        window->tick();
        QVERIFY(window->writtenText().isEmpty());
        window->tick();
        QCOMPARE(window->writtenText(), QStringLiteral("B"));
        for (int n = 2; n <= text.size(); ++n) {
            window->tick();
            QCOMPARE(window->writtenText(), text.left(n));
        }
        // Past the end the caption stays complete.
        ticks(*window, 5);
        QCOMPARE(window->writtenText(), text);
        delete window.data();
    }

    void theWindowsOwnTimerDrivesTheTypewriter() {
        QPointer<AboutWindow> window = new AboutWindow;
        QCOMPARE(window->typewriter()->interval(), 1);
        QVERIFY(window->typewriter()->isActive());
        QVERIFY(QMetaObject::invokeMethod(window->typewriter(), "timeout"));
        QVERIFY(QMetaObject::invokeMethod(window->typewriter(), "timeout"));
        QCOMPARE(window->writtenText(), QStringLiteral("B"));
        delete window.data();
    }

    void okUnloadsSoTheNextWindowStartsOver() {
        QPointer<AboutWindow> window = quietWindow();
        window->show();
        ticks(*window, 12);
        QTest::mouseClick(window->okButton(), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());

        window = quietWindow();
        window->show();
        QCOMPARE(window->shownCharacters(), 0);
        QVERIFY(window->writtenText().isEmpty());
        QVERIFY(window->writingLabel()->text().isEmpty());
        window->tick();
        window->tick();
        QCOMPARE(window->writtenText(), QStringLiteral("B"));
        unload(window);
        QVERIFY(window.isNull());
    }

    void hiddenWindowContinuesWhereItWas() {
        QPointer<AboutWindow> window = quietWindow();
        const QString text = AboutWindow::aboutText();
        window->show();
        ticks(*window, 6);
        window->hide();
        ticks(*window, 3);
        QVERIFY(!window.isNull());
        QCOMPARE(window->writtenText(), text.left(8));
        window->show();
        QCOMPARE(window->writtenText(), text.left(8));
        window->tick();
        QCOMPARE(window->writtenText(), text.left(9));

        // A window loaded hidden keeps writing, so showing it later shows the whole text.
        ticks(*window, static_cast<int>(text.size()));
        window->hide();
        window->show();
        QCOMPARE(window->writtenText(), text);
        unload(window);
    }

    void completeTextRendersAsThreeLines() {
        QPointer<AboutWindow> window = quietWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QSize before = window->size();
        ticks(*window, static_cast<int>(AboutWindow::aboutText().size()) + 1);

        QLabel* label = window->writingLabel();
        QVERIFY(!label->text().contains(QChar(13)));
        QCOMPARE(label->text().split(QChar(10)), AboutWindow::aboutText().split(QChar(13)));
        const QFontMetrics metrics = label->fontMetrics();
        QVERIFY(label->height() >= 3 * metrics.height());
        for (const QString& line : AboutWindow::aboutText().split(QChar(13)))
            QVERIFY(label->width() >= metrics.horizontalAdvance(line));
        // The window was sized for the whole text from the start.
        QCOMPARE(window->size(), before);
        unload(window);
    }

    void logoIsA320By200Picture() {
        QPointer<AboutWindow> window = quietWindow();
        const QPixmap logo = window->logo()->pixmap();
        QCOMPARE(logo.size(), QSize(320, 200));
        QCOMPARE(window->logo()->size(), QSize(320, 200));
        delete window.data();
    }
};

QTEST_MAIN(AboutWindowTest)
#include "AboutWindowTest.moc"
