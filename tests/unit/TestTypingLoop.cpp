// SPDX-License-Identifier: GPL-3.0-or-later
#include <QStringList>
#include <QTest>

#include "platform/x11/TypingLoop.h"

#include <deque>

using quorvex::platform::KeyboardError;
using quorvex::platform::Keystroke;
using quorvex::platform::TypingResult;
using quorvex::platform::x11::FocusPlace;
using quorvex::platform::x11::KeyChoice;
using quorvex::platform::x11::KeyLevels;
using quorvex::platform::x11::KeySink;
using quorvex::platform::x11::Keysym;
using quorvex::platform::x11::kMostReturnsPerRun;
using quorvex::platform::x11::kRunLength;
using quorvex::platform::x11::SpareKeyLending;
using quorvex::platform::x11::typeKeys;
using quorvex::platform::x11::X11Keymap;

namespace {

constexpr KeyCode kShift = 50;
constexpr KeyCode kLevel3 = 92;

// Writes down every event the loop sends: "run", "end 3", "group 1", "+38"/"-38" for a press and a release,
// "bind 200=x/y" for a borrowed key and "back" for the room brought forward again. Each run's check answers from
// `focus` (the room once the script is used up).
class RecordingSink final : public KeySink
{
public:
    QStringList events;
    std::deque<FocusPlace> focus;
    bool roomComesBack = true;
    bool bindingsTake = true;
    bool stop = false;

    FocusPlace beginRun() override
    {
        events.push_back(QStringLiteral("run"));
        if (focus.empty()) {
            return FocusPlace::Room;
        }
        const FocusPlace answer = focus.front();
        focus.pop_front();
        return answer;
    }
    bool bringRoomBack() override
    {
        events.push_back(QStringLiteral("back"));
        return roomComesBack;
    }
    void lockGroup(unsigned int group) override { events.push_back(QStringLiteral("group %1").arg(group)); }
    void key(KeyCode keycode, bool press) override
    {
        events.push_back((press ? QStringLiteral("+") : QStringLiteral("-")) + QString::number(keycode));
    }
    void endRun(std::size_t typed) override { events.push_back(QStringLiteral("end %1").arg(typed)); }
    bool bind(std::span<const KeyCode> keycodes, std::span<const KeyLevels> levels) override
    {
        QString text = QStringLiteral("bind");
        for (std::size_t i = 0; i < keycodes.size(); ++i) {
            text += QStringLiteral(" %1=%2/%3").arg(keycodes[i]).arg(name(levels[i][0])).arg(name(levels[i][1]));
        }
        events.push_back(text);
        return bindingsTake;
    }
    bool stopRequested() override { return stop; }

    // A borrowed keysym by its character: Unicode keysyms carry it in their low bits.
    static QString name(Keysym keysym)
    {
        const auto c = static_cast<char32_t>(keysym & 0xffffff);
        return QString::fromUcs4(&c, 1);
    }
};

std::vector<Keystroke> keysOf(const QString& text)
{
    std::vector<Keystroke> keys;
    for (const char32_t c : text.toStdU32String()) {
        keys.push_back(c == U'\n' ? Keystroke{Keystroke::Kind::Enter, 0} : Keystroke{Keystroke::Kind::Character, c});
    }
    return keys;
}

// A small keyboard: "a" on 38 ("A" with Shift), "@" on 24 with AltGr, "ж" on 47 in the second group, Return on 36,
// three spare keys 200, 199 and 198.
X11Keymap smallKeymap(bool withShift = true, std::vector<KeyCode> spare = {200, 199, 198})
{
    const std::vector<std::pair<Keysym, KeyChoice>> keys{
        {U'a', KeyChoice{38, false, false, 0}},   {U'A', KeyChoice{38, true, false, 0}},
        {U'@', KeyChoice{24, false, true, 0}},    {0x1000436, KeyChoice{47, false, false, 1}},
        {0xff0d, KeyChoice{36, false, false, 0}},
    };
    return X11Keymap::fromParts(keys, std::move(spare), withShift ? std::optional<KeyCode>(kShift) : std::nullopt,
                                kLevel3);
}

} // namespace

class TestTypingLoop final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typeKeys_Should_PressShiftAndAltGrOnlyForTheirKeys_And_ReleaseThemByRunEnd()
    {
        RecordingSink sink;
        SpareKeyLending lending;
        const TypingResult result = typeKeys(smallKeymap(), keysOf(QStringLiteral("aA@a\n")), lending, sink);
        QCOMPARE(result.error, KeyboardError::None);
        QCOMPARE(result.typed, std::size_t(5));
        QCOMPARE(sink.events, (QStringList{QStringLiteral("run"), QStringLiteral("+38"), QStringLiteral("-38"),
                                           QStringLiteral("+50"), QStringLiteral("+38"), QStringLiteral("-38"),
                                           QStringLiteral("-50"), QStringLiteral("+92"), QStringLiteral("+24"),
                                           QStringLiteral("-24"), QStringLiteral("-92"), QStringLiteral("+38"),
                                           QStringLiteral("-38"), QStringLiteral("+36"), QStringLiteral("-36"),
                                           QStringLiteral("end 5")}));
    }

    void typeKeys_Should_LockTheCharactersGroup_And_TheFirstAgainByRunEnd()
    {
        RecordingSink sink;
        SpareKeyLending lending;
        const TypingResult result = typeKeys(smallKeymap(), keysOf(QStringLiteral("a\u0436\u0436A")), lending, sink);
        QCOMPARE(result.error, KeyboardError::None);
        QCOMPARE(sink.events, (QStringList{QStringLiteral("run"), QStringLiteral("+38"), QStringLiteral("-38"),
                                           QStringLiteral("group 1"), QStringLiteral("+47"), QStringLiteral("-47"),
                                           QStringLiteral("+47"), QStringLiteral("-47"), QStringLiteral("group 0"),
                                           QStringLiteral("+50"), QStringLiteral("+38"), QStringLiteral("-38"),
                                           QStringLiteral("-50"), QStringLiteral("end 4")}));
    }

    void typeKeys_Should_ReleaseModifiersAndGroup_When_RunEndsHoldingThem()
    {
        RecordingSink sink;
        SpareKeyLending lending;
        const QString text = QString(qsizetype(kRunLength) - 1, u'a') + QStringLiteral("\u0436A");
        QCOMPARE(typeKeys(smallKeymap(), keysOf(text), lending, sink).error, KeyboardError::None);
        const qsizetype firstEnd = sink.events.indexOf(QStringLiteral("end %1").arg(kRunLength));
        QVERIFY(firstEnd > 0);
        QCOMPARE(sink.events.mid(firstEnd - 3, 4),
                 (QStringList{QStringLiteral("+47"), QStringLiteral("-47"), QStringLiteral("group 0"),
                              QStringLiteral("end %1").arg(kRunLength)}));
        QCOMPARE(sink.events.mid(firstEnd + 1),
                 (QStringList{QStringLiteral("run"), QStringLiteral("+50"), QStringLiteral("+38"),
                              QStringLiteral("-38"), QStringLiteral("-50"), QStringLiteral("end 1")}));
    }

    void typeKeys_Should_LendTwoCharactersToAKey_And_TypeTheSecondWithShift()
    {
        RecordingSink sink;
        SpareKeyLending lending;
        QCOMPARE(typeKeys(smallKeymap(), keysOf(QStringLiteral("\u03b1\u03b2\u00c5")), lending, sink).error,
                 KeyboardError::None);
        QCOMPARE(sink.events,
                 (QStringList{QStringLiteral("bind 200=\u03b1/\u03b2 199=\u00c5/\u00c5"), QStringLiteral("run"),
                              QStringLiteral("+200"), QStringLiteral("-200"), QStringLiteral("+50"),
                              QStringLiteral("+200"), QStringLiteral("-200"), QStringLiteral("-50"),
                              QStringLiteral("+199"), QStringLiteral("-199"), QStringLiteral("end 3")}));
    }

    void typeKeys_Should_LendTheLeastRecentlyUsedKeysFirst()
    {
        RecordingSink sink;
        SpareKeyLending lending;
        // Seven borrowed characters on three keys: the fourth pair waits for the next batch, which takes the key
        // lent longest ago.
        QCOMPARE(
            typeKeys(smallKeymap(), keysOf(QStringLiteral("\u03b1\u03b2\u03b3\u03b4\u03b5\u03b6\u03b7")), lending, sink)
                .error,
            KeyboardError::None);
        QStringList binds = sink.events.filter(QStringLiteral("bind"));
        QCOMPARE(binds, (QStringList{QStringLiteral("bind 200=\u03b1/\u03b2 199=\u03b3/\u03b4 198=\u03b5/\u03b6"),
                                     QStringLiteral("bind 200=\u03b7/\u03b7")}));
        // The next text lends the keys not used since: 199 before 198 before 200.
        sink.events.clear();
        QCOMPARE(typeKeys(smallKeymap(), keysOf(QStringLiteral("\u03c0\u03c1\u03c3")), lending, sink).error,
                 KeyboardError::None);
        QCOMPARE(sink.events.front(), QStringLiteral("bind 199=\u03c0/\u03c1 198=\u03c3/\u03c3"));
    }

    void typeKeys_Should_ResumeOnlyWhereTheConsoleTookTheFocus_data()
    {
        QTest::addColumn<QList<FocusPlace>>("checks");
        QTest::addColumn<bool>("roomComesBack");
        QTest::addColumn<KeyboardError>("error");
        QTest::addColumn<qsizetype>("runsTyped");
        QTest::addColumn<qsizetype>("returns");
        const FocusPlace room = FocusPlace::Room;
        const FocusPlace console = FocusPlace::Console;
        const FocusPlace other = FocusPlace::OtherProgram;
        QTest::newRow("another program takes it")
            << QList{room, other} << true << KeyboardError::FocusLost << qsizetype(1) << qsizetype(0);
        QTest::newRow("console takes it, room comes back")
            << QList{room, console} << true << KeyboardError::None << qsizetype(3) << qsizetype(1);
        QTest::newRow("console takes it before the first run")
            << QList{console, console, room} << true << KeyboardError::None << qsizetype(3) << qsizetype(2);
        QTest::newRow("console takes it at each of two runs")
            << QList{room, console, room, console} << true << KeyboardError::None << qsizetype(3) << qsizetype(2);
        QTest::newRow("room does not come back")
            << QList{room, console} << false << KeyboardError::FocusLost << qsizetype(1) << qsizetype(1);
        QTest::newRow("console keeps taking it")
            << QList<FocusPlace>(qsizetype(kMostReturnsPerRun) + 2, console) << true << KeyboardError::FocusLost
            << qsizetype(0) << qsizetype(kMostReturnsPerRun);
        QTest::newRow("console, then another program")
            << QList{room, console, other} << true << KeyboardError::FocusLost << qsizetype(1) << qsizetype(1);
    }

    void typeKeys_Should_ResumeOnlyWhereTheConsoleTookTheFocus()
    {
        QFETCH(QList<FocusPlace>, checks);
        QFETCH(bool, roomComesBack);
        QFETCH(KeyboardError, error);
        QFETCH(qsizetype, runsTyped);
        QFETCH(qsizetype, returns);
        RecordingSink sink;
        SpareKeyLending lending;
        sink.focus.assign(checks.begin(), checks.end());
        sink.roomComesBack = roomComesBack;
        const TypingResult result =
            typeKeys(smallKeymap(), keysOf(QString(3 * qsizetype(kRunLength), u'a')), lending, sink);
        QCOMPARE(result.error, error);
        QCOMPARE(result.typed, std::size_t(runsTyped) * kRunLength);
        // Every key reached the room once: none lost at a return, none typed twice.
        QCOMPARE(sink.events.filter(QStringLiteral("+38")).size(), runsTyped * qsizetype(kRunLength));
        QCOMPARE(sink.events.count(QStringLiteral("back")), returns);
        // A run whose check failed ends with no key and before the room is asked for.
        for (qsizetype i = 0; i < sink.events.size(); ++i) {
            if (sink.events[i] == QStringLiteral("back")) {
                QCOMPARE(sink.events.mid(i - 2, 2), (QStringList{QStringLiteral("run"), QStringLiteral("end 0")}));
            }
        }
    }

    void typeKeys_Should_StopBetweenRuns_When_ProgramIsEnding()
    {
        RecordingSink sink;
        SpareKeyLending lending;
        sink.stop = true;
        const TypingResult result = typeKeys(smallKeymap(), keysOf(QStringLiteral("aaa")), lending, sink);
        QCOMPARE(result.error, KeyboardError::FocusLost);
        QCOMPARE(result.typed, std::size_t(0));
        QVERIFY(sink.events.isEmpty());
    }

    void typeKeys_Should_RefuseBeforeTypingAnything_When_CharactersCannotBeLent()
    {
        RecordingSink noSpare;
        SpareKeyLending lending;
        const TypingResult result =
            typeKeys(smallKeymap(true, {}), keysOf(QStringLiteral("a\u03b1")), lending, noSpare);
        QCOMPARE(result.error, KeyboardError::BadKeys);
        QCOMPARE(result.typed, std::size_t(0));
        QVERIFY(noSpare.events.isEmpty());

        RecordingSink refused;
        refused.bindingsTake = false;
        QCOMPARE(typeKeys(smallKeymap(), keysOf(QStringLiteral("a\u03b1")), lending, refused).error,
                 KeyboardError::BadKeys);
        QCOMPARE(refused.events.filter(QStringLiteral("+")), QStringList());
    }

    void typeKeys_Should_StopWithBadKeys_When_ShiftLevelIsNeededWithoutShiftKey()
    {
        RecordingSink sink;
        SpareKeyLending lending;
        const TypingResult result = typeKeys(smallKeymap(false), keysOf(QStringLiteral("\u03b1\u03b2")), lending, sink);
        QCOMPARE(result.error, KeyboardError::BadKeys);
        QCOMPARE(result.typed, std::size_t(1));
    }
};

QTEST_GUILESS_MAIN(TestTypingLoop)
#include "TestTypingLoop.moc"
