// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/KeysymMapping.h"
#include "platform/x11/SpareKeyBatches.h"

#include <QStringList>
#include <QTest>

using quorvex::platform::Keystroke;
using quorvex::platform::x11::canonicalKeysym;
using quorvex::platform::x11::Keysym;
using quorvex::platform::x11::keysymFor;
using quorvex::platform::x11::kNoSymbol;
using quorvex::platform::x11::planSpareKeyBatches;
using quorvex::platform::x11::SpareKeyBatch;

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

class TestX11Keys final : public QObject
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

    void canonicalKeysym_Should_FindLatin1CharactersInEitherForm_data()
    {
        QTest::addColumn<qulonglong>("keysym");
        QTest::addColumn<qulonglong>("canonical");
        QTest::newRow("Unicode form of e acute") << 0x10000e9ULL << 0xe9ULL;
        QTest::newRow("Unicode form of a letter") << 0x1000041ULL << 0x41ULL;
        QTest::newRow("Latin-1 form stays") << 0xe9ULL << 0xe9ULL;
        QTest::newRow("euro sign stays Unicode") << 0x10020acULL << 0x10020acULL;
        QTest::newRow("C1 control is no Latin-1 character") << 0x1000085ULL << 0x1000085ULL;
        QTest::newRow("Return stays") << 0xff0dULL << 0xff0dULL;
    }

    void canonicalKeysym_Should_FindLatin1CharactersInEitherForm()
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
        QTest::newRow("repeats bound once") << QStringLiteral("..a..b.a") << 2 << QStringList{QStringLiteral("0-8:ab")};
        QTest::newRow("one key, many uses") << QStringLiteral("aaaa") << 1 << QStringList{QStringLiteral("0-4:a")};
        QTest::newRow("map keys stay with the run before")
            << QStringLiteral("a.b.c") << 1
            << QStringList{QStringLiteral("0-2:a"), QStringLiteral("2-4:b"), QStringLiteral("4-5:c")};
        QTest::newRow("a run binds again what an earlier one had")
            << QStringLiteral("abcabc") << 2
            << QStringList{QStringLiteral("0-2:ab"), QStringLiteral("2-4:ca"), QStringLiteral("4-6:bc")};
        QTest::newRow("exactly as many as spare keys")
            << QStringLiteral("abc.cba") << 3 << QStringList{QStringLiteral("0-7:abc")};
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

    void planSpareKeyBatches_Should_Refuse_When_KeyNeedsBindingAndNoSpareKeyExists()
    {
        QVERIFY(!planSpareKeyBatches(needsOf(QStringLiteral("..a")), 0).has_value());
    }
};

QTEST_GUILESS_MAIN(TestX11Keys)
#include "TestX11Keys.moc"
