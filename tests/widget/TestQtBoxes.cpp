// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt boxes themselves, opened for real on the offscreen platform and answered by a timer as the host would.
#include "platform/qt/QtFileChooser.h"
#include "platform/qt/QtInputBox.h"
#include "platform/qt/QtMessageBox.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

using namespace quorvex::platform::qt;
using namespace Qt::StringLiterals;

namespace {

// Runs `answer` on the first modal dialog that opens and notes whose child it was.
class BoxAnswerer final
{
public:
    explicit BoxAnswerer(std::function<void(QDialog&)> answer) : m_answer(std::move(answer))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || dialog == m_answered) {
                return;
            }
            m_answered = dialog;
            parent = dialog->parentWidget();
            m_answer(*dialog);
        });
        m_timer.start(10);
    }

    QWidget* parent = nullptr;

private:
    std::function<void(QDialog&)> m_answer;
    QPointer<QDialog> m_answered;
    QTimer m_timer;
};

} // namespace

class TestQtBoxes final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_console = std::make_unique<QWidget>();
        m_console->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_console.get()));
        // What the file dialog leaves behind: no active window, so Qt alone would give the box no parent.
        QApplication::setActiveWindow(nullptr);
    }

    void cleanup() { m_console.reset(); }

    void everyBox_Should_BeChildOfTheConsole_When_NoWindowIsActive()
    {
        QtMessageBox messageBox(u"Quorvex III"_s);
        QtInputBox inputBox;
        QtFileChooser fileChooser;
        messageBox.setParentWindow(*m_console);
        inputBox.setParentWindow(*m_console);
        fileChooser.setParentWindow(*m_console);

        {
            BoxAnswerer host([](QDialog& box) { box.accept(); });
            messageBox.show(u"There must be an error in your Questions file"_s,
                            quorvex::platform::MessageStyle::Critical, u"Uh oh!"_s);
            QCOMPARE(host.parent, m_console.get());
        }
        {
            BoxAnswerer host([](QDialog& box) { box.reject(); });
            QCOMPARE(inputBox.ask(u"Enter Team name"_s, u"Team Name Definition"_s, u"GUYS"_s), std::nullopt);
            QCOMPARE(host.parent, m_console.get());
        }
        {
            BoxAnswerer host([](QDialog& box) { box.reject(); });
            QCOMPARE(fileChooser.chooseFileToOpen(u"All Files (*.*)|*.*"_s, 1), std::nullopt);
            QCOMPARE(host.parent, m_console.get());
        }
    }

    void inputBox_Should_ReturnWhatWasConfirmed_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("empty") << QString();
        QTest::newRow("a line") << u"Welcome~to the quiz"_s;
        // Longer than a line edit keeps by default (32,767): nothing may be cut without a word.
        QTest::newRow("40,000 characters") << QString(40000, u'x');
    }

    void inputBox_Should_ReturnWhatWasConfirmed()
    {
        QFETCH(QString, typed);
        QtInputBox inputBox;
        inputBox.setParentWindow(*m_console);
        BoxAnswerer host([&](QDialog& box) {
            auto* entry = box.findChild<QLineEdit*>();
            entry->clear();
            entry->insert(typed);
            box.accept();
        });

        const std::optional<QString> answer =
            inputBox.ask(u"What text do you want this button to send?"_s, u"Macro Definition"_s, u"old"_s);

        QVERIFY(answer);
        QCOMPARE(answer->size(), typed.size());
        QCOMPARE(*answer, typed);
    }

private:
    std::unique_ptr<QWidget> m_console;
};

QTEST_MAIN(TestQtBoxes)
#include "TestQtBoxes.moc"
