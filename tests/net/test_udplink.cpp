#include "station/udplink.h"

#include <QHash>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>

using Flags = QNetworkInterface::InterfaceFlags;
Q_DECLARE_METATYPE(Flags)

// Which interfaces a datagram leaves on and which addresses are this
// computer's own, decided from flags and the address list; and how the
// receiver reads, fed over the loopback interface only, never a broadcast.
class TestUdpLink final : public QObject
{
    Q_OBJECT
private slots:
    void sendsOn_data()
    {
        QTest::addColumn<Flags>("flags");
        QTest::addColumn<bool>("hasIpv4");
        QTest::addColumn<bool>("expected");
        const Flags ethernet = QNetworkInterface::IsUp | QNetworkInterface::IsRunning
                               | QNetworkInterface::CanBroadcast | QNetworkInterface::CanMulticast;
        QTest::newRow("ethernet or Wi-Fi") << ethernet << true << true;
        QTest::newRow("down") << (ethernet & ~Flags(QNetworkInterface::IsUp)) << true << false;
        QTest::newRow("no broadcast (as a VPN tunnel)") << (ethernet & ~Flags(QNetworkInterface::CanBroadcast)) << true << false;
        QTest::newRow("no IPv4 address (bridge or bond member, IPv6 only)") << ethernet << false << false;
        QTest::newRow("loopback that claims broadcast") << (ethernet | QNetworkInterface::IsLoopBack) << true << false;
    }

    void sendsOn()
    {
        QFETCH(Flags, flags);
        QFETCH(bool, hasIpv4);
        QTEST(UdpLink::sendsOn(flags, hasIpv4), "expected");
    }

    void readsInBatchesBetweenOtherEvents()
    {
        UdpLink link;
        QVERIFY2(link.bind(0), qPrintable(link.errorString()));
        // A burst already waiting in the socket, as under a flood.
        const int burst = 4 * UdpLink::kDatagramsPerTurn + 1;
        QUdpSocket peer;
        const auto line = [](int n) { return "1\xA7line " + QByteArray::number(n); };
        for (int n = 0; n < burst; ++n)
            QCOMPARE(peer.writeDatagram(line(n), QHostAddress::LocalHost, link.localPort()), line(n).size());

        // Another event source: a zero timer runs once per turn of the loop.
        int turn = 0;
        QTimer otherWork;
        connect(&otherWork, &QTimer::timeout, this, [&turn] { ++turn; });
        otherWork.start(0);
        QHash<int, int> takenInTurn;
        QList<QByteArray> heard;
        connect(&link, &DatagramLink::datagramReceived, this, [&](const QByteArray &datagram) {
            ++takenInTurn[turn];
            heard << datagram;
        });
        QTRY_COMPARE(heard.size(), burst);
        QCOMPARE(heard.front(), line(0));
        QCOMPARE(heard.back(), line(burst - 1));
        const QList<int> taken = takenInTurn.values();
        QVERIFY2(*std::max_element(taken.begin(), taken.end()) <= UdpLink::kDatagramsPerTurn, "a turn took too many");

        // Once drained and idle for a few turns, the link still hears what comes next.
        turn = 0;
        QVERIFY(QTest::qWaitFor([&] { return turn > 3; }));
        peer.writeDatagram("3\xA7later\xA7", QHostAddress::LocalHost, link.localPort());
        QTRY_COMPARE(heard.size(), burst + 1);
    }

    void ownAddresses()
    {
        const UdpLink link; // nothing is bound or sent
        QVERIFY(link.isOwnAddress(QHostAddress::LocalHost));
        QVERIFY(link.isOwnAddress(QHostAddress(QStringLiteral("::ffff:127.0.0.1"))));
        for (const QHostAddress &own : QNetworkInterface::allAddresses())
            QVERIFY2(link.isOwnAddress(own), qPrintable(own.toString()));
        // The documentation ranges are never a computer's own.
        for (const char *other : {"192.0.2.200", "203.0.113.9", ""})
            QVERIFY2(!link.isOwnAddress(QHostAddress(QString::fromLatin1(other))), other);
    }
};

QTEST_GUILESS_MAIN(TestUdpLink)
#include "test_udplink.moc"
