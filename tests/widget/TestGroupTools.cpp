// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/ClickableLabel.h"
#include "console/Main.h"
#include "console/MainControls.h"
#include "support/FakePlatform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <array>
#include <memory>
#include <utility>
#include <vector>

using quorvex::console::Main;
using quorvex::test::FakePlatform;

namespace {

const QString kRoom = QStringLiteral("Trivia  Adult");

} // namespace

class TestGroupTools final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakePlatform> m_fake;
    std::unique_ptr<Main> m_main;

    void start() { m_main = std::make_unique<Main>(m_fake->platform()); }
    const quorvex::console::MainControls& ui() const { return m_main->controls(); }

    std::vector<QString> sentKeystrokes() const
    {
        std::vector<QString> keystrokes;
        for (const FakePlatform::Sent& sent : m_fake->sent) {
            keystrokes.push_back(sent.keystrokes);
        }
        return keystrokes;
    }

private Q_SLOTS:
    void init()
    {
        m_fake = std::make_unique<FakePlatform>();
        m_fake->windowTitles = {kRoom};
    }

    void cleanup() { m_main.reset(); }

    void quickSend_Should_SayTextAndKeepIt()
    {
        start();

        QTest::mouseClick(ui().cmdSnd, Qt::LeftButton);
        QTest::mouseClick(ui().cmdSnd, Qt::LeftButton);

        const std::vector<QString> once{QStringLiteral("~"), QStringLiteral("Howdy Y{'}all {:}{)}~")};
        std::vector<QString> twice = once;
        twice.insert(twice.end(), once.begin(), once.end());
        QCOMPARE(sentKeystrokes(), twice);
        QCOMPARE(m_fake->sent.front().window, kRoom);
        QCOMPARE(ui().txtSnd->text(), QStringLiteral("Howdy Y'all :)"));
        QVERIFY(m_fake->boxes.empty());
    }

    void quickSend_Should_SayChatLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("typed");
        QTest::newRow("two lines") << QStringLiteral("Round two~Get ready")
                                   << QStringLiteral("\nRound two\nGet ready\n");
        QTest::newRow("empty") << QString() << QStringLiteral("\n\n");
        QTest::newRow("empty line between") << QStringLiteral("a~~b") << QStringLiteral("\na\n\nb\n");
    }

    void quickSend_Should_SayChatLines()
    {
        QFETCH(QString, text);
        QFETCH(QString, typed);
        start();
        ui().txtSnd->setText(text);

        QTest::mouseClick(ui().cmdSnd, Qt::LeftButton);

        QCOMPARE(m_fake->typedInto(kRoom), typed);
        QCOMPARE(ui().txtSnd->text(), text);
    }

    void quickSend_Should_ReportMissingRoom()
    {
        m_fake->windowTitles.clear();
        start();

        QTest::mouseClick(ui().cmdSnd, Qt::LeftButton);

        QVERIFY(m_fake->sent.empty());
        QCOMPARE(m_fake->boxes.size(), 1u);
        QCOMPARE(m_fake->boxes[0].prompt, QStringLiteral("Group name is incorrect or Group is not open"));
    }

    void roomSwap_Should_AlternateRooms_When_TitleWasPersisted()
    {
        m_fake->store[{QStringLiteral("Misc"), QStringLiteral("AppName")}] = QStringLiteral("Plimbo Rocking Adult");
        start();
        const std::size_t writes = m_fake->writes.size();
        const int commits = m_fake->commits;
        QCOMPARE(ui().txtAppName->text(), QStringLiteral("Plimbo Rocking Adult"));
        QCOMPARE(ui().cmdTrivGroupSwap->text(), QStringLiteral("Plimbo"));

        const std::array<std::pair<QString, QString>, 3> expected{{
            {QStringLiteral("Dorrik"), QStringLiteral("Plimbo Rocking Adult")},
            {QStringLiteral("Plimbo"), QStringLiteral("Trivia Adult")},
            {QStringLiteral("Dorrik"), QStringLiteral("Plimbo Rocking Adult")},
        }};
        for (const auto& [caption, title] : expected) {
            QTest::mouseClick(ui().cmdTrivGroupSwap, Qt::LeftButton);
            QCOMPARE(ui().cmdTrivGroupSwap->text(), caption);
            QCOMPARE(ui().txtAppName->text(), title);
        }

        QVERIFY(m_fake->activations.empty());
        QVERIFY(m_fake->sent.empty());
        QCOMPARE(m_fake->writes.size(), writes);
        QCOMPARE(m_fake->commits, commits);
    }

    void roomSwap_Should_PickTriviaRoom_When_CaptionIsNotPlimbo()
    {
        start();
        ui().cmdTrivGroupSwap->setText(QStringLiteral("plimbo"));
        ui().txtAppName->setText(QStringLiteral("Typed by hand"));

        QTest::mouseClick(ui().cmdTrivGroupSwap, Qt::LeftButton);

        QCOMPARE(ui().cmdTrivGroupSwap->text(), QStringLiteral("Plimbo"));
        QCOMPARE(ui().txtAppName->text(), QStringLiteral("Trivia Adult"));
    }

    void stayOnTop_Should_ToggleKeepAbove()
    {
        start();
        QCOMPARE(ui().SOT_Status->text(), QStringLiteral("ON"));
        QVERIFY(m_fake->keepAboveCalls.empty());

        QTest::mouseClick(ui().SOT_Status, Qt::LeftButton);
        QCOMPARE(ui().SOT_Status->text(), QStringLiteral("OFF"));
        QCOMPARE(m_fake->keepAboveCalls, std::vector<bool>{false});

        QTest::mouseClick(ui().SOT_Status, Qt::LeftButton);
        QCOMPARE(ui().SOT_Status->text(), QStringLiteral("ON"));
        QCOMPARE(m_fake->keepAboveCalls, (std::vector<bool>{false, true}));

        QTest::mouseClick(ui().SOT_Status, Qt::LeftButton);
        QCOMPARE(ui().SOT_Status->text(), QStringLiteral("OFF"));
        QCOMPARE(m_fake->keepAboveCalls, (std::vector<bool>{false, true, false}));
        QVERIFY(m_fake->sent.empty());
    }

    void ping_Should_StartPingAndConfirm()
    {
        start();

        QTest::mouseClick(ui().cmdPING, Qt::LeftButton);

        QCOMPARE(m_fake->launches.size(), 1u);
        QCOMPARE(m_fake->launches[0].program, QStringLiteral("ping"));
        QCOMPARE(m_fake->launches[0].arguments,
                 (QStringList{QStringLiteral("-c"), QStringLiteral("4"), QStringLiteral("banterly.com")}));
        QCOMPARE(m_fake->boxes.size(), 1u);
        QCOMPARE(m_fake->boxes[0].prompt, QStringLiteral("Banterly has been PUNG!"));
        QCOMPARE(m_fake->boxes[0].style, 64);
        QCOMPARE(m_fake->boxes[0].title, QStringLiteral("Done it :)"));
        QVERIFY(m_fake->sent.empty());
    }

    void ping_Should_ReportError_When_PingCannotStart()
    {
        start();
        m_fake->launchFailure = QStringLiteral("No such file or directory");

        QTest::mouseClick(ui().cmdPING, Qt::LeftButton);

        QVERIFY(m_fake->launches.empty());
        QCOMPARE(m_fake->boxes.size(), 1u);
        QVERIFY(m_fake->boxes[0].prompt.contains(QStringLiteral("No such file or directory")));
        QCOMPARE(m_fake->boxes[0].style, 16);
        QCOMPARE(m_fake->boxes[0].title, QStringLiteral("Error!"));
    }
};

QTEST_MAIN(TestGroupTools)
#include "TestGroupTools.moc"
