#include "support/FakePlatform.h"
#include "support/TempDir.h"

#include "settings/LaunchSettings.h"
#include "ui/OptionsWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace bv;
using bv::test::pathIn;
using bv::test::readBytes;
using bv::test::writeBytes;

namespace {

struct Options {
    QTemporaryDir dir;
    test::FakePlatform platform;
    LaunchSettings settings;
    ConsoleOptions colours;
    OptionsWindow window{settings, colours, platform};
    Options() { platform.programDir = dir.path(); }

    QString file(const char* name) const { return pathIn(dir, QLatin1String(name)); }
    void click(const char* button) {
        auto* widget = window.findChild<QPushButton*>(QLatin1String(button));
        QVERIFY(widget);
        QTest::mouseClick(widget, Qt::LeftButton);
    }
    QColor preview(QLabel* label) const { return label->palette().color(QPalette::Window); }
};

} // namespace

class OptionsWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void designValuesAndBothWayBindings() {
        Options o;
        QCOMPARE(o.window.doomDirectoryBox()->text(), QStringLiteral("c:\\doom2"));
        QVERIFY(o.window.demoDirectoryBox()->text().isEmpty());
        QCOMPARE(o.window.colourBar(ConsoleOptions::textGreen)->value(), 215);
        QCOMPARE(o.preview(o.window.textPreview()), QColor(255, 215, 0));
        QCOMPARE(o.preview(o.window.backgroundPreview()), QColor(0, 0, 0));

        // Typing is what the launches read; a command's write shows at once.
        o.window.doomDirectoryBox()->clear();
        QTest::keyClicks(o.window.doomDirectoryBox(), QStringLiteral("/games/doom"));
        QCOMPARE(o.settings.text(Text::doomDirectory), QStringLiteral("/games/doom"));
        o.settings.setText(Text::demoDirectory, QStringLiteral("/games/demos"));
        QCOMPARE(o.window.demoDirectoryBox()->text(), QStringLiteral("/games/demos"));

        // Moving a bar repaints only its own preview.
        o.window.colourBar(ConsoleOptions::backgroundBlue)->setValue(99);
        QCOMPARE(o.colours.value(ConsoleOptions::backgroundBlue), 99);
        QCOMPARE(o.preview(o.window.backgroundPreview()), QColor(0, 0, 99));
        QCOMPARE(o.preview(o.window.textPreview()), QColor(255, 215, 0));
        o.colours.setValue(ConsoleOptions::textRed, 7);
        QCOMPARE(o.window.colourBar(ConsoleOptions::textRed)->value(), 7);
        QCOMPARE(o.preview(o.window.textPreview()), QColor(7, 215, 0));

        o.window.dockBox()->click();
        QCOMPARE(o.colours.docked(), 1);
        o.colours.setDocked(0);
        QVERIFY(!o.window.dockBox()->isChecked());
    }

    void browseTakesTheDirectoryOfAnExactEngineName_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("directory"); // empty: refused with the message
        QTest::newRow("Doom3.exe") << "/games/doom2/Doom3.exe"
                                   << "/games/doom2";
        QTest::newRow("Doombot.bat") << "/games/bots/Doombot.bat"
                                     << "/games/bots";
        QTest::newRow("in the root") << "/Doom3.exe"
                                     << "/";
        QTest::newRow("capitals") << "/games/DOOM3.EXE"
                                  << "";
        QTest::newRow("the wizard's Doombot.exe") << "/games/Doombot.exe"
                                                  << "";
        QTest::newRow("name only ends alike") << "/games/MyDoom3.exe"
                                              << "";
    }
    void browseTakesTheDirectoryOfAnExactEngineName() {
        QFETCH(QString, chosen);
        QFETCH(QString, directory);
        Options o;
        o.platform.dialogAnswers.push_back(chosen);
        o.click("cmdBrowse");
        QCOMPARE(o.platform.dialogs.size(), size_t(1));
        QCOMPARE(o.platform.dialogs[0].kind, FileDialogKind::Open);
        QCOMPARE(o.platform.dialogs[0].request.filter,
                 QStringLiteral("Doom3.exe|Doom3.exe|Doombot.bat|Doombot.bat"));
        if (directory.isEmpty()) {
            QCOMPARE(o.platform.messages.size(), size_t(1));
            QCOMPARE(o.platform.messages[0].text, QStringLiteral("Error Getting Doom Directory"));
            QCOMPARE(o.settings.text(Text::doomDirectory), QStringLiteral("c:\\doom2"));
        } else {
            QVERIFY(o.platform.messages.empty());
            QCOMPARE(o.settings.text(Text::doomDirectory), directory);
            QCOMPARE(o.window.doomDirectoryBox()->text(), directory);
        }
    }

    void cancelledDialogsChangeNothing() {
        Options o;
        o.click("cmdBrowse");
        o.click("cmdSaveTheme");
        o.click("cmdTheme");
        QCOMPARE(o.platform.dialogs.size(), size_t(3));
        QVERIFY(o.platform.messages.empty());
        QCOMPARE(o.settings.text(Text::doomDirectory), QStringLiteral("c:\\doom2"));
        QCOMPARE(o.colours.values(), (std::array<int, 6>{0, 0, 0, 255, 215, 0}));
        QVERIFY(QDir(o.dir.path()).entryList(QDir::Files).isEmpty());
    }

    void savedThemeOpensToTheSameColours() {
        Options o;
        o.window.colourBar(ConsoleOptions::textRed)->setValue(128);
        const QString theme = o.file("mine.brc");
        o.platform.dialogAnswers.push_back(theme);
        o.click("cmdSaveTheme");
        const auto& save = o.platform.dialogs.at(0);
        QCOMPARE(save.kind, FileDialogKind::Save);
        QCOMPARE(save.request.initialDirectory, o.dir.path());
        QCOMPARE(save.request.filter, QStringLiteral("Colour Themes|*.brc"));
        QCOMPARE(save.request.flags, kHideReadOnly);
        QCOMPARE(readBytes(theme), QByteArray(" 0 \r\n 0 \r\n 0 \r\n 128 \r\n 215 \r\n 0 \r\n"));

        for (int i = 0; i < 6; ++i)
            o.window.colourBar(i)->setValue(1);
        o.platform.dialogAnswers.push_back(theme);
        o.click("cmdTheme");
        QCOMPARE(o.platform.dialogs.at(1).kind, FileDialogKind::Open);
        QCOMPARE(o.platform.dialogs.at(1).request.flags, kHideReadOnly);
        QCOMPARE(o.colours.values(), (std::array<int, 6>{0, 0, 0, 128, 215, 0}));
        QCOMPARE(o.preview(o.window.textPreview()), QColor(128, 215, 0));
        QCOMPARE(o.preview(o.window.backgroundPreview()), QColor(0, 0, 0));
        QVERIFY(o.platform.messages.empty());
    }

    void unusableThemeIsRejectedWhole_data() {
        QTest::addColumn<QByteArray>("bytes"); // null: no such file
        QTest::addColumn<QString>("expected");
        QTest::newRow("short") << QByteArray("10\r\n20\r\n30\r\n") << "line 4 is missing";
        QTest::newRow("out of range") << QByteArray(" 1 \r\n 2 \r\n 3 \r\n 4 \r\n 256 \r\n 6 \r\n")
                                      << "line 5 is not a number from 0 to 255";
        QTest::newRow("not a number") << QByteArray("red\r\n") << "line 1 is not a number";
        QTest::newRow("missing file") << QByteArray() << "Could not open the colour theme";
    }
    void unusableThemeIsRejectedWhole() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        Options o;
        const QString theme = o.file("bad.brc");
        if (!bytes.isNull())
            QVERIFY(writeBytes(theme, bytes));
        const auto before = o.colours.values();
        o.platform.dialogAnswers.push_back(theme);
        o.click("cmdTheme");
        QCOMPARE(o.colours.values(), before);
        QCOMPARE(o.platform.messages.size(), size_t(1));
        QVERIFY2(o.platform.messages[0].text.contains(theme),
                 qPrintable(o.platform.messages[0].text));
        QVERIFY2(o.platform.messages[0].text.contains(expected),
                 qPrintable(o.platform.messages[0].text));
    }

    void themeThatCannotBeWrittenIsReported() {
        Options o;
        o.platform.dialogAnswers.push_back(o.file("no such folder/t.brc"));
        o.click("cmdSaveTheme");
        QCOMPARE(o.platform.messages.size(), size_t(1));
        QVERIFY(o.platform.messages[0].text.startsWith(QStringLiteral("Could not save")));
    }

    void okAndTheCloseBoxBothApply() {
        Options o;
        QSignalSpy ok(&o.window, &OptionsWindow::okClicked);
        o.window.show();
        o.click("cmdOk");
        QCOMPARE(ok.count(), 1);
        // The close box must not destroy what the rest of the program reads.
        o.window.close();
        QCOMPARE(ok.count(), 2);
        QVERIFY(o.window.isVisible()); // the program hides it as part of applying
    }
};

QTEST_MAIN(OptionsWindowTest)
#include "OptionsWindowTest.moc"
