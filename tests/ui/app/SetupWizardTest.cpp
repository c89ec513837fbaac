#include "support/FakePlatform.h"

#include "settings/LaunchSettings.h"
#include "ui/SetupWizard.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace bv;

namespace {

struct Wizard {
    test::FakePlatform platform;
    LaunchSettings settings;
    int mainRuns = 0;
    SetupWizard window{settings, platform, [this]() { ++mainRuns; }};

    bool onPage2() const { return window.welcomePage()->isHidden() && !window.directoryPage()->isHidden(); }
    bool onPage1() const { return !window.welcomePage()->isHidden() && window.directoryPage()->isHidden(); }
    QString firstRun() const {
        return platform.store.value({QStringLiteral("Misc"), QStringLiteral("Firstrun")});
    }
};

} // namespace

class SetupWizardTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startsOnTheWelcomePage() {
        Wizard w;
        QVERIFY(w.onPage1());
        QVERIFY(!w.window.backButton()->isEnabled());
        QCOMPARE(w.window.nextButton()->text(), QStringLiteral("&Next >"));
        QCOMPARE(w.window.pictureLabel()->pixmap().size(), QSize(64, 128));
    }

    void nextBackNextEndsOnTheDirectoryPage() {
        Wizard w;
        w.window.show();
        QTest::mouseClick(w.window.nextButton(), Qt::LeftButton);
        QVERIFY(w.onPage2());
        QVERIFY(w.window.backButton()->isEnabled());
        QCOMPARE(w.window.nextButton()->text(), QStringLiteral("&Finish"));
        QTest::mouseClick(w.window.backButton(), Qt::LeftButton);
        QVERIFY(w.onPage1());
        QVERIFY(!w.window.backButton()->isEnabled());
        QCOMPARE(w.window.nextButton()->text(), QStringLiteral("&Next >"));
        QTest::mouseClick(w.window.nextButton(), Qt::LeftButton);
        QVERIFY(w.onPage2());
        QCOMPARE(w.mainRuns, 0);
        QVERIFY(w.platform.storeWrites.empty());
    }

    void finishRecordsHandsOverAndStartsAgainEachTime() {
        Wizard w;
        w.window.show();
        w.window.onNextClicked();
        w.window.directoryBox()->clear();
        QTest::keyClicks(w.window.directoryBox(), QStringLiteral("/games/Doom2"));
        QCOMPARE(w.settings.text(Text::doomDirectory), QStringLiteral("c:\\doom2")); // not before Finish
        w.window.onNextClicked();
        QCOMPARE(w.firstRun(), QStringLiteral("no"));
        QCOMPARE(w.settings.text(Text::doomDirectory), QStringLiteral("/games/Doom2"));
        QCOMPARE(w.mainRuns, 1);
        QVERIFY(w.onPage2());
        QVERIFY(w.window.isVisible());
        w.window.onNextClicked();
        QCOMPARE(w.mainRuns, 2);
        // Once the program runs, the close box only closes the wizard.
        w.window.close();
        QVERIFY(!w.window.isVisible());
        QCOMPARE(w.platform.quitCount, 0);
    }

    // Return presses Next, then Finish; once the program runs, Cancel and Escape only put
    // the leftover wizard away, so nothing done since is lost.
    void returnFinishesAndTheLeftoverWizardOnlyHides() {
        Wizard w;
        w.window.show();
        QTest::keyClick(&w.window, Qt::Key_Return);
        QVERIFY(w.onPage2());
        QTest::keyClick(w.window.directoryBox(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(w.mainRuns, 1);
        QTest::mouseClick(w.window.cancelButton(), Qt::LeftButton);
        QVERIFY(!w.window.isVisible());
        w.window.show();
        QTest::keyClick(w.window.directoryBox(), Qt::Key_Escape);
        QVERIFY(!w.window.isVisible());
        QCOMPARE(w.platform.quitCount, 0);
    }

    void finishThatCannotBeRecordedSaysSo() {
        Wizard w;
        w.platform.failStoreAfter = 0;
        w.window.onNextClicked();
        w.window.onNextClicked();
        QCOMPARE(w.platform.messages.size(), size_t(1));
        QCOMPARE(w.mainRuns, 1);
    }

    void cancelEscapeAndTheCloseBoxEndTheProgramWithoutStoring() {
        for (int way = 0; way < 3; ++way) {
            Wizard w;
            w.window.show();
            w.window.onNextClicked();
            if (way == 0)
                QTest::mouseClick(w.window.cancelButton(), Qt::LeftButton);
            else if (way == 1)
                QTest::keyClick(w.window.directoryBox(), Qt::Key_Escape);
            else
                w.window.close();
            QCOMPARE(w.platform.quitCount, 1);
            QVERIFY(w.platform.storeWrites.empty());
            QCOMPARE(w.mainRuns, 0);
        }
    }

    void browseAcceptsDoom3AndDoombotExe_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("directory"); // empty: refused with the message
        QTest::newRow("Doom3.exe") << "/games/doom2/Doom3.exe"
                                   << "/games/doom2";
        QTest::newRow("Doombot.exe") << "/games/bot/Doombot.exe"
                                     << "/games/bot";
        QTest::newRow("the options' Doombot.bat") << "/games/bot/Doombot.bat"
                                                  << "";
        QTest::newRow("small letters") << "/games/doom3.exe"
                                       << "";
    }
    void browseAcceptsDoom3AndDoombotExe() {
        QFETCH(QString, chosen);
        QFETCH(QString, directory);
        Wizard w;
        w.window.onNextClicked();
        w.platform.dialogAnswers.push_back(chosen);
        QTest::mouseClick(w.window.findChild<QPushButton*>(QStringLiteral("cmdBrowse")),
                          Qt::LeftButton);
        QCOMPARE(w.platform.dialogs.at(0).request.filter,
                 QStringLiteral("Doom3.exe|Doom3.exe|Doombot.exe|Doombot.exe"));
        if (directory.isEmpty()) {
            QCOMPARE(w.platform.messages.size(), size_t(1));
            QCOMPARE(w.platform.messages[0].text, QStringLiteral("Error Getting Doom Directory"));
            QCOMPARE(w.window.directoryBox()->text(), QStringLiteral("c:\\doom2"));
        } else {
            QVERIFY(w.platform.messages.empty());
            QCOMPARE(w.window.directoryBox()->text(), directory);
        }
        // Browsing fills the wizard's own box; the Doom directory changes only on Finish.
        QCOMPARE(w.settings.text(Text::doomDirectory), QStringLiteral("c:\\doom2"));
    }
};

QTEST_MAIN(SetupWizardTest)
#include "SetupWizardTest.moc"
