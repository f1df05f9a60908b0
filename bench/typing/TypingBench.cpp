// SPDX-License-Identifier: GPL-3.0-or-later
// Types a fixed 1,000-character corpus into the stand-in chat room through the X11 keyboard, several rounds, and
// prints for each the characters per second and the wrong, missing and extra characters that arrived. Runs inside
// tests/e2e/x11-session (bench/typing/run-typing-bench starts it); it measures, it does not judge.

#include "grouplink/CleanText.h"
#include "grouplink/KeystrokeString.h"
#include "platform/x11/X11WindowKeyboard.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

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

} // namespace

int main()
{
    const QString record = qEnvironmentVariable("QUORVEX_E2E_RECORD");
    const QString title = qEnvironmentVariable("QUORVEX_E2E_TITLE", QStringLiteral("Trivia  Adult"));
    if (record.isEmpty()) {
        std::fprintf(stderr, "QUORVEX_E2E_RECORD is not set: run this through bench/typing/run-typing-bench\n");
        return 2;
    }

    const QStringList corpus = makeCorpus();
    QString cleaned;
    for (const QString& line : corpus) {
        cleaned += quorvex::grouplink::CleanText(line) + u'~';
    }
    const std::vector<quorvex::platform::Keystroke> keystrokes = quorvex::grouplink::parseKeystrokes(cleaned).value();
    const std::u32string expected = corpus.join(u'\n').toStdU32String();

    const auto foreign = std::count_if(expected.begin(), expected.end(), [](char32_t c) { return c > 0x7e; });

    quorvex::platform::x11::X11WindowKeyboard keyboard;
    std::printf("%d characters (%lld beyond ASCII) in %lld lines, %lld keys with the Enters; %d rounds\n",
                kCorpusLength, static_cast<long long>(foreign), static_cast<long long>(corpus.size()),
                static_cast<long long>(kCorpusLength + corpus.size()), kRounds);
    std::printf("round  handed over (cps)  arrived (cps)  wrong  missing  extra\n");
    int failures = 0;
    for (int round = 1; round <= kRounds; ++round) {
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
            if (arrived.size() >= corpus.size()) {
                arrival = Clock::now() - start;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        std::this_thread::sleep_for(kSettleTime);
        arrived = recordedLines(record).mid(before);

        const Errors errors = compare(expected, arrived.join(u'\n').toStdU32String());
        std::printf("%5d  %17.0f  %13.0f  %5d  %7d  %5d\n", round, perSecond(kCorpusLength, handedOver),
                    arrival == Clock::duration{} ? 0.0 : perSecond(kCorpusLength, arrival), errors.wrong,
                    errors.missing, errors.extra);
    }
    return failures == 0 ? 0 : 1;
}
