// SPDX-License-Identifier: GPL-3.0-or-later
// The X11 keyboard under the disturbances a real desktop brings: a room that stalls (SIGSTOP) while characters
// are lent to spare keys, and keyboard layouts with several groups and levels. Runs inside tests/e2e/x11-session,
// which provides the display, the window manager and the room (an xterm whose recorder writes each line it gets).

#include "RoomRecord.h"
#include "grouplink/CleanText.h"
#include "grouplink/KeystrokeString.h"
#include "platform/x11/X11WindowKeyboard.h"

#include <QFile>
#include <QProcess>
#include <QTest>

#include "platform/x11/XlibHeaders.h"

#include <signal.h>

#include <chrono>
#include <span>
#include <string>
#include <thread>

using namespace quorvex;

namespace {

constexpr int kArrivalTimeout = 15000;
const QString kRoom = QStringLiteral("Trivia  Adult");

// Latin, the pound and not signs, accents, and all 49 Greek letters: more than the spare keys hold at once, so the
// text is typed in two batches with a boundary between them.
QString textWithBatchBoundary()
{
    QString text = QStringLiteral("Q1. What is the capital city of Australia? \u00a3 \u00ac \u20ac \u00e9 \u00c5 ");
    for (char16_t c = 0x3b1; c <= 0x3c9; ++c) {
        text += QChar(c);
    }
    for (char16_t c = 0x391; c <= 0x3a9; ++c) {
        if (c != 0x3a2) {
            text += QChar(c);
        }
    }
    return text + QStringLiteral(" done");
}

} // namespace

class TestDisturbance final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_record = qEnvironmentVariable("QUORVEX_E2E_RECORD");
        QVERIFY2(!m_record.isEmpty(), "run this test through tests/e2e/x11-session");
        Display* display = XOpenDisplay(nullptr);
        QVERIFY(display != nullptr);
        const auto window = static_cast<Window>(qEnvironmentVariable("QUORVEX_E2E_WINDOW").toULong(nullptr, 16));
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long remaining = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), 0, 1, False, XA_CARDINAL, &type,
                           &format, &count, &remaining, &data);
        if (data != nullptr && count == 1) {
            m_roomPid = static_cast<pid_t>(*reinterpret_cast<const long*>(data));
        }
        if (data != nullptr) {
            XFree(data);
        }
        XCloseDisplay(display);
        QVERIFY2(m_roomPid > 0, "the room's xterm gives no _NET_WM_PID");
    }

    void cleanup()
    {
        kill(m_roomPid, SIGCONT);
        setLayout({QStringLiteral("-layout"), QStringLiteral("us")});
    }

    void type_Should_TypeEveryCharacterRight_When_RoomStalls_data()
    {
        QTest::addColumn<int>("pause");
        QTest::addColumn<bool>("atStart");
        for (const int pause : {50, 100, 300, 1000}) {
            QTest::addRow("%d ms at the start", pause) << pause << true;
            QTest::addRow("%d ms over the batch boundary", pause) << pause << false;
        }
    }

    void type_Should_TypeEveryCharacterRight_When_RoomStalls()
    {
        QFETCH(int, pause);
        QFETCH(bool, atStart);
        const QString text = textWithBatchBoundary();
        const platform::x11::X11Display display;
        platform::x11::X11WindowKeyboard keyboard(display);
        QCOMPARE(keyboard.activate(kRoom, true), platform::KeyboardError::None);
        const qsizetype before = recordedLines().size();

        // At the start the room is stopped before the first key; over the boundary it stops once the first batch
        // is out (a few milliseconds) and sleeps through the rebinding.
        if (atStart) {
            QCOMPARE(kill(m_roomPid, SIGSTOP), 0);
        }
        std::thread staller([this, pause, atStart] {
            if (!atStart) {
                std::this_thread::sleep_for(std::chrono::milliseconds(3));
                kill(m_roomPid, SIGSTOP);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(pause));
            kill(m_roomPid, SIGCONT);
        });
        const platform::TypingResult typed = keyboard.type(keysOf(text), false);
        staller.join();

        QCOMPARE(typed.error, platform::KeyboardError::None);
        QTRY_COMPARE_WITH_TIMEOUT(recordedLines().mid(before), QStringList{text}, kArrivalTimeout);
    }

    void type_Should_TypeNothing_When_TheRoomWindowWasRetitledAfterActivation()
    {
        const platform::x11::X11Display display;
        platform::x11::X11WindowKeyboard keyboard(display);
        QCOMPARE(keyboard.activate(kRoom, true), platform::KeyboardError::None);
        const qsizetype before = recordedLines().size();
        const auto window = static_cast<Window>(qEnvironmentVariable("QUORVEX_E2E_WINDOW").toULong(nullptr, 16));

        // As a chat client that turns its window to a private conversation on the opening Enter: same window, same
        // focus, another title.
        setTitle(window, "logger");
        const platform::TypingResult typed = keyboard.type(keysOf(QStringLiteral("# The Score is ...")), false);
        setTitle(window, "Trivia  Adult");

        QCOMPARE(typed.error, platform::KeyboardError::FocusLost);
        QCOMPARE(typed.typed, std::size_t(0));
        QCOMPARE(keyboard.activate(kRoom, true), platform::KeyboardError::None);
        QCOMPARE(keyboard.type(keysOf(QStringLiteral("marker")), false).error, platform::KeyboardError::None);
        QTRY_COMPARE_WITH_TIMEOUT(recordedLines().mid(before), QStringList{QStringLiteral("marker")}, kArrivalTimeout);
    }

    void type_Should_TypeEveryCharacterRight_When_LayoutHasSeveralGroupsOrDeadKeys_data()
    {
        QTest::addColumn<QStringList>("layout");
        QTest::newRow("ru,us, Russian first") << QStringList{QStringLiteral("-layout"), QStringLiteral("ru,us")};
        QTest::newRow("us,ru") << QStringList{QStringLiteral("-layout"), QStringLiteral("us,ru")};
        QTest::newRow("us-intl, dead keys") << QStringList{QStringLiteral("-layout"), QStringLiteral("us"),
                                                           QStringLiteral("-variant"), QStringLiteral("intl")};
        QTest::newRow("de") << QStringList{QStringLiteral("-layout"), QStringLiteral("de")};
        QTest::newRow("fr") << QStringList{QStringLiteral("-layout"), QStringLiteral("fr")};
    }

    void type_Should_TypeEveryCharacterRight_When_LayoutHasSeveralGroupsOrDeadKeys()
    {
        QFETCH(QStringList, layout);
        QVERIFY(setLayout(layout));
        const QString lines[] = {
            QStringLiteral("Q1. What is the capital city of Australia?"),
            QStringLiteral(
                "A: Canberra ~ \"quoted\" 'single' `back` ^caret^ {braces} [x] <y> |z| \\ / @ # $ % & * _ + = -"),
            QStringLiteral("\u00a3 \u00ac \u20ac \u00e9 \u00c5 \u00fc \u00df \u00f1 \u0416\u0436 \u03b1\u03b2\u03b3"),
        };
        const platform::x11::X11Display display;
        platform::x11::X11WindowKeyboard keyboard(display);
        for (const QString& line : lines) {
            QCOMPARE(keyboard.activate(kRoom, true), platform::KeyboardError::None);
            const qsizetype before = recordedLines().size();
            QCOMPARE(keyboard.type(keysOf(line), false).error, platform::KeyboardError::None);
            QStringList expected = line.split(u'~');
            QTRY_COMPARE_WITH_TIMEOUT(recordedLines().mid(before), expected, kArrivalTimeout);
        }
    }

private:
    static std::vector<platform::Keystroke> keysOf(const QString& text)
    {
        return grouplink::parseKeystrokes(grouplink::CleanText(text) + u'~').value();
    }

    static void setTitle(Window window, const char* title)
    {
        Display* display = XOpenDisplay(nullptr);
        const std::string text(title);
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                        XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
        XCloseDisplay(display);
    }

    static bool setLayout(const QStringList& arguments)
    {
        QProcess setxkbmap;
        setxkbmap.start(QStringLiteral("setxkbmap"), arguments);
        return setxkbmap.waitForFinished(10000) && setxkbmap.exitCode() == 0;
    }

    QStringList recordedLines() const { return e2e::recordedLines(m_record); }

    QString m_record;
    pid_t m_roomPid = 0;
};

QTEST_GUILESS_MAIN(TestDisturbance)
#include "TestDisturbance.moc"
