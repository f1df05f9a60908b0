// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/ClickableLabel.h"
#include "console/ControlTag.h"
#include "console/MacroButton.h"
#include "platform/qt/IniSettingsStore.h"
#include "support/ConsoleFixture.h"
#include "support/RandomText.h"

#include <QDir>
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

    void firstStart_Should_WriteDesignValuesInTableOrder_When_StoreHoldsNoKey()
    {
        const ConsoleFixture c;

        const std::vector<Setting> settings = allSettings();
        QCOMPARE(c.fake.writes.size(), settings.size());
        for (std::size_t i = 0; i < settings.size(); ++i) {
            QCOMPARE(c.fake.writes[i], std::make_pair(settings[i].section, settings[i].key));
            QCOMPARE(c.stored(settings[i].section, settings[i].key), settings[i].design);
            QCOMPARE(settings[i].read(c.ui()), settings[i].design);
        }
        QCOMPARE(c.fake.store.size(), settings.size());
        QCOMPARE(c.fake.commits, 1);
        QCOMPARE(c.fake.keepAsideCalls, 1);
        QVERIFY(c.fake.boxes.empty());
    }

    void start_Should_KeepStoredKeys_And_GiveOnlyMissingOnesDesignValues_data()
    {
        QTest::addColumn<QStringList>("keys"); // each stored as "host's <key>"
        QStringList every;
        for (const Setting& setting : allSettings()) {
            every << setting.key;
        }
        QTest::newRow("every key") << every;
        QTest::newRow("no AppName (a hand edit)") << QStringList{"Team 1 Name", "Macro05 Tag", "QuizEndScore"};
        QTest::newRow("AppName and one team") << QStringList{"AppName", "Team 2 Name"};
        QTest::newRow("one macro caption") << QStringList{"Macro03 Caption"};
    }

    void start_Should_KeepStoredKeys_And_GiveOnlyMissingOnesDesignValues()
    {
        QFETCH(QStringList, keys);
        ConsoleFixture::Store stored;
        for (const Setting& setting : allSettings()) {
            if (keys.contains(setting.key)) {
                stored[{setting.section, setting.key}] = u"host's "_s + setting.key;
            }
        }

        const ConsoleFixture c(stored);

        std::vector<std::pair<QString, QString>> missing;
        for (const Setting& setting : allSettings()) {
            const bool present = keys.contains(setting.key);
            const QString expected = present ? u"host's "_s + setting.key : setting.design;
            QCOMPARE(setting.read(c.ui()), expected);
            QCOMPARE(c.stored(setting.section, setting.key), expected);
            if (!present) {
                missing.emplace_back(setting.section, setting.key);
            }
        }
        QCOMPARE(c.fake.writes, missing);
        QCOMPARE(c.fake.commits, missing.empty() ? 0 : 1);
        QCOMPARE(c.fake.keepAsideCalls, 0);
        QVERIFY(c.fake.boxes.empty());
    }

    void start_Should_KeepEmptiedRoomTitle_When_HostClearedIt()
    {
        ConsoleFixture::Store stored{{{kMisc, u"AppName"_s}, QString()}, {{kMisc, u"Team 1 Name"_s}, u"Lads"_s}};

        const ConsoleFixture c(stored);

        QCOMPARE(c.ui().txtAppName->text(), QString());
        QCOMPARE(c.ui().lblTeam[0]->text(), u"Lads"_s);
        QCOMPARE(c.stored(kMisc, u"AppName"_s), QString());
    }

    void start_Should_TellWhereUnreadableFileWent_Before_WritingDesignValues()
    {
        ConsoleFixture c;
        c.fake.store.clear();
        c.fake.writes.clear();
        c.fake.keptAside = {quorvex::platform::KeptAside::Outcome::Moved, u"/home/q/QVX.ini.unreadable-1"_s};
        std::size_t writtenAtBox = 99;
        c.fake.onMessageBox = [&] { writtenAtBox = c.fake.writes.size(); };

        c.restart();

        QCOMPARE(c.boxes(), QStringList{u"The settings file could not be read. It was kept as "
                                        "/home/q/QVX.ini.unreadable-1, and the console starts with the standard "
                                        "settings. | information | FYI"_s});
        QCOMPARE(writtenAtBox, std::size_t(0));
        QCOMPARE(c.fake.writes.size(), allSettings().size());
        QCOMPARE(c.ui().lblTeam[0]->text(), u"GUYS"_s);
    }

    void start_Should_WriteNothing_When_UnreadableFileCannotBeMoved()
    {
        ConsoleFixture c;
        c.fake.store.clear();
        c.fake.writes.clear();
        c.fake.keptAside = {quorvex::platform::KeptAside::Outcome::Failed, u"Permission denied"_s};

        c.restart();

        QCOMPARE(c.fake.boxes.size(), std::size_t(1));
        QCOMPARE(c.fake.boxes.front().title, u"Error!"_s);
        QVERIFY(c.fake.boxes.front().prompt.contains(u"Permission denied"_s));
        QVERIFY(c.fake.writes.empty());
        QCOMPARE(c.ui().lblTeam[1]->text(), u"gals"_s);
    }

    // The hand edit that lost "AppName": every other key the host had stays, in the file as in the window.
    void start_Should_KeepPartialFile_And_FillOnlyItsGaps()
    {
        const QTemporaryDir dir;
        const QString path = dir.filePath(u"QVX/QVX.ini"_s);
        QVERIFY(QDir().mkpath(dir.filePath(u"QVX"_s)));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[Misc]\nAppname=Quiz Night\nTeam 1 Name=Lads\nQuizEndScore=21\n"
                       "[Macros]\nMacro02 Caption=Answer in letters\nMacro02 Tag=\n");
        }

        {
            IniSettingsStore store(path);
            const ConsoleFixture c(store);
            QCOMPARE(c.ui().lblTeam[0]->text(), u"Lads"_s);
            QCOMPARE(c.ui().txtQuizEndScore->text(), u"21"_s);
            QCOMPARE(c.ui().txtAppName->text(), u"Trivia  Adult"_s);
            QVERIFY(c.fake.boxes.empty());
        }

        const IniSettingsStore reread(copyOf(path));
        QCOMPARE(reread.value(kMisc, u"Team 1 Name"_s).value_or(QString()), u"Lads"_s);
        QCOMPARE(reread.value(kMacros, u"Macro02 Caption"_s).value_or(QString()), u"Answer in letters"_s);
        QCOMPARE(reread.value(kMisc, u"AppName"_s).value_or(QString()), u"Trivia  Adult"_s);
        QCOMPARE(reread.value(kMisc, u"Team 2 Name"_s).value_or(QString()), u"gals"_s);
        QVERIFY(QDir(dir.filePath(u"QVX"_s)).entryList({u"QVX.ini.unreadable-*"_s}).isEmpty());
    }

    void start_Should_KeepUtf16FileAside_And_StartWithDesignValues()
    {
        const QTemporaryDir dir;
        const QString path = dir.filePath(u"QVX/QVX.ini"_s);
        QVERIFY(QDir().mkpath(dir.filePath(u"QVX"_s)));
        const QString text = u"[Misc]\r\nAppName=Quiz Night\r\nTeam 1 Name=Lads\r\n"_s;
        QByteArray utf16("\xff\xfe");
        utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(utf16);
        }

        IniSettingsStore store(path);
        const ConsoleFixture c(store);

        const QStringList aside = QDir(dir.filePath(u"QVX"_s)).entryList({u"QVX.ini.unreadable-*"_s}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QFile kept(dir.filePath(u"QVX/"_s + aside.front()));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), utf16);
        QCOMPARE(c.boxes().size(), 1);
        QVERIFY2(c.boxes().front().contains(QDir::toNativeSeparators(kept.fileName())), qPrintable(c.boxes().front()));
        QCOMPARE(c.ui().lblTeam[0]->text(), u"GUYS"_s);
        IniSettingsStore reread(copyOf(path));
        QCOMPARE(reread.value(kMisc, u"Team 1 Name"_s).value_or(QString()), u"GUYS"_s);
    }

    void edit_Should_ReachTheStoreOnce_When_TypingSettles_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("typed");
        QTest::newRow("room title") << "AppName"
                                    << "Quiz Night";
        QTest::newRow("winning score") << "QuizEndScore"
                                       << "21";
        QTest::newRow("equal-scores comment") << "SayOnBondage"
                                              << "Neck and neck";
    }

    void edit_Should_ReachTheStoreOnce_When_TypingSettles()
    {
        QFETCH(QString, key);
        QFETCH(QString, typed);
        ConsoleFixture c;
        const int commits = c.fake.commits;
        auto* edit = key == u"AppName"_s        ? c.ui().txtAppName
                     : key == u"QuizEndScore"_s ? c.ui().txtQuizEndScore
                                                : c.ui().txtEqualScores;
        edit->clear();
        edit->setFocus();

        QTest::keyClicks(edit, typed);

        QCOMPARE(c.fake.commits, commits);
        QTRY_COMPARE(c.fake.commits, commits + 1);
        QCOMPARE(c.stored(kMisc, key), typed);
        QTest::qWait(2 * int(quorvex::console::Main::kEditSettleTime.count()));
        QCOMPARE(c.fake.commits, commits + 1);
        QVERIFY(c.fake.boxes.empty());
        // Had the session died now, the next start would bring the edit back.
        c.restart();
        for (const Setting& setting : allSettings()) {
            if (setting.key == key) {
                QCOMPARE(setting.read(c.ui()), typed);
            }
        }
    }

    void roomSwap_Should_ReachTheStore_When_ItSettles()
    {
        ConsoleFixture c;

        c.click(c.ui().cmdTrivGroupSwap);

        QTRY_COMPARE(c.stored(kMisc, u"AppName"_s), u"Plimbo Rocking Adult"_s);
    }

    void settledEdit_Should_SayWhySavingFailed()
    {
        ConsoleFixture c;
        c.fake.commitFailure = u"The settings could not be saved to /x/QVX.ini: its lock file /x/QVX.ini.lock is "
                               "still held after 3 seconds"_s;

        c.ui().txtQuizEndScore->setText(u"25"_s);

        QTRY_COMPARE(c.boxes(), QStringList{*c.fake.commitFailure + u" | critical | Error!"_s});
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

        QCOMPARE(c.boxes(), QStringList{u"All settings saved | information | FYI"_s});
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

        QCOMPARE(c.boxes(), QStringList{*c.fake.commitFailure + u" | critical | Error!"_s});
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
                QCOMPARE(c.boxes().last(), u"All settings saved | information | FYI"_s);
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
