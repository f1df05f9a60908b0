// SPDX-License-Identifier: GPL-3.0-or-later
// The host's clicks at the host's pace: clicks on the console that come faster than it says its reports, and a
// click while a long text is being typed. Each click takes the focus back to the console under a click-to-focus
// window manager; the room hears every text whole and in the order of the clicks, and no box comes up. The host's
// clicks go through the X server (xdotool); the room is the recorder's xterm. Runs inside tests/e2e/x11-session.

#include "ExpectedReports.h"
#include "HostAtDesktop.h"
#include "RoomRecord.h"
#include "console/Main.h"
#include "console/MainControls.h"
#include "console/SettingsTable.h"
#include "platform/machine/MachinePlatform.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

using namespace quorvex;

namespace {

using e2e::scoreReport;

constexpr int kArrivalTimeout = 20000;

QStringList pointer(const QWidget& control)
{
    const QPoint middle = control.mapToGlobal(control.rect().center());
    return {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(middle.x()),
            QString::number(middle.y())};
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
        QVERIFY(m_host.isOpen());
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        m_platform =
            std::make_unique<platform::MachinePlatform>(console::kSettingsApplication, QStringLiteral("Quorvex III"));
        m_main = std::make_unique<console::Main>(m_platform->platform());
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
        // A box would hold the test in its event loop: it is written down and closed, and the test fails on it.
        connect(&m_boxWatch, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                m_boxes << box->text();
                QMetaObject::invokeMethod(box, "accept", Qt::QueuedConnection);
            }
        });
        m_boxWatch.start(25);
    }

    void cleanupTestCase()
    {
        m_boxWatch.stop();
        m_main.reset();
        m_platform.reset();
    }

    void init()
    {
        const console::MainControls& ui = m_main->controls();
        ui.lblScore[0]->setText(QStringLiteral("00"));
        ui.lblScore[1]->setText(QStringLiteral("00"));
        m_boxes.clear();
        // The host's last click was on the console, which has the focus, as it has after any of its controls.
        m_host.click(*ui.txtQuizEndScore, 1);
        QTRY_VERIFY2_WITH_TIMEOUT(m_host.hasInputFocus(m_main->winId()), qPrintable(m_host.describe()), 5000);
    }

    void threeClicks_Should_SayEveryReportWholeAndInClickOrder_data()
    {
        QTest::addColumn<int>("team");
        QTest::addColumn<int>("delay");
        QTest::newRow("GUYS, 5 ms apart") << 0 << 5;
        QTest::newRow("gals, 20 ms apart") << 1 << 20;
        QTest::newRow("GUYS, 60 ms apart") << 0 << 60;
        QTest::newRow("gals, 150 ms apart") << 1 << 150;
    }

    void threeClicks_Should_SayEveryReportWholeAndInClickOrder()
    {
        QFETCH(int, team);
        QFETCH(int, delay);
        const console::MainControls& ui = m_main->controls();
        const qsizetype before = recordedLines().size();

        runHost(pointer(*ui.cmdAddScore[std::size_t(team)]) +
                QStringList{QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("3"),
                            QStringLiteral("--delay"), QString::number(delay), QStringLiteral("1")});
        if (QTest::currentTestFailed()) {
            return;
        }

        QStringList expected;
        for (const char* points : {"01", "02", "03"}) {
            const QString score = QString::fromLatin1(points);
            expected += team == 0 ? scoreReport(score, QStringLiteral("00")) : scoreReport(QStringLiteral("00"), score);
        }
        QTRY_VERIFY2_WITH_TIMEOUT(!m_boxes.isEmpty() || recordedLines().size() - before >= expected.size(),
                                  "the three reports in the room", kArrivalTimeout);
        QCOMPARE(m_boxes, QStringList());
        QCOMPARE(recordedLines().mid(before), expected);
        QCOMPARE(ui.lblScore[std::size_t(team)]->text(), QStringLiteral("03"));
        // Nothing more is on its way: a report typed late would show up here.
        QTest::qWait(500);
        QCOMPARE(recordedLines().mid(before), expected);
        QCOMPARE(m_boxes, QStringList());
    }

    void clickDuringALongText_Should_FinishTheTextThenSayTheClicksReport_data()
    {
        QTest::addColumn<bool>("onPlus");
        QTest::newRow("on \"+\", whose report follows") << true;
        QTest::newRow("on the winning score's box") << false;
    }

    void clickDuringALongText_Should_FinishTheTextThenSayTheClicksReport()
    {
        QFETCH(bool, onPlus);
        const console::MainControls& ui = m_main->controls();
        // Thirty lines of 99 characters, each line its own: a text of 2,999 characters. Two Greek letters a line,
        // every one of them, more than the spare keys hold at once: the text waits at a batch boundary for the room
        // to read its keys, so that it is still being typed when the host's hand gets there.
        const std::u32string greek = U"\u03b1\u03b2\u03b3\u03b4\u03b5\u03b6\u03b7\u03b8\u03b9\u03ba\u03bb\u03bc"
                                     U"\u03bd\u03be\u03bf\u03c0\u03c1\u03c2\u03c3\u03c4\u03c5\u03c6\u03c7\u03c8"
                                     U"\u03c9\u0391\u0392\u0393\u0394\u0395\u0396\u0397\u0398\u0399\u039a\u039b"
                                     U"\u039c\u039d\u039e\u039f\u03a0\u03a1\u03a3\u03a4\u03a5\u03a6\u03a7\u03a8\u03a9";
        QStringList lines;
        for (int i = 0; i < 30; ++i) {
            QString line = QStringLiteral("# line %1: ").arg(i + 1, 2, 10, QLatin1Char('0'));
            while (line.size() < 99) {
                line += QStringLiteral("Quick brown foxes (12) jump; ").left(99 - line.size());
            }
            line[40] = QChar(static_cast<char16_t>(greek[std::size_t(2 * i) % greek.size()]));
            line[80] = QChar(static_cast<char16_t>(greek[std::size_t(2 * i + 1) % greek.size()]));
            lines << line;
        }
        ui.txtSnd->setText(lines.join(u'~'));
        const qsizetype before = recordedLines().size();
        const QPoint send = ui.cmdSnd->mapToGlobal(ui.cmdSnd->rect().center());
        const QWidget& control = onPlus ? static_cast<const QWidget&>(*ui.cmdAddScore[0]) : *ui.txtQuizEndScore;
        const QPoint target = control.mapToGlobal(control.rect().center());

        // The host's hand is a thread of its own with its own connection: the console's thread is busy typing when
        // the click comes, once the room has the text's first line.
        std::atomic<bool> pressedWhileTyping = false;
        std::thread hand([&, record = m_record] {
            e2e::HostAtDesktop host;
            host.clickAt(send, 1);
            host.moveTo(target);
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kArrivalTimeout);
            while (e2e::recordedLines(record).size() - before < 2 && std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
            host.press(1, true);
            pressedWhileTyping = e2e::recordedLines(record).size() - before < 1 + lines.size();
            std::this_thread::sleep_for(std::chrono::milliseconds(60));
            host.press(1, false);
        });
        const QStringList expected = QStringList{QString()} + lines +
                                     (onPlus ? scoreReport(QStringLiteral("01"), QStringLiteral("00")) : QStringList());
        QTRY_VERIFY2_WITH_TIMEOUT(!m_boxes.isEmpty() || recordedLines().size() - before >= expected.size(),
                                  "the long text and the report in the room", kArrivalTimeout);
        hand.join();
        QCOMPARE(m_boxes, QStringList());
        QCOMPARE(recordedLines().mid(before), expected);
        QCOMPARE(ui.lblScore[0]->text(), onPlus ? QStringLiteral("01") : QStringLiteral("00"));
        // The press came while the text was still being typed, or the case proved nothing.
        QVERIFY2(pressedWhileTyping.load(), "the click came after the text had been typed");
        QTest::qWait(500);
        QCOMPARE(recordedLines().mid(before), expected);
    }

private:
    // Every line the room has had, each ended by Enter; a line still being typed is not one yet.
    QStringList recordedLines() const { return e2e::recordedLines(m_record); }

    // Runs xdotool with `arguments` while the console goes on handling its events.
    void runHost(const QStringList& arguments)
    {
        QProcess host;
        host.start(QStringLiteral("xdotool"), arguments);
        QVERIFY(host.waitForStarted());
        QTRY_VERIFY2_WITH_TIMEOUT(host.state() == QProcess::NotRunning, "xdotool to finish", kArrivalTimeout);
        QCOMPARE(host.exitCode(), 0);
    }

    QString m_record;
    e2e::HostAtDesktop m_host;
    QTemporaryDir m_config;
    QTimer m_boxWatch;
    QStringList m_boxes;
    std::unique_ptr<platform::MachinePlatform> m_platform;
    std::unique_ptr<console::Main> m_main;
};

QTEST_MAIN(TestQuickClicks)
#include "TestQuickClicks.moc"
