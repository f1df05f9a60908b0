// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/ClickableLabel.h"
#include "console/ControlTag.h"
#include "console/MacroButton.h"
#include "console/Main.h"
#include "platform/qt/IniSettingsStore.h"
#include "support/FakePlatform.h"
#include "support/RandomText.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>
#include <vector>

using quorvex::console::Main;
using quorvex::console::MainControls;
using quorvex::platform::Platform;
using quorvex::platform::qt::IniSettingsStore;
using quorvex::test::FakePlatform;

namespace {

const QString kMisc = QStringLiteral("Misc");
const QString kMacros = QStringLiteral("Macros");

// One persisted value as the host knows it: where it is stored, its value in a new window, and the control that
// shows it. Written out here rather than taken from the console's own table, so that a wrong key or a missed
// control in that table shows up.
struct Setting
{
    QString section;
    QString key;
    QString design;
    std::function<QString(const MainControls&)> read;
    std::function<void(const MainControls&, const QString&)> write;
};

std::vector<Setting> allSettings()
{
    std::vector<Setting> settings;
    settings.push_back({kMisc, QStringLiteral("AppName"), QStringLiteral("Trivia  Adult"),
                        [](const MainControls& c) { return c.txtAppName->text(); },
                        [](const MainControls& c, const QString& v) { c.txtAppName->setText(v); }});
    const QStringList captions{
        QStringLiteral(
            "*** No PM's to Question Readers during quiz - No PM's to anyone without permission in text ***"),
        QStringLiteral("*** This is a Number Answer - It MUST be typed out in letters not numbers ***"),
        QStringLiteral("*** This is a NAME answer - both names on the same line ***"),
        QStringLiteral("*** The readers decision is final - The first correct answer on the readers screen is the "
                       "winner ***"),
        QStringLiteral("Spare")};
    const QStringList tags{QString(), QString(), QString(), QString(), QStringLiteral("Spare")};
    for (int i = 0; i < 5; ++i) {
        const QString number = QStringLiteral("Macro0") + QString::number(i + 1);
        settings.push_back({kMacros, number + QStringLiteral(" Caption"), captions[i],
                            [i](const MainControls& c) { return c.cmdMacro[i]->text(); },
                            [i](const MainControls& c, const QString& v) { c.cmdMacro[i]->setText(v); }});
        settings.push_back(
            {kMacros, number + QStringLiteral(" Tag"), tags[i],
             [i](const MainControls& c) { return quorvex::console::tagOf(c.cmdMacro[i]); },
             [i](const MainControls& c, const QString& v) { quorvex::console::setTag(c.cmdMacro[i], v); }});
    }
    settings.push_back({kMisc, QStringLiteral("QuizEndScore"), QStringLiteral("30"),
                        [](const MainControls& c) { return c.txtQuizEndScore->text(); },
                        [](const MainControls& c, const QString& v) { c.txtQuizEndScore->setText(v); }});
    settings.push_back({kMisc, QStringLiteral("SayOnBondage"), QStringLiteral("*** We are in BONDAGE!!!! ***"),
                        [](const MainControls& c) { return c.txtEqualScores->text(); },
                        [](const MainControls& c, const QString& v) { c.txtEqualScores->setText(v); }});
    settings.push_back({kMisc, QStringLiteral("Team 1 Name"), QStringLiteral("GUYS"),
                        [](const MainControls& c) { return c.lblTeam[0]->text(); },
                        [](const MainControls& c, const QString& v) { c.lblTeam[0]->setText(v); }});
    settings.push_back({kMisc, QStringLiteral("Team 2 Name"), QStringLiteral("gals"),
                        [](const MainControls& c) { return c.lblTeam[1]->text(); },
                        [](const MainControls& c, const QString& v) { c.lblTeam[1]->setText(v); }});
    return settings;
}

// The fake machine with a real settings file in place of the fake store; it has to outlive the window.
Platform withStore(FakePlatform& fake, quorvex::platform::SettingsStore& store)
{
    const Platform& p = fake.platform();
    return Platform{p.messageBox, p.inputBox, p.fileChooser, store,      p.keyboard,
                    p.events,     p.clock,    p.random,      p.launcher, p.keepAbove};
}

void writeFile(const QString& path, const QByteArray& contents)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(contents), contents.size());
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Qt keeps one parsed copy of each settings file per process; a copy under another name is read from the disk.
QString copyOf(const QString& path)
{
    const QString copy = path + QStringLiteral(".copy.ini");
    QFile::remove(copy);
    return QFile::copy(path, copy) ? copy : QString();
}

bool canWriteIn(const QString& folder)
{
    QFile probe(folder + QStringLiteral("/probe"));
    const bool written = probe.open(QIODevice::WriteOnly);
    if (written) {
        probe.close();
        probe.remove();
    }
    return written;
}

QtMessageHandler g_previousHandler = nullptr;

// The offscreen platform cannot shape some of the scripts in the random texts and says so for every font, which
// buries the test's own output.
void dropMissingShaping(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.contains(QStringLiteral("OpenType support missing"))) {
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
        QTest::addColumn<bool>("otherKeys");
        QTest::newRow("empty store") << false;
        QTest::newRow("other keys but no AppName") << true;
    }

    void firstStart_Should_WriteDesignValuesInTableOrder_When_StoreHasNoAppName()
    {
        QFETCH(bool, otherKeys);
        FakePlatform fake;
        if (otherKeys) {
            fake.store[{kMisc, QStringLiteral("Team 1 Name")}] = QStringLiteral("Lads");
            fake.store[{kMacros, QStringLiteral("Macro05 Tag")}] = QStringLiteral("!30");
        }

        const Main main(fake.platform());

        const std::vector<Setting> settings = allSettings();
        QCOMPARE(fake.writes.size(), settings.size());
        for (std::size_t i = 0; i < settings.size(); ++i) {
            QCOMPARE(fake.writes[i], std::make_pair(settings[i].section, settings[i].key));
            QCOMPARE(fake.store.at({settings[i].section, settings[i].key}), settings[i].design);
            QCOMPARE(settings[i].read(main.controls()), settings[i].design);
        }
        QCOMPARE(fake.store.size(), settings.size());
        QCOMPARE(fake.commits, 1);
        QVERIFY(fake.boxes.empty());
    }

    void start_Should_LoadEmptyAppNameAsText_And_KeepTheHostsValues()
    {
        FakePlatform fake;
        const std::vector<Setting> settings = allSettings();
        for (const Setting& setting : settings) {
            fake.store[{setting.section, setting.key}] = QStringLiteral("host's ") + setting.key;
        }
        fake.store[{kMisc, QStringLiteral("AppName")}] = QString();

        const Main main(fake.platform());

        QVERIFY(fake.writes.empty());
        QCOMPARE(fake.commits, 0);
        QCOMPARE(main.controls().txtAppName->text(), QString());
        for (std::size_t i = 1; i < settings.size(); ++i) {
            QCOMPARE(settings[i].read(main.controls()), QStringLiteral("host's ") + settings[i].key);
        }
    }

    void start_Should_GiveEmptyTextAndWriteNothing_When_KeysAreMissing()
    {
        FakePlatform fake;
        fake.store[{kMisc, QStringLiteral("AppName")}] = QStringLiteral("Room");
        fake.store[{kMisc, QStringLiteral("Team 2 Name")}] = QStringLiteral("Lasses");

        const Main main(fake.platform());

        QVERIFY(fake.writes.empty());
        QCOMPARE(fake.commits, 0);
        for (const Setting& setting : allSettings()) {
            const QString expected = setting.key == QStringLiteral("AppName")       ? QStringLiteral("Room")
                                     : setting.key == QStringLiteral("Team 2 Name") ? QStringLiteral("Lasses")
                                                                                    : QString();
            QCOMPARE(setting.read(main.controls()), expected);
        }
    }

    void start_Should_GoOn_When_StoreFileIsDamaged_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("room");
        QTest::newRow("binary junk") << QByteArrayLiteral("\x00\xff\xfe\x01[\x80\x81=\"\n\r")
                                     << QStringLiteral("Trivia  Adult");
        QTest::newRow("unclosed section")
            << QByteArrayLiteral("[Misc\nAppName=Room\n[Misc]\nAppName=Other Room\n") << QStringLiteral("Other Room");
    }

    void start_Should_GoOn_When_StoreFileIsDamaged()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, room);
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("QVX/QVX.ini"));
        writeFile(path, contents);
        FakePlatform fake;
        IniSettingsStore store(path);

        Platform platform = withStore(fake, store);
        const Main main(platform);

        QCOMPARE(main.controls().txtAppName->text(), room);
        QVERIFY(fake.boxes.empty());
    }

    void close_Should_SaveEveryValueBeforeSayingSo()
    {
        FakePlatform fake;
        Main main(fake.platform());
        main.show();
        const std::vector<Setting> settings = allSettings();
        for (const Setting& setting : settings) {
            setting.write(main.controls(), QStringLiteral("new ") + setting.key);
        }
        fake.writes.clear();
        std::size_t writtenAtBox = 0;
        fake.onMessageBox = [&] { writtenAtBox = fake.writes.size(); };

        QVERIFY(main.close());

        QCOMPARE(fake.boxes.size(), std::size_t(1));
        QCOMPARE(fake.boxes[0].prompt, QStringLiteral("All settings saved"));
        QCOMPARE(fake.boxes[0].style, 64);
        QCOMPARE(fake.boxes[0].title, QStringLiteral("FYI"));
        QCOMPARE(writtenAtBox, settings.size());
        QCOMPARE(fake.commits, 2);
        for (const Setting& setting : settings) {
            QCOMPARE(fake.store.at({setting.section, setting.key}), QStringLiteral("new ") + setting.key);
        }
        QVERIFY(!main.isVisible());
    }

    void close_Should_SayWhySavingFailed_And_StillClose_data()
    {
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::newRow("read-only folder") << true;
        QTest::newRow("folder taken by a file") << false;
    }

    void close_Should_SayWhySavingFailed_And_StillClose()
    {
        QFETCH(bool, readOnlyFolder);
        const QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("QVX"));
        const QString path = folder + QStringLiteral("/QVX.ini");
        QString reason;
        QByteArray before;
        if (readOnlyFolder) {
            {
                FakePlatform fake;
                IniSettingsStore store(path);
                Platform platform = withStore(fake, store);
                Main(platform).close();
                QCOMPARE(fake.boxes.back().prompt, QStringLiteral("All settings saved"));
            }
            before = contentsOf(path);
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
            reason = QStringLiteral("ermission denied");
        } else {
            writeFile(folder, "a file where the settings folder should be");
            reason = QStringLiteral("cannot be created");
        }
        const auto restore =
            qScopeGuard([&] { QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
        if (readOnlyFolder && canWriteIn(folder)) {
            QSKIP("this user can write in a read-only folder (running as root)");
        }
        FakePlatform fake;
        IniSettingsStore store(path);
        Platform platform = withStore(fake, store);
        Main main(platform);
        main.show();
        main.controls().lblTeam[0]->setText(QStringLiteral("Lads"));
        const std::size_t boxesAtStart = fake.boxes.size();

        QVERIFY(main.close());

        QVERIFY(!main.isVisible());
        QCOMPARE(fake.boxes.size(), boxesAtStart + 1);
        for (const FakePlatform::Box& box : fake.boxes) {
            QCOMPARE(box.title, QStringLiteral("Error!"));
            QCOMPARE(box.style, 16);
            QVERIFY2(box.prompt.contains(QDir::toNativeSeparators(path)), qPrintable(box.prompt));
            QVERIFY2(box.prompt.contains(reason), qPrintable(box.prompt));
        }
        QCOMPARE(contentsOf(path), before);
    }

    void restart_Should_BringBackEveryValue_When_TextsAreRandom()
    {
        const QTemporaryDir dir;
        QRandomGenerator random(16102026);
        const std::vector<Setting> settings = allSettings();

        for (int round = 0; round < 25; ++round) {
            const QString path = dir.filePath(QStringLiteral("round%1/QVX/QVX.ini").arg(round));
            std::vector<QString> texts;
            {
                FakePlatform fake;
                IniSettingsStore store(path);
                Platform platform = withStore(fake, store);
                Main main(platform);
                for (const Setting& setting : settings) {
                    texts.push_back(quorvex::test::randomText(random, 80));
                    setting.write(main.controls(), texts.back());
                }
                QVERIFY(main.close());
                QCOMPARE(fake.boxes.back().prompt, QStringLiteral("All settings saved"));
            }

            FakePlatform fake;
            IniSettingsStore store(copyOf(path));
            Platform platform = withStore(fake, store);
            const Main main(platform);
            for (std::size_t i = 0; i < settings.size(); ++i) {
                QVERIFY2(settings[i].read(main.controls()) == texts[i],
                         qPrintable(QStringLiteral("round %1, %2").arg(round).arg(settings[i].key)));
            }
            QVERIFY(fake.boxes.empty());
        }
    }

    void restart_Should_BringBackRenamedTeam_When_WindowWasNeverClosed()
    {
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("QVX/QVX.ini"));
        QString fileAfterRename;
        {
            FakePlatform fake;
            IniSettingsStore store(path);
            Platform platform = withStore(fake, store);
            Main main(platform);
            fake.inputAnswers.push_back(QStringLiteral("Lads ~ Co"));
            QTest::mouseClick(main.controls().lblTeam[0], Qt::LeftButton);
            // The run dies here without a close. What the disk holds now is all the next run gets; QSettings
            // would still write its pending values when the store goes away, so the file is copied first.
            fileAfterRename = copyOf(path);
        }

        FakePlatform fake;
        IniSettingsStore store(fileAfterRename);
        Platform platform = withStore(fake, store);
        const Main main(platform);

        QCOMPARE(main.controls().lblTeam[0]->text(), QStringLiteral("Lads ~ Co"));
        QCOMPARE(main.controls().lblTeam[1]->text(), QStringLiteral("gals"));
        QVERIFY(fake.writes.empty());
    }
};

QTEST_MAIN(TestSettingsPersistence)
#include "TestSettingsPersistence.moc"
