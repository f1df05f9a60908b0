// SPDX-License-Identifier: GPL-3.0-or-later
// Clicks that come faster than the console can say its reports: the room hears every report whole and in the
// order of the clicks. The host's clicks go through the X server (xdotool); the room is the recorder's xterm.
// Runs inside tests/e2e/x11-session.

#include "HostAtDesktop.h"
#include "RoomRecord.h"
#include "console/Main.h"
#include "console/MainControls.h"
#include "console/SettingsTable.h"
#include "platform/MachinePlatform.h"

#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace quorvex;

namespace {

constexpr int kArrivalTimeout = 20000;

QStringList scoreReport(const QString& guys, const QString& gals)
{
    return {QString(),
            QString(),
            QStringLiteral("###################"),
            QStringLiteral("# The Score is ..."),
            QStringLiteral("# ") + guys + QStringLiteral(" GUYS"),
            QStringLiteral("# ") + gals + QStringLiteral(" gals"),
            QString()};
}

} // namespace

class TestQuickClicks final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_record = qEnvironmentVariable("QUORVEX_E2E_RECORD");
        QVERIFY2(!m_record.isEmpty(), "run this test through tests/e2e/x11-session");
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        m_platform =
            std::make_unique<platform::MachinePlatform>(console::kSettingsApplication, QStringLiteral("Quorvex III"));
        m_main = std::make_unique<console::Main>(m_platform->platform());
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    }

    void cleanupTestCase()
    {
        m_main.reset();
        m_platform.reset();
    }

    void threeClicks5msApart_Should_SayEveryReportWholeAndInClickOrder_data()
    {
        QTest::addColumn<int>("team");
        QTest::newRow("GUYS") << 0;
        QTest::newRow("gals") << 1;
    }

    void threeClicks5msApart_Should_SayEveryReportWholeAndInClickOrder()
    {
        QFETCH(int, team);
        const console::MainControls& ui = m_main->controls();
        ui.lblScore[0]->setText(QStringLiteral("00"));
        ui.lblScore[1]->setText(QStringLiteral("00"));
        const qsizetype before = recordedLines().size();
        const QPushButton& plus = *ui.cmdAddScore[std::size_t(team)];
        const QPoint middle = plus.mapToGlobal(plus.rect().center());

        QProcess host;
        host.start(QStringLiteral("xdotool"),
                   {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(middle.x()),
                    QString::number(middle.y()), QStringLiteral("click"), QStringLiteral("--repeat"),
                    QStringLiteral("3"), QStringLiteral("--delay"), QStringLiteral("5"), QStringLiteral("1")});
        QVERIFY(host.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(host.state() == QProcess::NotRunning, kArrivalTimeout);
        QCOMPARE(host.exitCode(), 0);

        QStringList expected;
        for (const char* points : {"01", "02", "03"}) {
            const QString score = QString::fromLatin1(points);
            expected += team == 0 ? scoreReport(score, QStringLiteral("00")) : scoreReport(QStringLiteral("00"), score);
        }
        QTRY_COMPARE_WITH_TIMEOUT(recordedLines().mid(before), expected, kArrivalTimeout);
        QCOMPARE(ui.lblScore[std::size_t(team)]->text(), QStringLiteral("03"));
        // Nothing more is on its way: a report typed late would show up here.
        QTest::qWait(500);
        QCOMPARE(recordedLines().mid(before), expected);
    }

private:
    // Every line the room has had, each ended by Enter; a line still being typed is not one yet.
    QStringList recordedLines() const { return e2e::recordedLines(m_record); }

    QString m_record;
    QTemporaryDir m_config;
    std::unique_ptr<platform::MachinePlatform> m_platform;
    std::unique_ptr<console::Main> m_main;
};

QTEST_MAIN(TestQuickClicks)
#include "TestQuickClicks.moc"
