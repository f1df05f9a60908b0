// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtPlatformPreference.h"

#include <QTest>

using quorvex::platform::preferredQtPlatform;
using quorvex::platform::preferX11WhereAvailable;

class TestQtPlatformPreference final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void preferredQtPlatform_Should_PreferX11OnlyWhenHostLeftTheChoiceOpen_data()
    {
        QTest::addColumn<QByteArray>("hostChoice");
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("waylandDisplay");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("Wayland desktop with XWayland") << QByteArray() << QByteArray(":0") << QByteArray("wayland-0") << QByteArray("xcb;wayland");
        QTest::newRow("X11 desktop") << QByteArray() << QByteArray(":1") << QByteArray() << QByteArray("xcb");
        QTest::newRow("Wayland without XWayland") << QByteArray() << QByteArray() << QByteArray("wayland-0") << QByteArray();
        QTest::newRow("no display at all") << QByteArray() << QByteArray() << QByteArray() << QByteArray();
        QTest::newRow("host chose Wayland") << QByteArray("wayland") << QByteArray(":0") << QByteArray("wayland-0") << QByteArray();
        QTest::newRow("host chose offscreen") << QByteArray("offscreen") << QByteArray(":0") << QByteArray() << QByteArray();
    }

    void preferredQtPlatform_Should_PreferX11OnlyWhenHostLeftTheChoiceOpen()
    {
        QFETCH(QByteArray, hostChoice);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, waylandDisplay);
        QFETCH(QByteArray, expected);

        QCOMPARE(preferredQtPlatform(hostChoice, display, waylandDisplay), expected);
    }

    void preferX11WhereAvailable_Should_SetQtPlatform_When_OnlyTheSessionSpeaks()
    {
        const QByteArray kept = qgetenv("QT_QPA_PLATFORM");
        qunsetenv("QT_QPA_PLATFORM");
        qputenv("DISPLAY", ":7");
        qputenv("WAYLAND_DISPLAY", "wayland-7");

        preferX11WhereAvailable();
        const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
        qputenv("QT_QPA_PLATFORM", "wayland");
        preferX11WhereAvailable();
        const QByteArray hostKept = qgetenv("QT_QPA_PLATFORM");
        qputenv("QT_QPA_PLATFORM", kept);

        QCOMPARE(chosen, QByteArray("xcb;wayland"));
        QCOMPARE(hostKept, QByteArray("wayland"));
    }
};

QTEST_GUILESS_MAIN(TestQtPlatformPreference)
#include "TestQtPlatformPreference.moc"
