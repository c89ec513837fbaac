// The main window with bad input: text outside Latin-1 typed into every text box, ten
// thousand bot files, and a PWAD path with blanks, quotes and foreign letters.

#include "BadInput.h"

#include "core/Latin1Text.h"
#include "settings/SettingsScript.h"
#include "ui/OptionsWindow.h"
#include "ui/main/MainWindowFixture.h"

#include <QComboBox>
#include <QStandardPaths>

#include <algorithm>

using namespace bv;
using namespace bv::test;

namespace {

// e acute (Latin-1), Greek Omega, the euro sign and an emoji outside the 16-bit range.
const QString kForeign = QStringLiteral("\u00e9\u03a9\u20ac\U0001F600");
const QByteArray kWritten = "\xe9???";

// Types the text one character at a time, as a keyboard that has these characters does.
void type(QWidget* box, const QString& text) {
    for (const char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        QTest::sendKeyEvent(QTest::Press, box, Qt::Key_unknown, one, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, box, Qt::Key_unknown, one, Qt::NoModifier);
    }
}

QStringList linesOf(const QString& path) {
    return crlfSplit(readBytes(path));
}

} // namespace

class MainWindowInputTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Every text box that the user can type in, the Doom directory in the options window
    // included: the record holds the text as typed, and every file holds "?" for each
    // character outside Latin-1.
    void typedTextReachesEveryFileAsQuestionMarks() {
        MainWindowFixture f;
        const QString doom = f.doomDir.path() + QStringLiteral("/g") + kForeign;
        QVERIFY(QDir().mkpath(doom));
        QVERIFY(writeBytes(doom + QStringLiteral("/d") + kForeign + QStringLiteral(".exe"), "x"));
        QVERIFY(writeBytes(doom + QStringLiteral("/hx8.exe"), "x"));
        const QString parameters = doom + QStringLiteral("/p") + kForeign + QStringLiteral(".hx8");
        QVERIFY(writeBytes(parameters, "baud 9600\r\n"));

        OptionsWindow options(f.settings, f.colours, f.platform);
        f.settings.setText(Text::doomDirectory, QString());
        type(options.findChild<QLineEdit*>(QStringLiteral("txtDir")), doom);
        QCOMPARE(f.settings.text(Text::doomDirectory), doom);

        const struct {
            const char* box;
            Text field;
            QString typed;
        } boxes[] = {
            {"comboEXE", Text::executable, QStringLiteral("d") + kForeign + QStringLiteral(".exe")},
            {"txtWarp", Text::warp, QStringLiteral("w") + kForeign},
            {"txtPWADS", Text::pwads, QStringLiteral("f") + kForeign},
            {"txtHeap", Text::heap, QStringLiteral("h") + kForeign},
            {"txtPar", Text::extraParameters, QStringLiteral("p") + kForeign},
            {"txtWeap", Text::weaponsOrder, QStringLiteral("01") + kForeign},
            {"txtBotSkill", Text::botSkill, QStringLiteral("s") + kForeign},
            {"txtName", Text::playerName, QStringLiteral("n") + kForeign},
            {"txtComputerName", Text::computerName, QStringLiteral("c") + kForeign},
            {"txtComPorts", Text::comPorts, QStringLiteral("o") + kForeign},
            {"txtParFile", Text::hx8ParameterFile, parameters},
            {"txtExecCFG", Text::customConfig, QStringLiteral("u") + kForeign},
            {"txtConfigFile", Text::configFile, QStringLiteral("k") + kForeign},
            {"txtMax", Text::doomaticMaxPlayers, QStringLiteral("m") + kForeign},
            {"txtMaticPar", Text::doomaticParameters, QStringLiteral("a") + kForeign},
            {"txtDemoFile", Text::demoFile, QStringLiteral("r") + kForeign},
        };
        for (const auto& b : boxes) {
            f.settings.setText(b.field, QString());
            QWidget* box = f.control(b.box);
            if (auto* combo = qobject_cast<QComboBox*>(box))
                box = combo->lineEdit();
            type(box, b.typed);
            QCOMPARE(f.settings.text(b.field), b.typed);
        }
        f.control<QCheckBox>("checkRecDemo")->setChecked(true);
        f.click("cmdLaunchSingle");
        f.click("cdHX8");
        f.click("cmdMultiplayer");
        for (const auto& message : f.platform.messages)
            QFAIL(qPrintable(message.text));

        const auto w = [](const char* tag) { return QString::fromLatin1(tag + kWritten); };
        QCOMPARE(linesOf(doom + QStringLiteral("/autoexec.cfg")).at(0), "weaponpref 01" + w(""));
        QCOMPARE(linesOf(doom + QStringLiteral("/brv.bat")).at(2),
                 w("d") + ".exe -warp " + w("w") + " -file " + w("f") + " -mb " + w("h") + " " +
                     w("p") + " -config " + w("k") + " -record " + w("r"));
        const QStringList hx8 = linesOf(doom + QStringLiteral("/hx8.cfg"));
        QCOMPARE(hx8.mid(0, 4), (QStringList{w("c"), w("o"), w("d") + ".exe", "baud 9600"}));
        const QStringList matic = linesOf(doom + QStringLiteral("/doomatic.cfg"));
        QVERIFY(matic.contains("name = \"" + w("n") + "\""));
        QVERIFY(matic.contains("addparm = \"" + w("a") + "\""));
        QVERIFY(matic.contains("maxplayers = " + w("m")));

        f.interpreter.interpret(QStringLiteral("exit"));
        const QStringList saved = linesOf(f.programFile(QStringLiteral("config.brv")));
        QCOMPARE(saved.at(0), "zun_exe " + w("d") + ".exe");
        QCOMPARE(saved.at(7), QString::fromLatin1("setdoompath " + toLatin1Lossy(doom)));
        QCOMPARE(saved.at(18), "custom_config " + w("u"));
        for (const char* name : {"autoexec.cfg", "brv.bat", "hx8.cfg", "doomatic.cfg"})
            QVERIFY2(noForeignBytes(readBytes(doom + QLatin1Char('/') + QLatin1String(name)),
                                    kForeign + doom),
                     name);
        QVERIFY(noForeignBytes(readBytes(f.programFile(QStringLiteral("config.brv"))),
                               kForeign + doom));
    }

    // update_ybot over ten thousand bot files: all listed, in order, in the Cajun Bot pane.
    void tenThousandBotsAreAllListedInOrder() {
        MainWindowFixture f;
        f.window();
        const QString bots = f.doomFile(QStringLiteral("bots"));
        QVERIFY(QDir().mkpath(bots));
        for (int i = 0; i < 10000; ++i) {
            // Mixed case and a number that sorts differently as text than as a number.
            const QString name = QStringLiteral("%1bot%2.bot")
                                     .arg(i % 2 ? QStringLiteral("B") : QStringLiteral("a"))
                                     .arg(9999 - i);
            QVERIFY(writeBytes(bots + QLatin1Char('/') + name, ""));
        }
        f.interpreter.interpret(QStringLiteral("update_ybot"));
        const QStringList listed = items(f.control<QListWidget>("fileBots"));
        QCOMPARE(listed.size(), 10000);
        QCOMPARE(listed, f.settings.list(BotList::availableBots));
        QVERIFY(
            std::is_sorted(listed.begin(), listed.end(), [](const QString& a, const QString& b) {
                return QString::compare(a, b, Qt::CaseInsensitive) < 0;
            }));
        QCOMPARE(listed.constFirst(), QStringLiteral("abot1"));
        QCOMPARE(listed.constLast(), QStringLiteral("Bbot9998"));

        // Picking one from the far end still moves exactly that one.
        auto* fileBots = f.control<QListWidget>("fileBots");
        fileBots->setCurrentRow(9999);
        f.click("cmdAddBot");
        QCOMPARE(items(f.control<QListWidget>("listUseBots")), QStringList{"Bbot9998"});
        QCOMPARE(fileBots->count(), 9999);
    }

    // Blanks, quotes and foreign letters in a PWAD below the Doom directory: the picker adds
    // it relative to the directory, and the launch writes and passes it as it stands.
    void pwadPathWithBlanksQuotesAndForeignLetters() {
        MainWindowFixture f;
        f.window();
        const QString folder = QStringLiteral("My \"Best\" W\u00e4d's");
        const QString file = QStringLiteral("\u03a9mega map.wad");
        QVERIFY(QDir(f.doomDir.path()).mkpath(folder));
        QVERIFY(writeBytes(f.doomFile(folder + QLatin1Char('/') + file), "PWAD"));
        f.settings.setText(Text::pwads, QStringLiteral("first.wad"));
        f.platform.dialogAnswers = {f.doomFile(folder + QLatin1Char('/') + file)};
        f.click("cmdAdd");
        QCOMPARE(f.edit("txtPWADS")->text(),
                 QStringLiteral("first.wad ") + folder + QLatin1Char('/') + file);

        f.click("cmdLaunchSingle");
        QVERIFY(f.platform.messages.empty());
        QCOMPARE(linesOf(f.doomFile(QStringLiteral("brv.bat"))).at(2),
                 QString::fromLatin1("Doom3.exe -file first.wad My \"Best\" W\xe4"
                                     "d's/?mega map.wad -mb 10"));
        QCOMPARE(f.platform.starts.back().arguments,
                 (QStringList{"-file", "first.wad", "My", "\"Best\"", "W\u00e4d's/\u03a9mega",
                              "map.wad", "-mb", "10"}));
    }
};

QTEST_MAIN(MainWindowInputTest)
#include "MainWindowInputTest.moc"
