// SPDX-License-Identifier: GPL-3.0-or-later
// Every box the console opens stands in front of it and holds the keyboard focus, whatever the window manager and
// whether the console stays on top or not. The host's clicks and keys go through the X server; the window
// manager's own lists say what is in front. Runs inside tests/e2e/x11-session.

#include "HostAtDesktop.h"
#include "console/ClickableLabel.h"
#include "console/MacroButton.h"
#include "console/Main.h"
#include "console/MainControls.h"
#include "console/SettingsTable.h"
#include "platform/machine/MachinePlatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "platform/x11/XlibHeaders.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <utility>

using namespace quorvex;

namespace {

constexpr int kBoxTimeout = 10000;

// One box as the host met it.
struct BoxMet
{
    QString title;
    QString text;
    bool inFront = false;      // above the console and active, with the keyboard focus
    bool closedByKeys = false; // went away on the host's keys alone
    QString seenAs;            // the window manager's view when it was not in front
};

} // namespace

class TestBoxesInFront final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariable("QUORVEX_E2E_RECORD").isEmpty(), "run this test through tests/e2e/x11-session");
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY(m_host.isOpen());
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        m_platform =
            std::make_unique<platform::MachinePlatform>(console::kSettingsApplication, QStringLiteral("Quorvex III"));
        m_main = std::make_unique<console::Main>(m_platform->platform());
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
        m_console = static_cast<unsigned long>(m_main->winId());
        QTRY_VERIFY_WITH_TIMEOUT(isManaged(m_console), kBoxTimeout);

        connect(&m_hostAtBoxes, &QTimer::timeout, this, &TestBoxesInFront::meetBoxes);
        m_hostAtBoxes.start(25);
    }

    void cleanupTestCase()
    {
        m_hostAtBoxes.stop();
        m_main.reset();
        m_platform.reset();
    }

    void init()
    {
        m_met.clear();
        m_keys.clear();
    }

    void refusedQuestionFile_Should_ShowBothBoxesInFrontWithFocus_data() { stayOnTopRows(); }

    void refusedQuestionFile_Should_ShowBothBoxesInFrontWithFocus()
    {
        QFETCH(bool, onTop);
        setStayOnTop(onTop);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("half.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("A question without its answer\n");
        file.close();
        // The host types the file's path into the dialog's "File name" box and presses Return.
        m_typed = path;
        m_keys = {{XK_Return}, {XK_Return}, {XK_Return}};

        click(*m_main->controls().cmdLoadQuestions, 1);

        QTRY_VERIFY2_WITH_TIMEOUT(m_met.size() >= 3, qPrintable(waitedFor(QStringLiteral("the \"Open\" dialog and both boxes after it"))), 4 * kBoxTimeout);
        QCOMPARE(m_met.size(), 3);
        QCOMPARE(m_met.at(0).title, QStringLiteral("Open"));
        QCOMPARE(m_met.at(2).title, QStringLiteral("Uh oh!"));
        QCOMPARE(m_met.at(2).text, QStringLiteral("There must be an error in your Questions file"));
        for (const BoxMet& box : m_met) {
            QVERIFY2(box.inFront, qPrintable(box.title + QStringLiteral(": ") + box.seenAs));
            QVERIFY2(box.closedByKeys, qPrintable(box.title + QStringLiteral(": ") + box.seenAs));
        }
        QCOMPARE(m_main->controls().lblCurrentQuestionSet->text(), QStringLiteral("Question Set Not Selected"));
    }

    void macroDefinition_Should_StandInFrontWithFocus_And_TakeTypedText_data() { stayOnTopRows(); }

    void macroDefinition_Should_StandInFrontWithFocus_And_TakeTypedText()
    {
        QFETCH(bool, onTop);
        setStayOnTop(onTop);
        const QString text = onTop ? QStringLiteral("welcome on top") : QStringLiteral("welcome below");
        m_keys = {{}};
        m_typed = text;

        click(*m_main->controls().cmdMacro[3], 3);

        QTRY_VERIFY2_WITH_TIMEOUT(!m_met.empty(), qPrintable(waitedFor(QStringLiteral("the \"Macro Definition\" box"))), 2 * kBoxTimeout);
        QCOMPARE(m_met.size(), 1);
        QCOMPARE(m_met.front().title, QStringLiteral("Macro Definition"));
        QVERIFY2(m_met.front().inFront, qPrintable(m_met.front().seenAs));
        QVERIFY(m_met.front().closedByKeys);
        QCOMPARE(m_main->controls().cmdMacro[3]->text(), text);
    }

    void macroDefinition_Should_KeepTheMacro_When_HostPressesEscape()
    {
        setStayOnTop(true);
        const QString before = m_main->controls().cmdMacro[2]->text();
        m_keys = {{XK_Escape}};

        click(*m_main->controls().cmdMacro[2], 3);

        QTRY_VERIFY2_WITH_TIMEOUT(!m_met.empty(), qPrintable(waitedFor(QStringLiteral("the \"Macro Definition\" box"))), 2 * kBoxTimeout);
        QCOMPARE(m_met.size(), 1);
        QVERIFY2(m_met.front().inFront, qPrintable(m_met.front().seenAs));
        QVERIFY(m_met.front().closedByKeys);
        QCOMPARE(m_main->controls().cmdMacro[2]->text(), before);
    }

    void sayFailure_Should_ShowErrorInFrontWithFocus_When_NoRoomHasTheTitle()
    {
        setStayOnTop(true);
        m_main->controls().txtAppName->setText(QStringLiteral("No such room"));
        m_keys = {{XK_Return}};

        click(*m_main->controls().cmdSnd, 1);

        QTRY_VERIFY2_WITH_TIMEOUT(!m_met.empty(), qPrintable(waitedFor(QStringLiteral("the \"Error!\" box"))), 2 * kBoxTimeout);
        QCOMPARE(m_met.size(), 1);
        QCOMPARE(m_met.front().title, QStringLiteral("Error!"));
        QVERIFY2(m_met.front().inFront, qPrintable(m_met.front().seenAs));
        QVERIFY(m_met.front().closedByKeys);
        m_main->controls().txtAppName->setText(QStringLiteral("Trivia  Adult"));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_clicked && event->type() == QEvent::MouseButtonPress) {
            ++m_pressesSeen;
        }
        return false;
    }

private:
    static void stayOnTopRows()
    {
        QTest::addColumn<bool>("onTop");
        QTest::newRow("console stays on top") << true;
        QTest::newRow("console does not stay on top") << false;
    }

    bool isManaged(unsigned long window) const
    {
        const std::vector<unsigned long> order = m_host.stackingOrder();
        return std::find(order.begin(), order.end(), window) != order.end();
    }

    // The host's click on `control`, noting whether the press reached it.
    void click(QWidget& control, unsigned int button)
    {
        if (m_clicked) {
            m_clicked->removeEventFilter(this);
        }
        m_clicked = &control;
        m_pressesSeen = 0;
        control.installEventFilter(this);
        m_host.click(control, button);
    }

    // What a test waited for when it gave up: the boxes, the click and the window manager's view.
    QString waitedFor(const QString& what) const
    {
        QStringList met;
        for (const BoxMet& box : m_met) {
            met << (box.seenAs.isEmpty() ? QStringLiteral("\"%1\"").arg(box.title)
                                         : QStringLiteral("\"%1\" (%2)").arg(box.title, box.seenAs));
        }
        return QStringLiteral("waited for %1 after a click on %2, which got %3 press(es); boxes met: %4; %5")
            .arg(what)
            .arg(m_clicked ? m_clicked->objectName() : QStringLiteral("nothing"))
            .arg(m_pressesSeen)
            .arg(met.isEmpty() ? QStringLiteral("none") : met.join(QStringLiteral(", ")))
            .arg(m_host.describe());
    }

    // Switches stay-on-top with a real click on its panel when it is not as wanted.
    void setStayOnTop(bool onTop)
    {
        console::ClickableLabel* panel = m_main->controls().SOT_Status;
        const QString wanted = onTop ? QStringLiteral("ON") : QStringLiteral("OFF");
        if (panel->text() != wanted) {
            click(*panel, 1);
            QTRY_VERIFY2_WITH_TIMEOUT(panel->text() == wanted, qPrintable(waitedFor(QStringLiteral("the stay-on-top panel to read ") + wanted)), kBoxTimeout);
        }
    }

    // The host at whatever box is open: waits until it is in front, then answers it with keys only, the file
    // dialog included. A box that never comes to the front or ignores the keys is noted and closed, so that a fault
    // fails the test rather than hanging it.
    void meetBoxes()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!qobject_cast<QMessageBox*>(modal) && !qobject_cast<QInputDialog*>(modal) &&
            !qobject_cast<QFileDialog*>(modal)) {
            // A modal window nobody expected would hold the test inside its event loop for good.
            if (auto* other = qobject_cast<QDialog*>(modal)) {
                m_met.push_back({other->windowTitle(), QStringLiteral("an unexpected dialog"), false, false, {}});
                QMetaObject::invokeMethod(other, "reject", Qt::QueuedConnection);
            }
            modal = nullptr;
        }
        if (m_box && m_box != modal) {
            m_box.clear();
        }
        if (!modal) {
            return;
        }
        if (!m_box) {
            m_box = modal;
            m_clock.start();
            m_answered = false;
            BoxMet met;
            met.title = modal->windowTitle();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                met.text = box->text();
            } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
                met.text = input->labelText();
            }
            m_met.push_back(met);
        }
        BoxMet& met = m_met.back();
        if (!m_answered) {
            const auto box = static_cast<unsigned long>(modal->winId());
            met.inFront = m_host.isAbove(box, m_console) && m_host.activeWindow() == box && m_host.hasInputFocus(box);
            if (met.inFront) {
                answerWithKeys();
            } else if (m_clock.hasExpired(kBoxTimeout)) {
                met.seenAs = QStringLiteral("box 0x%1 over console 0x%2: %3")
                                 .arg(box, 0, 16)
                                 .arg(m_console, 0, 16)
                                 .arg(m_host.describe());
                closeDirectly(modal);
            }
            return;
        }
        if (m_clock.hasExpired(kBoxTimeout)) {
            met.closedByKeys = false;
            met.seenAs = QStringLiteral("still open %1 ms after the host's keys").arg(kBoxTimeout);
            closeDirectly(modal);
        }
    }

    void answerWithKeys()
    {
        m_answered = true;
        m_clock.restart();
        m_met.back().closedByKeys = true; // taken back if the box outlasts the keys
        if (!m_typed.isEmpty() && !m_host.type(std::exchange(m_typed, QString()))) {
            m_met.back().seenAs = QStringLiteral("the keyboard map has no keys for the text");
        }
        const unsigned long key = m_keys.empty() ? 0 : m_keys.front().keysym;
        if (!m_keys.empty()) {
            m_keys.pop_front();
        }
        m_host.pressKey(key ? key : XK_Return);
    }

    void closeDirectly(QWidget* modal)
    {
        m_answered = true;
        m_clock.restart();
        QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
    }

    struct Key
    {
        unsigned long keysym = 0;
    };

    e2e::HostAtDesktop m_host;
    QTemporaryDir m_config;
    std::unique_ptr<platform::MachinePlatform> m_platform;
    std::unique_ptr<console::Main> m_main;
    unsigned long m_console = 0;
    QTimer m_hostAtBoxes;
    std::vector<BoxMet> m_met;
    std::deque<Key> m_keys; // the key that answers each box in turn; none given means Return
    QString m_typed;        // typed into the next box before its key
    QPointer<QWidget> m_box;
    QPointer<QWidget> m_clicked;
    int m_pressesSeen = 0;
    QElapsedTimer m_clock;
    bool m_answered = false;
};

QTEST_MAIN(TestBoxesInFront)
#include "TestBoxesInFront.moc"
