// SPDX-License-Identifier: GPL-3.0-or-later
// Clicks queued in the window system while a report is being said: they wait until it is said, then run in order.
// The console runs on the fake machine except for its event pump, which is the real one, and the clicks go
// through Qt's own window-system queue as the display server's would.
#include "console/Main.h"
#include "console/MainControls.h"
#include "platform/qt/QtEventPump.h"
#include "support/ConsoleFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

using namespace quorvex;
using namespace Qt::StringLiterals;

namespace {

QString report(const QString& guys, const QString& gals)
{
    return u"\n\n###################\n# The Score is ...\n# "_s + guys + u" GUYS\n# "_s + gals + u" gals\n\n"_s;
}

// A press and release of the left button on `control`, queued as the display server would hand them to Qt.
void queueClick(QWidget& window, const QWidget& control)
{
    const QPointF local = control.mapTo(&window, QPointF(control.rect().center()));
    const QPointF global = control.mapToGlobal(QPointF(control.rect().center()));
    QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
        window.windowHandle(), local, global, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
    QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
        window.windowHandle(), local, global, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
}

} // namespace

class TestClicksInOrder final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void threeQueuedClicks_Should_SayThreeWholeReportsInClickOrder()
    {
        test::FakePlatform fake;
        fake.windowTitles = {test::kRoom};
        platform::qt::QtEventPump pump;
        const platform::Platform& f = fake.platform();
        platform::Platform machine{f.messageBox, f.inputBox, f.fileChooser, f.settings,   f.keyboard,
                                   pump,         f.clock,    f.random,      f.launcher,   f.keepAbove,
                                   f.dataFolder, f.seededRandom};
        console::Main console(machine);
        console.show();
        QVERIFY(QTest::qWaitForWindowExposed(&console));
        const console::MainControls& ui = console.controls();

        for (int i = 0; i < 3; ++i) {
            queueClick(console, *ui.cmdAddScore[0]);
        }

        QTRY_COMPARE(fake.typedInto(test::kRoom),
                     report(u"01"_s, u"00"_s) + report(u"02"_s, u"00"_s) + report(u"03"_s, u"00"_s));
        QCOMPARE(ui.lblScore[0]->text(), u"03"_s);
        QVERIFY(fake.boxes.empty());
    }
};

QTEST_MAIN(TestClicksInOrder)
#include "TestClicksInOrder.moc"
