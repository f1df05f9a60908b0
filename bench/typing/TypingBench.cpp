// SPDX-License-Identifier: GPL-3.0-or-later
// Types a fixed 1,000-character corpus into the stand-in chat room through the X11 keyboard, several rounds, and
// prints for each the characters per second and the wrong, missing and extra characters that arrived. Runs inside
// tests/e2e/x11-session (bench/typing/run-typing-bench starts it); it measures, it does not judge.

// Qt before Xlib: Xlib's macros (Bool, Status, None) break Qt's headers.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include "grouplink/CleanText.h"
#include "grouplink/KeystrokeString.h"
#include "platform/x11/TypingLoop.h"
#include "platform/x11/X11WindowKeyboard.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

#include <X11/Xlib.h>
// X.h's None is a macro that would turn KeyboardError::None into a number.
#undef None

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
    int failures = measure("US layout, corpus", corpus, kRounds, keyboard, title, record);
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
