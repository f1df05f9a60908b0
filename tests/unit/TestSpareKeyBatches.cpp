// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/KeysymMapping.h"
#include "platform/x11/SpareKeyBatches.h"

#include <QStringList>
#include <QTest>

using quorvex::platform::Keystroke;
using quorvex::platform::x11::canonicalKeysym;
using quorvex::platform::x11::KeyLevels;
using quorvex::platform::x11::Keysym;
using quorvex::platform::x11::keysymFor;
using quorvex::platform::x11::kNoSymbol;
using quorvex::platform::x11::leastRecentlyUsed;
using quorvex::platform::x11::planSpareKeyBatches;
using quorvex::platform::x11::SpareKeyBatch;
using quorvex::platform::x11::spareKeyLevels;
using quorvex::platform::x11::SpareSlot;
using quorvex::platform::x11::spareSlotOf;

namespace {

Keystroke character(char32_t c)
{
    return {Keystroke::Kind::Character, c};
}

// A text written as one letter per key: "." for a key the map has, any other letter for a key that needs a spare
// keycode, bound to that letter's code as its keysym.
std::vector<Keysym> needsOf(const QString& keys)
{
    std::vector<Keysym> needs;
    for (const QChar key : keys) {
        needs.push_back(key == u'.' ? kNoSymbol : key.unicode());
    }
    return needs;
}

// A plan written as "begin-end:letters" per run.
QStringList describe(const std::vector<SpareKeyBatch>& batches)
{
    QStringList runs;
    for (const SpareKeyBatch& batch : batches) {
        QString letters;
        for (const Keysym keysym : batch.keysyms) {
            letters += QChar(static_cast<char16_t>(keysym));
        }
        runs.push_back(QStringLiteral("%1-%2:%3").arg(batch.begin).arg(batch.end).arg(letters));
    }
    return runs;
}

} // namespace

class TestSpareKeyBatches final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keysymFor_Should_GiveTheKeysymThatTypesTheKey_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<uint>("character");
        QTest::addColumn<qulonglong>("keysym");
        const auto enter = static_cast<int>(Keystroke::Kind::Enter);
        const auto text = static_cast<int>(Keystroke::Kind::Character);
        QTest::newRow("Enter is Return, not Linefeed") << enter << 0u << 0xff0dULL;
        QTest::newRow("tab") << text << uint(U'\t') << 0xff09ULL;
        QTest::newRow("blank") << text << uint(U' ') << 0x20ULL;
        QTest::newRow("letter") << text << uint(U'a') << 0x61ULL;
        QTest::newRow("tilde typed as a character") << text << uint(U'~') << 0x7eULL;
        QTest::newRow("no-break space") << text << 0xa0u << 0xa0ULL;
        QTest::newRow("pound sign") << text << 0xa3u << 0xa3ULL;
        QTest::newRow("not sign") << text << 0xacu << 0xacULL;
        QTest::newRow("capital A with ring") << text << 0xc5u << 0xc5ULL;
        QTest::newRow("last of Latin-1") << text << 0xffu << 0xffULL;
        QTest::newRow("first past Latin-1") << text << 0x100u << 0x1000100ULL;
        QTest::newRow("euro sign") << text << 0x20acu << 0x10020acULL;
        QTest::newRow("outside the basic plane") << text << 0x1f600u << 0x101f600ULL;
    }

    void keysymFor_Should_GiveTheKeysymThatTypesTheKey()
    {
        QFETCH(int, kind);
        QFETCH(uint, character);
        QFETCH(qulonglong, keysym);
        const Keystroke key{static_cast<Keystroke::Kind>(kind), static_cast<char32_t>(character)};
        QCOMPARE(qulonglong(keysymFor(key)), keysym);
    }

    void canonicalKeysym_Should_FindEachCharacterInEitherForm_data()
    {
        QTest::addColumn<qulonglong>("keysym");
        QTest::addColumn<qulonglong>("canonical");
        QTest::newRow("Unicode form of e acute") << 0x10000e9ULL << 0xe9ULL;
        QTest::newRow("Unicode form of a letter") << 0x1000041ULL << 0x41ULL;
        QTest::newRow("Latin-1 form stays") << 0xe9ULL << 0xe9ULL;
        QTest::newRow("euro sign stays Unicode") << 0x10020acULL << 0x10020acULL;
        QTest::newRow("legacy EuroSign is the euro sign") << 0x20acULL << 0x10020acULL;
        QTest::newRow("legacy Cyrillic_zhe is U+0436") << 0x6d6ULL << 0x1000436ULL;
        QTest::newRow("legacy Greek_alpha is U+03B1") << 0x7e1ULL << 0x10003b1ULL;
        QTest::newRow("keypad plus is no character key") << 0xffabULL << 0xffabULL;
        QTest::newRow("C1 control is no Latin-1 character") << 0x1000085ULL << 0x1000085ULL;
        QTest::newRow("Return stays") << 0xff0dULL << 0xff0dULL;
    }

    void canonicalKeysym_Should_FindEachCharacterInEitherForm()
    {
        QFETCH(qulonglong, keysym);
        QFETCH(qulonglong, canonical);
        QCOMPARE(qulonglong(canonicalKeysym(Keysym(keysym))), canonical);
    }

    void canonicalKeysym_Should_MatchKeysymFor_When_CharacterIsLatin1OrBeyond()
    {
        for (const char32_t c : {U'a', U'~', U'\u00a3', U'\u00e9', U'\u00c5', U'\u20ac', U'\u0416'}) {
            const Keysym keysym = keysymFor(character(c));
            QCOMPARE(canonicalKeysym(keysym), keysym);
            QCOMPARE(canonicalKeysym(0x01000000 | c), keysym);
        }
    }

    void planSpareKeyBatches_Should_CutTextWhereSpareKeysRunOut_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("spare");
        QTest::addColumn<QStringList>("runs");
        QTest::newRow("empty text") << QString() << 3 << QStringList();
        QTest::newRow("empty text, no spare key") << QString() << 0 << QStringList();
        QTest::newRow("all on the map, no spare key")
            << QStringLiteral(".....") << 0 << QStringList{QStringLiteral("0-5:")};
        QTest::newRow("repeats bound once") << QStringLiteral("..a..b.a") << 1 << QStringList{QStringLiteral("0-8:ab")};
        QTest::newRow("one key, many uses") << QStringLiteral("aaaa") << 1 << QStringList{QStringLiteral("0-4:a")};
        QTest::newRow("two characters to a key")
            << QStringLiteral("a.b.c") << 1 << QStringList{QStringLiteral("0-4:ab"), QStringLiteral("4-5:c")};
        QTest::newRow("a run binds again what an earlier one had")
            << QStringLiteral("abcabc") << 1
            << QStringList{QStringLiteral("0-2:ab"), QStringLiteral("2-4:ca"), QStringLiteral("4-6:bc")};
        QTest::newRow("exactly as many as the keys hold")
            << QStringLiteral("abcdef.fedcba") << 3 << QStringList{QStringLiteral("0-13:abcdef")};
    }

    void planSpareKeyBatches_Should_CutTextWhereSpareKeysRunOut()
    {
        QFETCH(QString, keys);
        QFETCH(int, spare);
        QFETCH(QStringList, runs);
        const std::optional<std::vector<SpareKeyBatch>> plan =
            planSpareKeyBatches(needsOf(keys), static_cast<std::size_t>(spare));
        QVERIFY(plan.has_value());
        QCOMPARE(describe(*plan), runs);
    }

    void spareKeyLevels_Should_PutTwoToAKey_And_AnOddLastOneOnBothLevels()
    {
        const std::vector<Keysym> keysyms{0x3b1, 0x3b2, 0xc5};
        const std::vector<KeyLevels> levels = spareKeyLevels(keysyms);
        QCOMPARE(levels.size(), std::size_t(2));
        QCOMPARE(levels[0], (KeyLevels{0x3b1, 0x3b2}));
        // Alone on its key and on both levels: no case rule can make "Å" an "å".
        QCOMPARE(levels[1], (KeyLevels{0xc5, 0xc5}));
        QCOMPARE(spareSlotOf(keysyms, 0x3b1), (std::optional<SpareSlot>{SpareSlot{0, false}}));
        QCOMPARE(spareSlotOf(keysyms, 0x3b2), (std::optional<SpareSlot>{SpareSlot{0, true}}));
        QCOMPARE(spareSlotOf(keysyms, 0xc5), (std::optional<SpareSlot>{SpareSlot{1, false}}));
        QCOMPARE(spareSlotOf(keysyms, 0x3b3), std::nullopt);
    }

    void leastRecentlyUsed_Should_LendUnusedKeysFirst_Then_TheOldest()
    {
        const std::vector<unsigned char> spare{200, 199, 198, 197};
        std::map<unsigned char, std::uint64_t> lastUse;
        QCOMPARE(leastRecentlyUsed(spare, lastUse, 2), (std::vector<unsigned char>{200, 199}));
        lastUse = {{200, 1}, {199, 2}};
        QCOMPARE(leastRecentlyUsed(spare, lastUse, 3), (std::vector<unsigned char>{198, 197, 200}));
        lastUse = {{200, 5}, {199, 2}, {198, 4}, {197, 3}};
        QCOMPARE(leastRecentlyUsed(spare, lastUse, 4), (std::vector<unsigned char>{199, 197, 198, 200}));
        QCOMPARE(leastRecentlyUsed(spare, lastUse, 9).size(), std::size_t(4));
    }

    void planSpareKeyBatches_Should_Refuse_When_KeyNeedsBindingAndNoSpareKeyExists()
    {
        QVERIFY(!planSpareKeyBatches(needsOf(QStringLiteral("..a")), 0).has_value());
    }
};

QTEST_GUILESS_MAIN(TestSpareKeyBatches)
#include "TestSpareKeyBatches.moc"
