// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/IniSettingsStore.h"
#include "support/RandomText.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLockFile>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <vector>

using quorvex::platform::qt::IniSettingsStore;

namespace {

const QString kMisc = QStringLiteral("Misc");
const QString kMacros = QStringLiteral("Macros");

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(contents), contents.size());
}

// Qt keeps one parsed copy of each settings file per process, so a store reopened on the same path may never look
// at the disk again. A copy under another name has to be parsed from its bytes.
QString copyOf(const QString& path)
{
    const QString copy = path + QStringLiteral(".copy.ini");
    QFile::remove(copy);
    if (!QFile::copy(path, copy)) {
        return {};
    }
    return copy;
}

// The text with everything outside printable ASCII spelled as its code, so that a failure shows what differs.
QString visible(const QString& text)
{
    QString shown;
    for (const QChar c : text) {
        const bool printable = c.unicode() >= 0x20 && c.unicode() < 0x7f;
        shown += printable ? QString(c) : QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QChar(u'0'));
    }
    return shown;
}

// Whether this process can still write in a folder whose write permission has been taken away (root can).
bool canWriteIn(const QString& folder)
{
    QFile probe(folder + QStringLiteral("/probe"));
    const bool written = probe.open(QIODevice::WriteOnly);
    if (written) {
        probe.close();
        probe.remove();
    }
    return written;
}

} // namespace

class TestIniSettingsStore final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void value_Should_ComeBackUnchanged_When_ReadFromTheFile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("two blanks inside") << QStringLiteral("Trivia  Adult");
        QTest::newRow("leading and trailing blanks") << QStringLiteral("  GUYS  ");
        QTest::newRow("only blanks") << QStringLiteral("   ");
        QTest::newRow("tab at the ends") << QStringLiteral("\tgals\t");
        QTest::newRow("tilde lines") << QStringLiteral("~line one~line two~");
        QTest::newRow("quotes") << QStringLiteral("\"quoted\" and 'single'");
        QTest::newRow("lone quote") << QStringLiteral("\"");
        QTest::newRow("equals") << QStringLiteral("a=b==c");
        QTest::newRow("semicolon first") << QStringLiteral("; not a comment");
        QTest::newRow("hash first") << QStringLiteral("# not a comment");
        QTest::newRow("backslashes") << QStringLiteral("C:\\quiz\\set.txt\\");
        QTest::newRow("escape lookalike") << QStringLiteral("\\x41\\n\\0");
        QTest::newRow("at sign alone") << QStringLiteral("@");
        QTest::newRow("at sign first") << QStringLiteral("@home");
        QTest::newRow("invalid marker") << QStringLiteral("@Invalid()");
        QTest::newRow("string marker") << QStringLiteral("@String(abc)");
        QTest::newRow("byte array marker") << QStringLiteral("@ByteArray(abc)");
        QTest::newRow("variant marker") << QStringLiteral("@Variant(\\0\\0\\0\\x7f)");
        QTest::newRow("comma list lookalike") << QStringLiteral("one, two,three");
        QTest::newRow("comma at the ends") << QStringLiteral(",middle,");
        QTest::newRow("section lookalike") << QStringLiteral("[Misc]");
        QTest::newRow("line breaks") << QStringLiteral("first\nsecond\r\nthird\r");
        QTest::newRow("line break then section") << QStringLiteral("x\n[Macros]\nMacro01 Tag=evil");
        QTest::newRow("NUL then digit") << QStringLiteral("a") + QChar(u'\0') + QStringLiteral("1b");
        QTest::newRow("control then hex digit") << QStringLiteral("\x01"
                                                                  "f\x1f"
                                                                  "A");
        QTest::newRow("percent codes") << QStringLiteral("%20%U0041%");
        QTest::newRow("non-ASCII") << QStringLiteral("Gr\u00fc\u00dfe \u00a3 \u20ac \u65e5\u672c \u00e9");
        QTest::newRow("beyond the BMP") << QStringLiteral("\U0001F600 party \U0001D11E");
        QTest::newRow("C1 and DEL") << QStringLiteral("\u007f\u0080\u009f");
        QTest::newRow("BOM first") << QStringLiteral("\ufeffstart");
        QTest::newRow("BOM after a line break") << QStringLiteral("\n\ufeffnext");
        QTest::newRow("BOM after a quote") << QStringLiteral("\"\ufeff\"");
        QTest::newRow("BOM inside") << QStringLiteral("a\ufeffb, c");
        QTest::newRow("true lookalike") << QStringLiteral("true");
        QTest::newRow("number") << QStringLiteral("30");
    }

    void value_Should_ComeBackUnchanged_When_ReadFromTheFile()
    {
        QFETCH(QString, text);
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("QVX/QVX.ini"));

        {
            IniSettingsStore store(path);
            store.setValue(kMisc, QStringLiteral("SayOnBondage"), text);
            store.setValue(kMisc, QStringLiteral("After"), QStringLiteral("next"));
            QCOMPARE(store.commit(), std::nullopt);
        }

        const IniSettingsStore reread(copyOf(path));
        QCOMPARE(reread.value(kMisc, QStringLiteral("SayOnBondage")), std::optional<QString>(text));
        QCOMPARE(reread.value(kMisc, QStringLiteral("After")), std::optional<QString>(QStringLiteral("next")));
    }

    void values_Should_ComeBackUnchanged_When_TextsAreRandom()
    {
        const QTemporaryDir dir;
        QRandomGenerator random(20260301);
        std::vector<QString> keys{QStringLiteral("AppName"), QStringLiteral("QuizEndScore"),
                                  QStringLiteral("SayOnBondage"), QStringLiteral("Team 1 Name"),
                                  QStringLiteral("Team 2 Name")};
        for (int i = 1; i <= 5; ++i) {
            keys.push_back(QStringLiteral("Macro0%1 Caption").arg(i));
            keys.push_back(QStringLiteral("Macro0%1 Tag").arg(i));
        }

        for (int round = 0; round < 200; ++round) {
            const QString path = dir.filePath(QStringLiteral("round%1/QVX.ini").arg(round));
            std::vector<QString> texts;
            {
                IniSettingsStore store(path);
                for (const QString& key : keys) {
                    texts.push_back(quorvex::test::randomText(random, 60));
                    store.setValue(key.startsWith(u'M') ? kMacros : kMisc, key, texts.back());
                }
                QCOMPARE(store.commit(), std::nullopt);
            }

            const IniSettingsStore reread(copyOf(path));
            for (std::size_t k = 0; k < keys.size(); ++k) {
                const std::optional<QString> back = reread.value(keys[k].startsWith(u'M') ? kMacros : kMisc, keys[k]);
                QVERIFY2(back == texts[k], qPrintable(QStringLiteral("round %1, key \"%2\": wrote \"%3\", read \"%4\"")
                                                          .arg(round)
                                                          .arg(keys[k], visible(texts[k]),
                                                               back ? visible(*back) : QStringLiteral("<absent>"))));
            }
        }
    }

    void value_Should_BeAbsent_When_KeyWasNeverWritten()
    {
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("QVX.ini"));
        {
            IniSettingsStore store(path);
            store.setValue(kMisc, QStringLiteral("AppName"), QString());
            QCOMPARE(store.commit(), std::nullopt);
        }

        const IniSettingsStore reread(copyOf(path));
        QCOMPARE(reread.value(kMisc, QStringLiteral("AppName")), std::optional<QString>(QString()));
        QCOMPARE(reread.value(kMisc, QStringLiteral("QuizEndScore")), std::nullopt);
        QCOMPARE(reread.value(kMacros, QStringLiteral("AppName")), std::nullopt);
    }

    void open_Should_KeepWhatItCanRead_When_FileIsDamaged()
    {
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("QVX.ini"));
        writeFile(path, QByteArrayLiteral("\xff\xfe\x00garbage\n[Misc\nAppName=Room\n[Misc]\nQuizEndScore=21\n"
                                          "\"unclosed=\n"));

        IniSettingsStore store(path);
        QCOMPARE(store.value(kMisc, QStringLiteral("QuizEndScore")), std::optional<QString>(QStringLiteral("21")));

        store.setValue(kMisc, QStringLiteral("AppName"), QStringLiteral("Trivia  Adult"));
        QCOMPARE(store.commit(), std::nullopt);
        const IniSettingsStore reread(copyOf(path));
        QCOMPARE(reread.value(kMisc, QStringLiteral("AppName")),
                 std::optional<QString>(QStringLiteral("Trivia  Adult")));
        QCOMPARE(reread.value(kMisc, QStringLiteral("QuizEndScore")), std::optional<QString>(QStringLiteral("21")));
    }

    void commit_Should_ReplaceTheFileWhole()
    {
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("QVX.ini"));
        IniSettingsStore store(path);
        store.setValue(kMisc, QStringLiteral("Team 1 Name"), QStringLiteral("GUYS"));
        QCOMPARE(store.commit(), std::nullopt);
        const QByteArray before = contentsOf(path);

        // A second name for the old file: writing in place would change it too, a rename over the path does not.
        const QString oldLink = dir.filePath(QStringLiteral("old.ini"));
        std::filesystem::create_hard_link(QFile::encodeName(path).toStdString(),
                                          QFile::encodeName(oldLink).toStdString());
        store.setValue(kMisc, QStringLiteral("Team 1 Name"), QStringLiteral("Lads"));
        QCOMPARE(store.commit(), std::nullopt);

        QCOMPARE(contentsOf(oldLink), before);
        QVERIFY(contentsOf(path).contains("Lads"));
    }

    void commit_Should_NameFileAndReason_When_FolderCannotBeCreated()
    {
        const QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("QVX")), "a file where the folder should be");
        const QString path = dir.filePath(QStringLiteral("QVX/QVX.ini"));

        IniSettingsStore store(path);
        store.setValue(kMisc, QStringLiteral("AppName"), QStringLiteral("Trivia  Adult"));
        const std::optional<QString> failure = store.commit();

        QVERIFY(failure);
        QVERIFY2(failure->contains(QDir::toNativeSeparators(path)), qPrintable(*failure));
        QVERIFY2(failure->contains(QStringLiteral("cannot be created")), qPrintable(*failure));
    }

    void commit_Should_Succeed_When_AnEarlierFailureIsGone()
    {
        const QTemporaryDir dir;
        const QString blocker = dir.filePath(QStringLiteral("QVX"));
        writeFile(blocker, "in the way");
        const QString path = dir.filePath(QStringLiteral("QVX/QVX.ini"));
        IniSettingsStore store(path);
        store.setValue(kMisc, QStringLiteral("Team 2 Name"), QStringLiteral("gals"));
        QVERIFY(store.commit());

        QVERIFY(QFile::remove(blocker));
        store.setValue(kMisc, QStringLiteral("Team 1 Name"), QStringLiteral("GUYS"));
        QCOMPARE(store.commit(), std::nullopt);

        const IniSettingsStore reread(copyOf(path));
        QCOMPARE(reread.value(kMisc, QStringLiteral("Team 1 Name")), std::optional<QString>(QStringLiteral("GUYS")));
        QCOMPARE(reread.value(kMisc, QStringLiteral("Team 2 Name")), std::optional<QString>(QStringLiteral("gals")));
    }

    void commit_Should_NameFileAndReason_When_FolderIsReadOnly_data()
    {
        QTest::addColumn<QByteArray>("existing");
        QTest::newRow("well-formed file") << QByteArrayLiteral("[Misc]\nAppName=Trivia  Adult\n");
        // A file that cannot be parsed must not hide the failed write behind its own error.
        QTest::newRow("damaged file") << QByteArrayLiteral("[Misc\nAppName=Trivia  Adult\n");
    }

    void commit_Should_NameFileAndReason_When_FolderIsReadOnly()
    {
        QFETCH(QByteArray, existing);
        const QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("QVX"));
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/QVX.ini");
        writeFile(path, existing);
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        const auto restore =
            qScopeGuard([&] { QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
        if (canWriteIn(folder)) {
            QSKIP("this user can write in a read-only folder (running as root)");
        }

        IniSettingsStore store(path);
        store.setValue(kMisc, QStringLiteral("AppName"), QStringLiteral("Other Room"));
        const std::optional<QString> failure = store.commit();

        QVERIFY(failure);
        QVERIFY2(failure->contains(QDir::toNativeSeparators(path)), qPrintable(*failure));
        QVERIFY2(failure->contains(QStringLiteral("ermission denied")), qPrintable(*failure));
        QCOMPARE(contentsOf(path), existing);
    }

    void commit_Should_GiveUpInBoundedTime_When_LockCannotBeTaken_data()
    {
        QTest::addColumn<bool>("lockIsFolder");
        QTest::newRow("a folder named like the lock") << true;
        QTest::newRow("a lock another save holds") << false;
    }

    void commit_Should_GiveUpInBoundedTime_When_LockCannotBeTaken()
    {
        QFETCH(bool, lockIsFolder);
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("QVX.ini"));
        writeFile(path, "[Misc]\nAppName=Trivia  Adult\n");
        const QString lockPath = path + QStringLiteral(".lock");
        QLockFile held(lockPath);
        if (lockIsFolder) {
            QVERIFY(QDir().mkpath(lockPath));
        } else {
            QVERIFY(held.tryLock(0));
        }
        IniSettingsStore store(path, std::chrono::milliseconds(300));
        store.setValue(kMisc, QStringLiteral("AppName"), QStringLiteral("Other Room"));
        QElapsedTimer clock;
        clock.start();

        const std::optional<QString> failure = store.commit();

        QVERIFY(clock.elapsed() < 5000);
        QVERIFY(failure);
        QVERIFY2(failure->contains(QDir::toNativeSeparators(path)), qPrintable(*failure));
        QVERIFY2(failure->contains(QStringLiteral("lock file")), qPrintable(*failure));
        QVERIFY(contentsOf(path).contains("Trivia  Adult"));

        // Once the lock is free again, the next save goes through.
        if (lockIsFolder) {
            QVERIFY(QDir().rmdir(lockPath));
        } else {
            held.unlock();
        }
        QCOMPARE(store.commit(), std::nullopt);
        QVERIFY(contentsOf(path).contains("Other Room"));
    }

    void keepAside_Should_MoveFileBesideIt_And_StartEmpty()
    {
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("QVX.ini"));
        const QByteArray unreadable("\xff\xfe[\0M\0i\0s\0c\0]\0");
        writeFile(path, unreadable);
        IniSettingsStore store(path);

        const quorvex::platform::KeptAside aside = store.keepAside();

        QCOMPARE(aside.outcome, quorvex::platform::KeptAside::Outcome::Moved);
        QVERIFY2(aside.detail.startsWith(QDir::toNativeSeparators(path) + QStringLiteral(".unreadable-")),
                 qPrintable(aside.detail));
        QCOMPARE(contentsOf(aside.detail), unreadable);
        QVERIFY(!QFile::exists(path));
        store.setValue(kMisc, QStringLiteral("AppName"), QStringLiteral("Trivia  Adult"));
        QCOMPARE(store.commit(), std::nullopt);
        QCOMPARE(contentsOf(aside.detail), unreadable);
        QCOMPARE(IniSettingsStore(copyOf(path)).value(kMisc, QStringLiteral("AppName")),
                 std::optional<QString>(QStringLiteral("Trivia  Adult")));
        QCOMPARE(store.keepAside().outcome, quorvex::platform::KeptAside::Outcome::Moved);
        QCOMPARE(IniSettingsStore(path).keepAside().outcome, quorvex::platform::KeptAside::Outcome::NoFile);
    }

    void defaultPath_Should_FollowXdgConfigHome()
    {
        const QTemporaryDir dir;
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
        const QString path = IniSettingsStore::defaultPath(QStringLiteral("QVX"));
        qputenv("XDG_CONFIG_HOME", saved);

        QCOMPARE(path, dir.path() + QStringLiteral("/QVX/QVX.ini"));
    }
};

QTEST_GUILESS_MAIN(TestIniSettingsStore)
#include "TestIniSettingsStore.moc"
