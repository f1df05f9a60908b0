// SPDX-License-Identifier: GPL-3.0-or-later
// The console on a Wayland desktop: sway with XWayland, the console an X11 window as it prefers to be, and the
// stand-in chat room either an xterm under XWayland or a native Wayland terminal. Runs inside
// tests/e2e/wayland-session, which provides the compositor and the room; QUORVEX_E2E_ROOM says which room it made,
// QUORVEX_E2E_ACTIVATION=urgent that sway will not hand the focus to a window that asks for it.

#include "ExpectedReports.h"
#include "console/ClickableLabel.h"
#include "console/Main.h"
#include "console/MainControls.h"
#include "console/SettingsTable.h"
#include "platform/machine/MachinePlatform.h"
#include "platform/wayland/WaylandWindowKeyboard.h"

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

#include <chrono>
#include <memory>
#include <thread>

using namespace quorvex;

namespace {

using e2e::scoreReport;

constexpr int kArrivalTimeout = 10000;
const QString kRoom = QStringLiteral("Trivia  Adult");
const QString kNoWindow = QStringLiteral("Error!: Group name is incorrect or Group is not open");
const QString kNotActivated =
    QStringLiteral("Error!: The room's window is open but did not come to the front, so nothing was typed. Bring it "
                   "forward (on its workspace, if it is on another one) and try again.");
// Both characters of the escape set that lie outside ASCII, and three that a US keyboard lacks.
const QString kForeign = QStringLiteral("\u00a3 \u00ac \u20ac \u00e9 \u00c5");

} // namespace

class TestWaylandRooms final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_record = qEnvironmentVariable("QUORVEX_E2E_RECORD");
        QVERIFY2(!m_record.isEmpty(), "run this test through tests/e2e/wayland-session");
        QVERIFY(!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"));
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        m_focusRefused = qEnvironmentVariable("QUORVEX_E2E_ACTIVATION") == QStringLiteral("urgent");
        m_nativeRoom = qEnvironmentVariable("QUORVEX_E2E_ROOM") == QStringLiteral("foot");

        connect(&m_boxAnswerer, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                m_boxes.push_back(box->windowTitle() + QStringLiteral(": ") + box->text());
                box->accept();
            } else if (auto* other = qobject_cast<QDialog*>(modal)) {
                // Unanswered, a dialog nobody expected would hold the test inside its event loop for good.
                m_boxes.push_back(other->windowTitle() + QStringLiteral(": an unexpected dialog"));
                other->reject();
            }
        });
        m_boxAnswerer.start(20);

        m_machine = std::make_unique<platform::MachinePlatform>(console::kSettingsApplication, QStringLiteral("Quorvex III"));
        m_main = std::make_unique<console::Main>(m_machine->platform());
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
        m_checked = recordedLines().size();
    }

    void cleanupTestCase()
    {
        m_main.reset();
        m_machine.reset();
    }

    void init()
    {
        m_boxes.clear();
        m_main->controls().txtAppName->setText(kRoom);
    }

    void cleanup()
    {
        if (QTest::currentTestFailed()) {
            QTest::qWait(500);
            m_checked = recordedLines().size();
        }
    }

    void awardAndScoreRequest_Should_ArriveInRoom()
    {
        if (m_focusRefused) {
            QSKIP("the room never takes the focus here");
        }
        QTest::mouseClick(m_main->controls().cmdAddScore[1], Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(newLines(), scoreReport(QStringLiteral("00"), QStringLiteral("01")), kArrivalTimeout);
        m_checked += scoreReport(QString(), QString()).size();

        QTest::mouseClick(m_main->controls().Label7, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(newLines(), scoreReport(QStringLiteral("00"), QStringLiteral("01")), kArrivalTimeout);
        m_checked += scoreReport(QString(), QString()).size();
        QCOMPARE(m_boxes, QStringList());
    }

    void say_Should_TypeForeignCharactersByteForByte()
    {
        if (m_focusRefused) {
            QSKIP("the room never takes the focus here");
        }
        const QString line = kForeign + QStringLiteral(" {x} \"y\"");

        m_main->Say(line + QStringLiteral("~") + kForeign);

        QTRY_COMPARE_WITH_TIMEOUT(newLinesBytes(), (QList<QByteArray>{QByteArray(), line.toUtf8(), kForeign.toUtf8()}),
                                  kArrivalTimeout);
        m_checked += 3;
        QCOMPARE(m_boxes, QStringList());
    }

    void say_Should_SayRoomStayedBehind_When_CompositorRefusesItTheFocus()
    {
        if (!m_focusRefused) {
            QSKIP("this compositor hands the focus to a window that asks for it");
        }
        // sway hands a new window the focus a moment after it shows; until then the room may still hold it.
        QTRY_VERIFY2_WITH_TIMEOUT(m_main->isActiveWindow(), "sway never gave the console the focus", kArrivalTimeout);
        const QByteArray before = recordedText();

        m_main->Say(QStringLiteral("must not arrive"));

        QCOMPARE(m_boxes, QStringList{kNotActivated});
        QTest::qWait(300);
        QCOMPARE(recordedText(), before);
    }

    void say_Should_SayGroupNameIsIncorrect_When_NoWindowHasTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("longer than the room's title") << QStringLiteral("Trivia  Adult Lounge");
        QTest::newRow("one blank") << QStringLiteral("Trivia Adult");
        // The console is a window of the compositor's too, an XWayland one.
        QTest::newRow("the console's own title") << QStringLiteral("Quorvex III");
        QTest::newRow("the beginning of the console's title") << QStringLiteral("Quorvex");
    }

    void say_Should_SayGroupNameIsIncorrect_When_NoWindowHasTitle()
    {
        QFETCH(QString, title);
        m_main->controls().txtAppName->setText(title);
        const QByteArray before = recordedText();

        m_main->Say(QStringLiteral("must not arrive"));

        QCOMPARE(m_boxes, QStringList{kNoWindow});
        QTest::qWait(300);
        QCOMPARE(recordedText(), before);
    }

    void type_Should_StopTyping_When_FocusMovesAwayMidText()
    {
        if (!m_nativeRoom) {
            QSKIP("the X11 keyboard's own end-to-end test covers a stolen focus in an X11 room");
        }
        platform::wayland::WaylandWindowKeyboard keyboard;
        QCOMPARE(keyboard.activate(kRoom, true), platform::KeyboardError::None);
        const std::vector<platform::Keystroke> keys(5000, platform::Keystroke{platform::Keystroke::Kind::Character, U'x'});

        // The host clicks the console while the keyboard is typing.
        std::thread thief([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            swaymsg({QStringLiteral("[title=\"^Quorvex III$\"] focus")});
        });
        const platform::TypingResult typed = keyboard.type(keys, false);
        thief.join();

        QCOMPARE(typed.error, platform::KeyboardError::FocusLost);
        QVERIFY2(typed.typed > 0 && typed.typed < keys.size(), qPrintable(QString::number(typed.typed)));
        m_main->Say(QStringLiteral("after"));
        QVERIFY2(m_boxes.isEmpty(), qPrintable(m_boxes.join(u'|')));
        QTRY_COMPARE_WITH_TIMEOUT(newLines().size(), 2, kArrivalTimeout);
        const QString cut = newLines().front();
        QVERIFY2(cut.size() > 0 && static_cast<std::size_t>(cut.size()) <= typed.typed, qPrintable(QString::number(cut.size())));
        QCOMPARE(cut, QString(cut.size(), u'x'));
        // Keys sent after the focus moved went elsewhere; the keyboard noticed before the second.
        QVERIFY2(typed.typed - static_cast<std::size_t>(cut.size()) <= 1, qPrintable(QString::number(cut.size())));
        QCOMPARE(newLines().back(), QStringLiteral("after"));
        m_checked += 2;
    }

    // Last: the room is gone afterwards.
    void say_Should_SayGroupNameIsIncorrect_When_RoomWasClosedAfterItWasUsed()
    {
        if (m_focusRefused) {
            QSKIP("the room never takes the focus here");
        }
        m_main->Say(QStringLiteral("last words"));
        QTRY_COMPARE_WITH_TIMEOUT(newLines(), (QStringList{QString(), QStringLiteral("last words")}), kArrivalTimeout);
        m_checked += 2;

        QCOMPARE(swaymsg({QStringLiteral("[title=\"^Trivia  Adult$\"] kill")}), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!swayTree().contains("\"Trivia  Adult\""), kArrivalTimeout);
        m_main->Say(QStringLiteral("into the void"));

        QCOMPARE(m_boxes, QStringList{kNoWindow});
    }

private:
    // A compositor that stops answering fails the test in ten seconds rather than holding it: the exit code, or -1.
    static int swaymsg(const QStringList& arguments, QByteArray* output = nullptr)
    {
        QProcess process;
        process.start(QStringLiteral("swaymsg"), arguments);
        if (!process.waitForFinished(10000)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        if (output) {
            *output = process.readAllStandardOutput();
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    static QByteArray swayTree()
    {
        QByteArray tree;
        swaymsg({QStringLiteral("-t"), QStringLiteral("get_tree")}, &tree);
        return tree;
    }

    // Everything the room has had, as the recorder wrote it.
    QByteArray recordedText() const
    {
        QFile file(m_record);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QList<QByteArray> recordedBytes() const
    {
        QList<QByteArray> lines = recordedText().split('\n');
        lines.removeLast();
        return lines;
    }

    QStringList recordedLines() const
    {
        QStringList lines;
        for (const QByteArray& line : recordedBytes()) {
            lines.push_back(QString::fromUtf8(line));
        }
        return lines;
    }

    QList<QByteArray> newLinesBytes() const { return recordedBytes().mid(m_checked); }
    QStringList newLines() const { return recordedLines().mid(m_checked); }

    QString m_record;
    QTemporaryDir m_config;
    bool m_focusRefused = false;
    bool m_nativeRoom = false;
    QTimer m_boxAnswerer;
    QStringList m_boxes;
    std::unique_ptr<platform::MachinePlatform> m_machine;
    std::unique_ptr<console::Main> m_main;
    qsizetype m_checked = 0;
};

QTEST_MAIN(TestWaylandRooms)
#include "TestWaylandRooms.moc"
