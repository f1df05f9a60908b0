// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/ClickableLabel.h"
#include "console/ControlTag.h"
#include "console/MacroButton.h"
#include "platform/qt/IniSettingsStore.h"
#include "support/ConsoleFixture.h"
#include "support/RandomText.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <vector>

using quorvex::console::MainControls;
using quorvex::platform::qt::IniSettingsStore;
using quorvex::test::ConsoleFixture;
using namespace Qt::StringLiterals;

namespace {

const QString kMisc = u"Misc"_s;
const QString kMacros = u"Macros"_s;

// One persisted value as the host knows it: where it is stored, its value in a new window, and the control that
// shows it. Written out here rather than taken from the console's own table, so that a wrong key or a missed
// control in that table shows up.
struct Setting
{
    QString section;
    QString key;
    QString design;
    std::function<QWidget*(const MainControls&)> control;
    bool isTag = false;

    // Line edits, labels and buttons all show their value as "text".
    QString read(const MainControls& c) const
    {
        return isTag ? quorvex::console::tagOf(control(c)) : control(c)->property("text").toString();
    }

    void write(const MainControls& c, const QString& value) const
    {
        if (isTag) {
            quorvex::console::setTag(control(c), value);
        } else {
            control(c)->setProperty("text", value);
        }
    }
};

std::vector<Setting> allSettings()
{
    std::vector<Setting> settings{{kMisc, u"AppName"_s, u"Trivia  Adult"_s, [](auto& c) { return c.txtAppName; }}};
    const QStringList captions{
        u"*** No PM's to Question Readers during quiz - No PM's to anyone without permission in text ***"_s,
        u"*** This is a Number Answer - It MUST be typed out in letters not numbers ***"_s,
        u"*** This is a NAME answer - both names on the same line ***"_s,
        u"*** The readers decision is final - The first correct answer on the readers screen is the winner ***"_s,
        u"Spare"_s};
    for (int i = 0; i < 5; ++i) {
        const QString number = u"Macro0"_s + QString::number(i + 1);
        const auto macro = [i](const MainControls& c) -> QWidget* { return c.cmdMacro[std::size_t(i)]; };
        settings.push_back({kMacros, number + u" Caption"_s, captions[i], macro});
        settings.push_back({kMacros, number + u" Tag"_s, i == 4 ? u"Spare"_s : QString(), macro, true});
    }
    settings.push_back({kMisc, u"QuizEndScore"_s, u"30"_s, [](auto& c) { return c.txtQuizEndScore; }});
    settings.push_back(
        {kMisc, u"SayOnBondage"_s, u"*** We are in BONDAGE!!!! ***"_s, [](auto& c) { return c.txtEqualScores; }});
    settings.push_back({kMisc, u"Team 1 Name"_s, u"GUYS"_s, [](auto& c) { return c.lblTeam[0]; }});
    settings.push_back({kMisc, u"Team 2 Name"_s, u"gals"_s, [](auto& c) { return c.lblTeam[1]; }});
    return settings;
}

// Qt keeps one parsed copy of each settings file per process; a copy under another name is read from the disk.
QString copyOf(const QString& path)
{
    const QString copy = path + u".copy.ini"_s;
    QFile::remove(copy);
    return QFile::copy(path, copy) ? copy : QString();
}

QtMessageHandler g_previousHandler = nullptr;

// The offscreen platform cannot shape some of the scripts in the random texts and says so for every font, which
// buries the test's own output.
void dropMissingShaping(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.contains(u"OpenType support missing"_s)) {
        return;
    }
    g_previousHandler(type, context, message);
}

} // namespace

class TestSettingsPersistence final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { g_previousHandler = qInstallMessageHandler(dropMissingShaping); }
    void cleanupTestCase() { qInstallMessageHandler(g_previousHandler); }

    void firstStart_Should_WriteDesignValuesInTableOrder_When_StoreHasNoAppName_data()
    {
        QTest::addColumn<ConsoleFixture::Store>("stored");
        QTest::newRow("empty store") << ConsoleFixture::Store{};
        QTest::newRow("other keys but no AppName")
            << ConsoleFixture::Store{{{kMisc, u"Team 1 Name"_s}, u"Lads"_s}, {{kMacros, u"Macro05 Tag"_s}, u"!30"_s}};
    }

    void firstStart_Should_WriteDesignValuesInTableOrder_When_StoreHasNoAppName()
    {
        QFETCH(ConsoleFixture::Store, stored);

        const ConsoleFixture c(stored);

        const std::vector<Setting> settings = allSettings();
        QCOMPARE(c.fake.writes.size(), settings.size());
        for (std::size_t i = 0; i < settings.size(); ++i) {
            QCOMPARE(c.fake.writes[i], std::make_pair(settings[i].section, settings[i].key));
            QCOMPARE(c.stored(settings[i].section, settings[i].key), settings[i].design);
            QCOMPARE(settings[i].read(c.ui()), settings[i].design);
        }
        QCOMPARE(c.fake.store.size(), settings.size());
        QCOMPARE(c.fake.commits, 1);
        QVERIFY(c.fake.boxes.empty());
    }

    void start_Should_ShowStoredValues_And_WriteNothing_When_AppNameIsStored_data()
    {
        QTest::addColumn<QStringList>("keys"); // stored as "host's <key>", AppName as `room`
        QTest::addColumn<QString>("room");
        QStringList every;
        for (const Setting& setting : allSettings()) {
            every << setting.key;
        }
        // An emptied room title is the host's choice, not a first start.
        QTest::newRow("every key, empty room title") << every << "";
        QTest::newRow("missing keys read as empty") << QStringList{"AppName", "Team 2 Name"} << "Room";
    }

    void start_Should_ShowStoredValues_And_WriteNothing_When_AppNameIsStored()
    {
        QFETCH(QStringList, keys);
        QFETCH(QString, room);
        ConsoleFixture::Store stored;
        for (const Setting& setting : allSettings()) {
            if (keys.contains(setting.key)) {
                stored[{setting.section, setting.key}] = u"host's "_s + setting.key;
            }
        }
        stored[{kMisc, u"AppName"_s}] = room;

        const ConsoleFixture c(stored);

        QVERIFY(c.fake.writes.empty());
        QCOMPARE(c.fake.commits, 0);
        for (const Setting& setting : allSettings()) {
            const QString expected = setting.key == u"AppName"_s ? room
                                     : keys.contains(setting.key) ? u"host's "_s + setting.key
                                                                  : QString();
            QCOMPARE(setting.read(c.ui()), expected);
        }
    }

    void close_Should_SaveEveryValueBeforeSayingSo()
    {
        ConsoleFixture c;
        c.window().show();
        const std::vector<Setting> settings = allSettings();
        for (const Setting& setting : settings) {
            setting.write(c.ui(), u"new "_s + setting.key);
        }
        c.fake.writes.clear();
        std::size_t writtenAtBox = 0;
        c.fake.onMessageBox = [&] { writtenAtBox = c.fake.writes.size(); };

        QVERIFY(c.window().close());

        QCOMPARE(c.boxes(), QStringList{u"All settings saved | 64 | FYI"_s});
        QCOMPARE(writtenAtBox, settings.size());
        QCOMPARE(c.fake.commits, 2);
        for (const Setting& setting : settings) {
            QCOMPARE(c.stored(setting.section, setting.key), u"new "_s + setting.key);
        }
        QVERIFY(!c.window().isVisible());
    }

    void close_Should_SayWhySavingFailed_And_StillClose()
    {
        ConsoleFixture c;
        c.window().show();
        c.fake.commitFailure = u"The settings could not be saved to /x/QVX.ini: Permission denied"_s;

        QVERIFY(c.window().close());

        QCOMPARE(c.boxes(), QStringList{*c.fake.commitFailure + u" | 16 | Error!"_s});
        QVERIFY(!c.window().isVisible());
    }

    void restart_Should_BringBackEveryValue_When_TextsAreRandom()
    {
        const QTemporaryDir dir;
        QRandomGenerator random(16102026);
        const std::vector<Setting> settings = allSettings();

        for (int round = 0; round < 25; ++round) {
            const QString path = dir.filePath(u"round%1/QVX/QVX.ini"_s.arg(round));
            std::vector<QString> texts;
            {
                IniSettingsStore store(path);
                ConsoleFixture c(store);
                for (const Setting& setting : settings) {
                    texts.push_back(quorvex::test::randomText(random, 80));
                    setting.write(c.ui(), texts.back());
                }
                QVERIFY(c.window().close());
                QCOMPARE(c.boxes().last(), u"All settings saved | 64 | FYI"_s);
            }

            IniSettingsStore store(copyOf(path));
            const ConsoleFixture c(store);
            for (std::size_t i = 0; i < settings.size(); ++i) {
                QVERIFY2(settings[i].read(c.ui()) == texts[i],
                         qPrintable(u"round %1, %2"_s.arg(round).arg(settings[i].key)));
            }
            QVERIFY(c.fake.boxes.empty());
        }
    }
};

QTEST_MAIN(TestSettingsPersistence)
#include "TestSettingsPersistence.moc"
