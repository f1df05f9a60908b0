// SPDX-License-Identifier: GPL-3.0-or-later
// The console on the real machine saying texts into a real chat client (HexChat, Pidgin, or the web client The
// Lounge in Chromium or Firefox) joined to a room of a local IRC server, where a listener writes down every message
// that arrives. The host's clicks go through the X server. Runs inside tests/irc/irc-room, itself inside
// tests/e2e/x11-session.
//
// The clients post the lines typed into them at their own pace, one every second or two after a burst, so every
// check waits for the lines to arrive rather than for a time. IRC carries no empty line and no trailing blanks:
// the room gets each chat line with its trailing blanks cut, and an empty chat line not at all.

#include "console/ClickableLabel.h"
#include "console/MacroButton.h"
#include "console/Main.h"
#include "console/MainControls.h"
#include "console/SettingsTable.h"
#include "e2e/RoomRecord.h"
#include "platform/machine/MachinePlatform.h"

#include <QApplication>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "platform/x11/XlibHeaders.h"

#include <memory>

using namespace quorvex;

namespace {

// Pidgin posts about one line in two seconds once it has a backlog; the longest text here has seven lines.
constexpr int kArrivalTimeout = 60000;

struct DisplayClose
{
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPointer = std::unique_ptr<Display, DisplayClose>;

// The lines an IRC room shows for a chat text's lines: trailing blanks cut, empty lines gone.
QStringList asIrcCarriesThem(const QStringList& chatLines)
{
    QStringList carried;
    for (QString line : chatLines) {
        while (line.endsWith(u' ')) {
            line.chop(1);
        }
        if (!line.isEmpty()) {
            carried.push_back(line);
        }
    }
    return carried;
}

} // namespace

class TestChatClients final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_record = qEnvironmentVariable("QUORVEX_IRC_RECORD");
        m_title = qEnvironmentVariable("QUORVEX_IRC_TITLE");
        QVERIFY2(!m_record.isEmpty() && !m_title.isEmpty(), "run this test through tests/irc/irc-room");
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        m_x11.reset(XOpenDisplay(nullptr));
        QVERIFY(m_x11);

        // A box stands in front of the console until the host closes it: note it and close it.
        connect(&m_boxAnswerer, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                m_boxes.push_back(box->windowTitle() + QStringLiteral(": ") + box->text());
                box->accept();
            } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
                m_boxes.push_back(input->windowTitle() + QStringLiteral(": ") + input->labelText());
                input->reject();
            } else if (auto* other = qobject_cast<QDialog*>(modal)) {
                m_boxes.push_back(other->windowTitle() + QStringLiteral(": an unexpected dialog"));
                other->reject();
            }
        });
        m_boxAnswerer.start(20);

        m_platform =
            std::make_unique<platform::MachinePlatform>(console::kSettingsApplication, QStringLiteral("Quorvex III"));
        m_main = std::make_unique<console::Main>(m_platform->platform());
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
        m_main->controls().txtAppName->setText(m_title);
        QCOMPARE(recordedLines(), QStringList());
    }

    void cleanupTestCase()
    {
        m_boxAnswerer.stop();
        m_main.reset();
        m_platform.reset();
    }

    void init() { m_boxes.clear(); }

    void cleanup()
    {
        // After a failure the lines still on their way belong to no test; later tests start after them.
        if (QTest::currentTestFailed()) {
            QTest::qWait(5000);
            m_checked = recordedLines().size();
        }
    }

    void scoreRequest_Should_ArriveWithEqualScoresComment_When_CommentHoldsForeignLettersAndPunctuation()
    {
        const QString comment = QStringLiteral("\u00a3 \u00ac \u20ac \u00e9 \u00c5 \u00fc \u00df "
                                               "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|} all square");
        m_main->controls().txtEqualScores->setText(comment);

        clickThroughServer(m_main->controls().Label7);

        expectLines({QString(), QString(), QStringLiteral("###################"), QStringLiteral("# The Score is ..."),
                     QStringLiteral("# 00 GUYS"), QStringLiteral("# 00 gals"), QString(),
                     QStringLiteral("# ") + comment, QString()});
    }

    void award_Should_ArriveAsScoreReport()
    {
        clickThroughServer(m_main->controls().cmdAddScore[0]);

        expectLines({QString(), QString(), QStringLiteral("###################"), QStringLiteral("# The Score is ..."),
                     QStringLiteral("# 01 GUYS"), QStringLiteral("# 00 gals")});
    }

    void quickSend_Should_ArriveAsOneMessagePerChatLine_When_TextHoldsTildes()
    {
        m_main->controls().txtSnd->setText(QStringLiteral("Howdy Y'all :) {braces} 50% off~~Ready?  ~  *** go ***"));

        clickThroughServer(m_main->controls().cmdSnd);

        expectLines({QString(), QStringLiteral("Howdy Y'all :) {braces} 50% off"), QString(),
                     QStringLiteral("Ready?  "), QStringLiteral("  *** go ***")});
    }

    void quickSend_Should_ArriveExactly_When_TextStartsWithCharactersTheLayoutLacks_data()
    {
        QTest::addColumn<QString>("text");
        // More letters than the spare keys hold at once, so the line is typed in batches, each begun by a key
        // bound just before.
        QString letters;
        for (char16_t c = 0x3b1; c <= 0x3c9; ++c) {
            letters += QChar(c);
        }
        letters += u' ';
        for (char16_t c = 0x391; c <= 0x3a9; ++c) {
            if (c != 0x3a2) {
                letters += QChar(c);
            }
        }
        letters += u' ';
        for (char16_t c = 0x430; c <= 0x44f; ++c) {
            letters += QChar(c);
        }
        QTest::newRow("Greek and Cyrillic") << letters;
        QTest::newRow("pound, not, euro and accents")
            << QStringLiteral("\u00a3 \u00ac \u20ac \u00e9 \u00c5 \u00fc \u00df");
    }

    void quickSend_Should_ArriveExactly_When_TextStartsWithCharactersTheLayoutLacks()
    {
        QFETCH(QString, text);
        // From a map with nothing lent, as after a pause between texts: the binding of the first batch is then the
        // only change of the map just before its first key.
        QTRY_VERIFY_WITH_TIMEOUT(!keysAreLent(), kArrivalTimeout);
        m_main->controls().txtSnd->setText(text);

        clickThroughServer(m_main->controls().cmdSnd);

        expectLines({QString(), text});
    }

    void macro_Should_ArriveAsItsText_When_LeftPressed()
    {
        clickThroughServer(m_main->controls().cmdMacro[0]);

        expectLines({QString(), QStringLiteral("*** No PM's to Question Readers during quiz - No PM's to anyone "
                                               "without permission in text ***")});
    }

private:
    // The host's click: the pointer moves over the control and its button goes down and up, through the server.
    void clickThroughServer(QWidget* control)
    {
        QVERIFY(control->isVisible() && control->isEnabled());
        const QPoint centre = control->mapToGlobal(control->rect().center());
        Display* display = m_x11.get();
        XTestFakeMotionEvent(display, -1, centre.x(), centre.y(), CurrentTime);
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        XFlush(display);
    }

    // Waits until the room has had the chat lines as IRC carries them, then checks that nothing else came.
    void expectLines(const QStringList& chatLines)
    {
        const QStringList expected = asIrcCarriesThem(chatLines);
        QTRY_COMPARE_WITH_TIMEOUT(newLines().size(), expected.size(), kArrivalTimeout);
        QCOMPARE(newLines(), expected);
        QCOMPARE(m_boxes, QStringList());
        m_checked += expected.size();
    }

    // Whether the console has characters lent to spare keys now: it notes them on the root window.
    bool keysAreLent() const
    {
        Display* display = m_x11.get();
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long remaining = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display, DefaultRootWindow(display), XInternAtom(display, "_QUORVEX_BORROWED_KEYS", False),
                           0, 16, False, AnyPropertyType, &type, &format, &count, &remaining, &data);
        if (data != nullptr) {
            XFree(data);
        }
        return type != 0;
    }

    // Every message the listener has had, one a line, each decoded from exactly the bytes it carried.
    QStringList recordedLines() const { return e2e::recordedLines(m_record); }

    QStringList newLines() const { return recordedLines().mid(m_checked); }

    QString m_record;
    QString m_title;
    QTemporaryDir m_config;
    DisplayPointer m_x11;
    QTimer m_boxAnswerer;
    QStringList m_boxes;
    std::unique_ptr<platform::MachinePlatform> m_platform;
    std::unique_ptr<console::Main> m_main;
    qsizetype m_checked = 0;
};

QTEST_MAIN(TestChatClients)
#include "TestChatClients.moc"
