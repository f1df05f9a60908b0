// SPDX-License-Identifier: GPL-3.0-or-later
// Types a fixed 1,000-character corpus into the stand-in chat room through the X11 keyboard, several rounds, and
// prints for each the characters per second and the wrong, missing and extra characters that arrived; then how long
// a score report takes from the call that says it to its last line in the room, with the focus starting in a window
// of the bench's own, as it starts in the console after a click. Runs inside tests/e2e/x11-session
// (bench/typing/run-typing-bench starts it); it measures, it does not judge.

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include "grouplink/CleanText.h"
#include "grouplink/GroupLink.h"
#include "grouplink/KeystrokeString.h"
#include "platform/EventPump.h"
#include "platform/MessageBox.h"
#include "platform/x11/TypingLoop.h"
#include "platform/x11/X11WindowKeyboard.h"
#include "platform/x11/XlibHeaders.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using quorvex::platform::KeyboardError;

constexpr int kCorpusLength = 1000;
constexpr int kLineLength = 50;
constexpr int kRounds = 5;
constexpr int kRarePercent = 5;
constexpr auto kArrivalTimeout = std::chrono::seconds(20);
// Time for stray keys to show up after the expected lines have arrived.
constexpr auto kSettleTime = std::chrono::milliseconds(300);

// Printable ASCII without "~" (which is Enter), with about one character in twenty taken from characters that a
// US keyboard map does not have.
QStringList makeCorpus()
{
    const std::u32string rare = U"\u00a3\u00ac\u20ac\u00e9\u00c5\u00df\u00f1\u00fc";
    std::mt19937 random(1031);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> ascii(0x20, 0x7d);
    std::uniform_int_distribution<std::size_t> pick(0, rare.size() - 1);
    QStringList lines;
    QString line;
    for (int i = 0; i < kCorpusLength; ++i) {
        const char32_t c = percent(random) < kRarePercent ? rare[pick(random)] : static_cast<char32_t>(ascii(random));
        line += QString::fromUcs4(&c, 1);
        if (line.size() == kLineLength || i == kCorpusLength - 1) {
            lines.push_back(line);
            line.clear();
        }
    }
    return lines;
}

QStringList recordedLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    lines.removeLast(); // the unfinished line, or the empty text after the last line break
    return lines;
}

struct Errors
{
    int wrong = 0;
    int missing = 0;
    int extra = 0;
};

// The fewest substitutions, deletions and insertions that turn what was typed into what arrived.
Errors compare(const std::u32string& expected, const std::u32string& arrived)
{
    const std::size_t rows = expected.size() + 1;
    const std::size_t columns = arrived.size() + 1;
    std::vector<int> cost(rows * columns);
    const auto at = [columns](std::size_t i, std::size_t j) { return i * columns + j; };
    for (std::size_t i = 0; i < rows; ++i) {
        cost[at(i, 0)] = static_cast<int>(i);
    }
    for (std::size_t j = 0; j < columns; ++j) {
        cost[at(0, j)] = static_cast<int>(j);
    }
    for (std::size_t i = 1; i < rows; ++i) {
        for (std::size_t j = 1; j < columns; ++j) {
            const int change = expected[i - 1] == arrived[j - 1] ? 0 : 1;
            cost[at(i, j)] =
                std::min({cost[at(i - 1, j - 1)] + change, cost[at(i - 1, j)] + 1, cost[at(i, j - 1)] + 1});
        }
    }
    Errors errors;
    std::size_t i = rows - 1;
    std::size_t j = columns - 1;
    while (i > 0 || j > 0) {
        if (i > 0 && j > 0 && cost[at(i, j)] == cost[at(i - 1, j - 1)] + (expected[i - 1] == arrived[j - 1] ? 0 : 1)) {
            errors.wrong += expected[i - 1] == arrived[j - 1] ? 0 : 1;
            --i;
            --j;
        } else if (i > 0 && cost[at(i, j)] == cost[at(i - 1, j)] + 1) {
            ++errors.missing;
            --i;
        } else {
            ++errors.extra;
            --j;
        }
    }
    return errors;
}

double perSecond(int count, Clock::duration time)
{
    return count / std::chrono::duration<double>(time).count();
}

// Types `lines` `rounds` times and prints a row per round; returns the number of rounds that failed.
int measure(const char* label, const QStringList& lines, int rounds,
            quorvex::platform::x11::X11WindowKeyboard& keyboard, const QString& title, const QString& record)
{
    QString cleaned;
    for (const QString& line : lines) {
        cleaned += quorvex::grouplink::CleanText(line) + u'~';
    }
    const std::vector<quorvex::platform::Keystroke> keystrokes = quorvex::grouplink::parseKeystrokes(cleaned).value();
    const std::u32string expected = lines.join(u'\n').toStdU32String();
    const auto characters = static_cast<int>(expected.size());
    const auto foreign = std::count_if(expected.begin(), expected.end(), [](char32_t c) { return c > 0x7e; });
    std::printf("\n%s: %d characters (%lld beyond ASCII) in %lld lines; %d rounds\n", label, characters,
                static_cast<long long>(foreign), static_cast<long long>(lines.size()), rounds);
    std::printf("round  handed over (cps)  arrived (cps)  wrong  missing  extra\n");
    int failures = 0;
    for (int round = 1; round <= rounds; ++round) {
        const qsizetype before = recordedLines(record).size();
        if (keyboard.activate(title, true) != KeyboardError::None) {
            std::printf("%5d  the room's window was not found or did not take the focus\n", round);
            ++failures;
            continue;
        }
        const Clock::time_point start = Clock::now();
        const KeyboardError typed = keyboard.type(keystrokes, false).error;
        const Clock::duration handedOver = Clock::now() - start;
        if (typed != KeyboardError::None) {
            std::printf("%5d  typing failed (error %d)\n", round, static_cast<int>(typed));
            ++failures;
            continue;
        }

        QStringList arrived;
        Clock::duration arrival{};
        while (Clock::now() - start < kArrivalTimeout) {
            arrived = recordedLines(record).mid(before);
            if (arrived.size() >= lines.size()) {
                arrival = Clock::now() - start;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        std::this_thread::sleep_for(kSettleTime);
        arrived = recordedLines(record).mid(before);

        const Errors errors = compare(expected, arrived.join(u'\n').toStdU32String());
        std::printf("%5d  %17.0f  %13.0f  %5d  %7d  %5d\n", round, perSecond(characters, handedOver),
                    arrival == Clock::duration{} ? 0.0 : perSecond(characters, arrival), errors.wrong, errors.missing,
                    errors.extra);
        failures += errors.wrong + errors.missing + errors.extra > 0 ? 1 : 0;
    }
    return failures;
}

// What holding the server costs per run of keys: the grab, the focus check's round trip, the title read and the
// ungrab with its round trip, without keys.
void measureGrab(Display* display)
{
    constexpr int kRuns = 2000;
    const Window root = DefaultRootWindow(display);
    const Atom name = XInternAtom(display, "_NET_WM_NAME", False);
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < kRuns; ++i) {
        XGrabServer(display);
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(display, &focus, &revert);
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long remaining = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display, root, name, 0, 64, False, AnyPropertyType, &type, &format, &count, &remaining,
                           &data);
        if (data != nullptr) {
            XFree(data);
        }
        XUngrabServer(display);
        XSync(display, False);
    }
    const double perRun = std::chrono::duration<double, std::micro>(Clock::now() - start).count() / kRuns;
    std::printf("\nserver grab with focus and title check: %.1f us per run of %zu keys, %.1f us per 1,000 characters\n",
                perRun, quorvex::platform::x11::kRunLength,
                perRun * 1000.0 / static_cast<double>(quorvex::platform::x11::kRunLength));
}

// The console's part in a say() call, without its widgets: one event pass, boxes written out and counted.
class BenchEvents final : public quorvex::platform::EventPump
{
public:
    void processPendingEvents() override { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }
};

class BenchBoxes final : public quorvex::platform::MessageBox
{
public:
    int shown = 0;
    void show(const QString& prompt, quorvex::platform::MessageStyle, const QString&) override
    {
        ++shown;
        std::printf("box: %s\n", qPrintable(prompt));
    }
    void setParentWindow(QWidget&) override {}
};

// A top-level window of this process, on a connection of its own, standing in for the console that the host has
// just clicked: it has the focus when a text is said.
class StandInConsole final
{
public:
    StandInConsole() : m_display(XOpenDisplay(nullptr))
    {
        if (m_display == nullptr) {
            return;
        }
        const Window root = DefaultRootWindow(m_display);
        m_window = XCreateSimpleWindow(m_display, root, 700, 500, 300, 200, 0, 0, 0xffffff);
        XStoreName(m_display, m_window, "Quorvex III");
        const long pid = getpid();
        XChangeProperty(m_display, m_window, XInternAtom(m_display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
        XMapRaised(m_display, m_window);
        XSync(m_display, False);
    }
    ~StandInConsole()
    {
        if (m_display != nullptr) {
            XDestroyWindow(m_display, m_window);
            XCloseDisplay(m_display);
        }
    }
    StandInConsole(const StandInConsole&) = delete;
    StandInConsole& operator=(const StandInConsole&) = delete;

    /// Asks the window manager for the focus, as a click on the console gets it, and waits until it is here.
    bool takeFocus()
    {
        if (m_display == nullptr) {
            return false;
        }
        const Window root = DefaultRootWindow(m_display);
        const Clock::time_point deadline = Clock::now() + std::chrono::seconds(5);
        while (Clock::now() < deadline) {
            XEvent event{};
            event.xclient.type = ClientMessage;
            event.xclient.window = m_window;
            event.xclient.message_type = XInternAtom(m_display, "_NET_ACTIVE_WINDOW", False);
            event.xclient.format = 32;
            event.xclient.data.l[0] = 2;
            event.xclient.data.l[1] = CurrentTime;
            XSendEvent(m_display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
            XSync(m_display, False);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            Window focus = 0;
            int revert = 0;
            XGetInputFocus(m_display, &focus, &revert);
            if (focus == m_window) {
                return true;
            }
        }
        return false;
    }

private:
    Display* m_display;
    Window m_window = 0;
};

// Says a seven-line score report several times, each time from the stand-in console's focus, and prints the time
// from the call to the last line in the room: minimum, median and maximum. Returns the number of failed rounds.
int measureSayLatency(quorvex::platform::x11::X11WindowKeyboard& keyboard, const QString& title, const QString& record)
{
    constexpr int kSayRounds = 15;
    const QString report = QStringLiteral("~###################~# The Score is ...~# 01 GUYS~# 00 gals~");
    constexpr qsizetype kReportLines = 7; // the lone Enter's empty line, the report's six lines
    BenchEvents events;
    BenchBoxes boxes;
    quorvex::grouplink::GroupLink link(keyboard, events, boxes);
    StandInConsole console;
    std::vector<double> arrivals;
    std::vector<double> returns;
    int failures = 0;
    for (int round = 0; round < kSayRounds; ++round) {
        if (!console.takeFocus()) {
            std::printf("\nthe stand-in console did not get the focus\n");
            return failures + 1;
        }
        const qsizetype before = recordedLines(record).size();
        const int boxesBefore = boxes.shown;
        const Clock::time_point start = Clock::now();
        link.say(title, report);
        returns.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        bool arrived = false;
        while (Clock::now() - start < kArrivalTimeout && boxes.shown == boxesBefore) {
            if (recordedLines(record).size() - before >= kReportLines) {
                arrivals.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
                arrived = true;
                break;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
        failures += arrived ? 0 : 1;
        // Let the room settle, and the lent keys' timer run, before the next click.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        QCoreApplication::processEvents();
    }
    const auto print = [](const char* what, std::vector<double> times) {
        if (times.empty()) {
            std::printf("%s: no round arrived\n", what);
            return;
        }
        std::sort(times.begin(), times.end());
        std::printf("%s: min %.1f ms, median %.1f ms, max %.1f ms (%zu rounds)\n", what, times.front(),
                    times[times.size() / 2], times.back(), times.size());
    };
    std::printf("\nscore report of %lld lines said from the console's focus\n", static_cast<long long>(kReportLines));
    print("say() call to its return", returns);
    print("say() call to the last line in the room", arrivals);
    return failures;
}

bool setLayout(const QStringList& arguments)
{
    QProcess setxkbmap;
    setxkbmap.start(QStringLiteral("setxkbmap"), arguments);
    return setxkbmap.waitForFinished(10000) && setxkbmap.exitCode() == 0;
}

} // namespace

int main(int argc, char* argv[])
{
    // The keyboard's release timer needs an application object; the benchmark runs no event loop, so borrowed keys
    // go back when a text needs other ones, as in a console whose host says texts back to back.
    const QCoreApplication app(argc, argv);
    const QString record = qEnvironmentVariable("QUORVEX_E2E_RECORD");
    const QString title = qEnvironmentVariable("QUORVEX_E2E_TITLE", QStringLiteral("Trivia  Adult"));
    if (record.isEmpty()) {
        std::fprintf(stderr, "QUORVEX_E2E_RECORD is not set: run this through bench/typing/run-typing-bench\n");
        return 2;
    }

    const QStringList corpus = makeCorpus();
    // Every Greek letter, more than the spare keys hold at once: a batch boundary, which waits for a stalled room.
    QString greek;
    for (char16_t c = 0x3b1; c <= 0x3c9; ++c) {
        greek += QChar(c);
    }
    for (char16_t c = 0x391; c <= 0x3a9; ++c) {
        if (c != 0x3a2) {
            greek += QChar(c);
        }
    }

    const quorvex::platform::x11::X11Display display;
    quorvex::platform::x11::X11WindowKeyboard keyboard(display);
    int failures = measureSayLatency(keyboard, title, record);
    failures += measure("US layout, corpus", corpus, kRounds, keyboard, title, record);
    failures += measure("US layout, a Greek line (batch boundary)", {greek + QStringLiteral(" ") + greek}, 2, keyboard,
                        title, record);
    if (setLayout({QStringLiteral("-layout"), QStringLiteral("ru,us")})) {
        failures += measure("ru,us layout (Russian first), corpus", corpus, kRounds, keyboard, title, record);
        setLayout({QStringLiteral("-layout"), QStringLiteral("us")});
    } else {
        std::printf("\nsetxkbmap failed: no ru,us run\n");
        ++failures;
    }
    measureGrab(display.display());
    return failures == 0 ? 0 : 1;
}
