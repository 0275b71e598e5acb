#include "dialogs/messagewindow.h"
#include "dialogs/proposalwindow.h"
#include "mainwindow/desktopnotifier.h"
#include "mainwindow/networkwindowcaps.h"
#include "wire/messages.h"
#include "support/heard.h"
#include "support/stations.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

// A notification service of the test's own on the session bus that
// dbus-run-session started for it: it records each Notify call and can
// click a notification as a user would. It has a bus connection of its own,
// so the calls cross the bus as they would to the desktop's service.
class RecordingNotifications final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Call {
        QString appName;
        uint replaces;
        QString icon;
        QString summary;
        QStringList actions;
        QVariantMap hints;
    };
    QList<Call> calls;

    RecordingNotifications()
        : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("recording")))
    {
        m_bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this, QDBusConnection::ExportAllSlots);
        m_bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
    }
    ~RecordingNotifications() override
    {
        m_bus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
        QDBusConnection::disconnectFromBus(QStringLiteral("recording"));
    }

    void click(uint id)
    {
        QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/Notifications"),
                                                         QStringLiteral("org.freedesktop.Notifications"),
                                                         QStringLiteral("ActionInvoked"));
        signal << id << QStringLiteral("default");
        m_bus.send(signal);
    }

public slots:
    uint Notify(const QString &appName, uint replaces, const QString &icon, const QString &summary, const QString &,
                const QStringList &actions, const QVariantMap &hints, int)
    {
        calls.append({appName, replaces, icon, summary, actions, hints});
        return replaces ? replaces : uint(calls.size());
    }

private:
    QDBusConnection m_bus;
};

// Desktop notifications through the freedesktop service, with no tray.
class TestNotifications final : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
    }

    // A private message and a proposal to a station not in use each give one
    // notification naming the sender as plain text; clicking it brings that
    // window forward.
    void oneNotificationPerArrival_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("summary");
        QTest::newRow("private message") << wire::privateMessage(u"bob"_s, u"<b>alice</b>"_s, u"hi"_s)
                                         << "Message from <b>alice</b>";
        QTest::newRow("proposal") << wire::othelloProposal(u"bob"_s, u"<b>alice</b>"_s)
                                  << "<b>alice</b> proposes a game of Othello";
    }
    void oneNotificationPerArrival()
    {
        QFETCH(QString, message);
        QFETCH(QString, summary);
        RecordingNotifications service;
        LocalLan lan;
        LanPort *peer = lan.attach();
        auto bob = startListed(lan, u"bob"_s);
        bob->windowCaps().setInUse([] { return false; });
        QSignalSpy shown(bob->findChild<DesktopNotifier *>(), &DesktopNotifier::shown);
        sendFrom(*peer, wire::encode(message));
        QTRY_COMPARE(shown.size(), 1);
        QCOMPARE(service.calls.size(), 1);
        const RecordingNotifications::Call &call = service.calls.front();
        QCOMPARE(call.appName, u"Quillet"_s);
        QCOMPARE(call.icon, u"quillet"_s);
        QCOMPARE(call.summary, summary);
        QCOMPARE(call.replaces, 0u);
        QCOMPARE(call.actions.value(0), u"default"_s);
        QCOMPARE(call.hints.value(u"desktop-entry"_s).toString(), u"quillet"_s);
        QCOMPARE(call.hints.value(u"category"_s).toString(), u"im.received"_s);
        QCOMPARE(call.hints.value(u"sound-name"_s).toString(), u"message-new-instant"_s);

        QWidget *told = bob->messageWindow() ? static_cast<QWidget *>(bob->messageWindow())
                                             : bob->proposalWindow(Game::Othello);
        QVERIFY(told);
        bob->activateWindow();
        QTRY_VERIFY(bob->isActiveWindow());
        service.click(shown.front().front().toUInt());
        QTRY_VERIFY(told->isActiveWindow());
    }

    // The flood bound holds on the bus as on the tray.
    void floodIsBounded()
    {
        RecordingNotifications service;
        LocalLan lan;
        LanPort *peer = lan.attach();
        auto bob = startListed(lan, u"bob"_s);
        bob->windowCaps().setInUse([] { return false; });
        QSignalSpy notified(&bob->windowCaps(), &NetworkWindowCaps::notified);
        for (int n = 0; n < NetworkWindowCaps::kNotificationsPerInterval + 3; ++n)
            sendFrom(*peer, wire::encode(wire::privateMessage(u"bob"_s, u"u%1"_s.arg(n), u"hi"_s)));
        // One host's made-up names open only its share of windows, and notify no more.
        const int bound = std::min(NetworkWindowCaps::kNotificationsPerInterval, NetworkWindowCaps::kNetworkWindowsPerHost);
        QTRY_COMPARE(service.calls.size(), bound);
        QCOMPARE(notified.size(), bound);
    }

    // A sender's next notification replaces the one still shown, and goes
    // without a sound while sounds are off.
    void replacedNotSounded()
    {
        RecordingNotifications service;
        DesktopNotifier notifier;
        QVERIFY(notifier.serviceAvailable());
        QSignalSpy shown(&notifier, &DesktopNotifier::shown);
        notifier.notify(u"alice"_s, u"Message from alice"_s, u""_s, nullptr);
        QVERIFY(shown.wait());
        notifier.setSounds(false);
        notifier.notify(u"alice"_s, u"Message from alice"_s, u""_s, nullptr);
        notifier.notify(u"carol"_s, u"Message from carol"_s, u""_s, nullptr);
        QTRY_COMPARE(service.calls.size(), 3);
        QCOMPARE(service.calls[1].replaces, 1u);
        QCOMPARE(service.calls[2].replaces, 0u);
        QVERIFY(!service.calls[1].hints.contains(u"sound-name"_s));
    }
};

QTEST_MAIN(TestNotifications)
#include "test_notifications.moc"
