// SPDX-License-Identifier: GPL-3.0-or-later
// The host's aids on the real machine, driven through the X server as the host would: Ctrl+Z takes an award back,
// Ctrl+H shows the day's record and says an entry again, and a right click switches picks without repeats. The
// room is the recorder's xterm. Runs inside tests/e2e/x11-session.

#include "ExpectedReports.h"
#include "HostAtDesktop.h"
#include "RoomRecord.h"
#include "console/ClickableLabel.h"
#include "console/Main.h"
#include "console/MainControls.h"
#include "console/SaidInRoomWindow.h"
#include "console/SettingsTable.h"
#include "platform/machine/MachinePlatform.h"
#include "platform/qt/IniSettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "platform/x11/XlibHeaders.h"

#include <memory>
#include <set>

using namespace quorvex;

namespace {

using e2e::adjustmentReport;
using e2e::scoreReport;

constexpr int kTimeout = 20000;
constexpr int kQuestions = 5;

} // namespace

class TestHostAidsEndToEnd final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_record = qEnvironmentVariable("QUORVEX_E2E_RECORD");
        QVERIFY2(!m_record.isEmpty(), "run this test through tests/e2e/x11-session");
        QVERIFY(m_host.isOpen());
        QVERIFY(m_config.isValid() && m_data.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_data.path()));

        // The file dialog is modal: a timer answers it as the host would; any other box is noted.
        connect(&m_answerer, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                m_boxes << box->windowTitle() + QStringLiteral(": ") + box->text();
                box->accept();
            } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
                // Typed into the name box as the host would: selectFile leaves a focused name box alone, and
                // accept() can refuse a file that the folder view has not listed yet.
                if (auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
                    name->setText(m_questionFile);
                }
                if (files->selectedFiles() == QStringList{m_questionFile}) {
                    static_cast<QDialog*>(files)->done(QDialog::Accepted);
                } else {
                    qWarning() << "the file dialog offers" << files->selectedFiles() << "in place of" << m_questionFile;
                    files->reject();
                }
            }
        });
        m_answerer.start(20);

        m_platform =
            std::make_unique<platform::MachinePlatform>(console::kSettingsApplication, QStringLiteral("Quorvex III"));
        m_main = std::make_unique<console::Main>(m_platform->platform());
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    }

    void cleanupTestCase()
    {
        m_answerer.stop();
        m_main.reset();
        m_platform.reset();
    }

    void hostAids_Should_UndoRecordAndDeal_When_HostUsesKeysAndClicks()
    {
        const console::MainControls& ui = m_main->controls();

        // Two points, and Ctrl+Z takes the second back with the adjustment report.
        QStringList expected = recordedLines();
        m_host.click(*ui.cmdAddScore[0], 1);
        expected += scoreReport(QStringLiteral("01"), QStringLiteral("00"));
        QTRY_COMPARE_WITH_TIMEOUT(recordedLines(), expected, kTimeout);
        m_host.click(*ui.cmdAddScore[0], 1);
        expected += scoreReport(QStringLiteral("02"), QStringLiteral("00"));
        QTRY_COMPARE_WITH_TIMEOUT(recordedLines(), expected, kTimeout);
        QVERIFY(focusConsole());
        m_host.pressWithControl(XK_z);
        expected += adjustmentReport(QStringLiteral("GUYS 01 - gals 00"));
        QTRY_COMPARE_WITH_TIMEOUT(recordedLines(), expected, kTimeout);
        QCOMPARE(ui.lblScore[0]->text(), QStringLiteral("01"));

        // Every text is in today's record, and Ctrl+H lists them, newest at the bottom.
        const QString recordPath = m_data.filePath(QStringLiteral("QVX/record-") +
                                                   QDate::currentDate().toString(Qt::ISODate) + QStringLiteral(".txt"));
        QCOMPARE(headingsIn(recordPath), 3);
        QVERIFY(focusConsole());
        m_host.pressWithControl(XK_h);
        QTRY_VERIFY_WITH_TIMEOUT(m_main->saidInRoomWindow() && m_main->saidInRoomWindow()->isVisible(), kTimeout);
        console::SaidInRoomWindow& said = *m_main->saidInRoomWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&said));
        QListWidget& entries = *said.entries();
        QCOMPARE(entries.count(), 3);
        QVERIFY(entries.item(2)->text().contains(QStringLiteral("# SCORE ADJUSTMENT")));

        // The oldest entry, picked and said again, reaches the room as it was first said.
        const QRect first = entries.visualItemRect(entries.item(0));
        m_host.clickAt(entries.viewport()->mapToGlobal(first.center()), 1);
        QTRY_COMPARE_WITH_TIMEOUT(entries.currentRow(), 0, kTimeout);
        m_host.click(*said.sayAgainButton(), 1);
        expected += scoreReport(QStringLiteral("01"), QStringLiteral("00"));
        QTRY_COMPARE_WITH_TIMEOUT(recordedLines(), expected, kTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(entries.count(), 4, kTimeout);
        QVERIFY(entries.item(3)->text().contains(QStringLiteral("# 01 GUYS")));
        QCOMPARE(headingsIn(recordPath), 4);
        said.close();

        // A right click switches picks without repeats on, and says nothing.
        m_questionFile = writeQuestionFile();
        m_host.click(*ui.cmdLoadQuestions, 1);
        QTRY_COMPARE_WITH_TIMEOUT(m_main->questionCount(), qsizetype(kQuestions), kTimeout);
        m_host.click(*ui.cmdRandomQuestion, 3);
        QMenu& menu = *m_main->randomMenu();
        QTRY_VERIFY_WITH_TIMEOUT(menu.isVisible(), kTimeout);
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QVERIFY(!m_main->noRepeatSwitch()->isChecked());
        m_host.clickAt(menu.mapToGlobal(menu.actionGeometry(m_main->noRepeatSwitch()).center()), 1);
        QTRY_VERIFY_WITH_TIMEOUT(m_main->noRepeatRandom(), kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!menu.isVisible(), kTimeout);
        QCOMPARE(
            QSettings(platform::qt::IniSettingsStore::defaultPath(console::kSettingsApplication), QSettings::IniFormat)
                .value(QStringLiteral("Misc/NoRepeatRandom")),
            QVariant(QStringLiteral("1")));

        // Two deals: each question once, then each once again.
        for (int deal = 0; deal < 2; ++deal) {
            std::set<qsizetype> dealt;
            for (int i = 0; i < kQuestions; ++i) {
                // Cleared, so that the pick shows even when it is the question on show since the load.
                ui.lblQuestion->clear();
                m_host.click(*ui.cmdRandomQuestion, 1);
                QTRY_VERIFY_WITH_TIMEOUT(!ui.lblQuestion->text().isEmpty(), kTimeout);
                dealt.insert(m_main->currentQuestion());
            }
            QCOMPARE(int(dealt.size()), kQuestions);
        }

        // The menu shows the switch on; Escape leaves it so.
        m_host.click(*ui.cmdRandomQuestion, 3);
        QTRY_VERIFY_WITH_TIMEOUT(menu.isVisible(), kTimeout);
        QVERIFY(m_main->noRepeatSwitch()->isChecked());
        m_host.pressKey(XK_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(!menu.isVisible(), kTimeout);
        QVERIFY(m_main->noRepeatRandom());

        // Nothing more reached the room: the switch and the picks say nothing.
        QTest::qWait(300);
        QCOMPARE(recordedLines(), expected);
        QCOMPARE(m_boxes, QStringList());
    }

private:
    QStringList recordedLines() const { return e2e::recordedLines(m_record); }

    // Gives the console the focus with a click on a score, which does nothing else.
    bool focusConsole()
    {
        m_host.click(*m_main->controls().lblScore[1], 1);
        return QTest::qWaitFor([this] { return m_main->isActiveWindow(); }, kTimeout);
    }

    static int headingsIn(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            return -1;
        }
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        return int(lines.filter(QStringLiteral(" in \"Trivia  Adult\": said")).size());
    }

    QString writeQuestionFile() const
    {
        const QString path = m_data.filePath(QStringLiteral("questions.txt"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            for (int i = 1; i <= kQuestions; ++i) {
                file.write(QByteArray("Question number ") + QByteArray::number(i) + "\nAnswer\n");
            }
        }
        return path;
    }

    QString m_record;
    e2e::HostAtDesktop m_host;
    QTemporaryDir m_config;
    QTemporaryDir m_data;
    QTimer m_answerer;
    QString m_questionFile;
    QStringList m_boxes;
    std::unique_ptr<platform::MachinePlatform> m_platform;
    std::unique_ptr<console::Main> m_main;
};

QTEST_MAIN(TestHostAidsEndToEnd)
#include "TestHostAidsEndToEnd.moc"
