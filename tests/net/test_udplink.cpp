#include "net/udplink.h"

#include <QHash>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>

// Which interfaces a datagram leaves on and which addresses are this
// computer's own, decided from flags and the address list; and how the
// receiver reads, fed over the loopback interface only, never a broadcast.
class TestUdpLink final : public QObject
{
    Q_OBJECT
private slots:
    void sendsOn_data();
    void sendsOn();
    void readsInBatchesBetweenOtherEvents();
    void ownAddresses();
};

using Flags = QNetworkInterface::InterfaceFlags;
Q_DECLARE_METATYPE(Flags)

void TestUdpLink::sendsOn_data()
{
    QTest::addColumn<Flags>("flags");
    QTest::addColumn<bool>("hasIpv4");
    QTest::addColumn<bool>("expected");

    const Flags ethernet = QNetworkInterface::IsUp | QNetworkInterface::IsRunning
                           | QNetworkInterface::CanBroadcast | QNetworkInterface::CanMulticast;
    QTest::newRow("ethernet or Wi-Fi") << ethernet << true << true;
    QTest::newRow("without multicast") << (ethernet & ~Flags(QNetworkInterface::CanMulticast)) << true << true;
    QTest::newRow("down") << (ethernet & ~Flags(QNetworkInterface::IsUp)) << true << false;
    QTest::newRow("up, cable out") << (ethernet & ~Flags(QNetworkInterface::IsRunning)) << true << false;
    QTest::newRow("no broadcast") << (ethernet & ~Flags(QNetworkInterface::CanBroadcast)) << true << false;
    QTest::newRow("no IPv4 address (bridge or bond member, IPv6 only)") << ethernet << false << false;
    QTest::newRow("loopback")
        << Flags(QNetworkInterface::IsUp | QNetworkInterface::IsRunning | QNetworkInterface::IsLoopBack)
        << true << false;
    QTest::newRow("loopback that claims broadcast")
        << (ethernet | QNetworkInterface::IsLoopBack) << true << false;
    QTest::newRow("VPN tunnel")
        << Flags(QNetworkInterface::IsUp | QNetworkInterface::IsRunning | QNetworkInterface::IsPointToPoint
                 | QNetworkInterface::CanMulticast)
        << true << false;
    QTest::newRow("point-to-point that claims broadcast")
        << (ethernet | QNetworkInterface::IsPointToPoint) << true << false;
    QTest::newRow("no flags") << Flags() << true << false;
}

void TestUdpLink::sendsOn()
{
    QFETCH(Flags, flags);
    QFETCH(bool, hasIpv4);
    QFETCH(bool, expected);
    QCOMPARE(UdpLink::sendsOn(flags, hasIpv4), expected);
}

void TestUdpLink::readsInBatchesBetweenOtherEvents()
{
    UdpLink link;
    QVERIFY2(link.bind(0), qPrintable(link.errorString()));

    // A burst already waiting in the socket, as under a flood.
    const int burst = 4 * UdpLink::kDatagramsPerTurn + 1;
    QUdpSocket peer;
    for (int n = 0; n < burst; ++n) {
        const QByteArray datagram = "1\xA7line " + QByteArray::number(n);
        QCOMPARE(peer.writeDatagram(datagram, QHostAddress::LocalHost, link.localPort()), datagram.size());
    }

    // Another event source: a zero timer runs once per turn of the loop.
    int turn = 0;
    QTimer otherWork;
    otherWork.setInterval(0);
    connect(&otherWork, &QTimer::timeout, this, [&turn] { ++turn; });
    otherWork.start();

    QHash<int, int> takenInTurn;
    QList<QByteArray> heard;
    connect(&link, &DatagramLink::datagramReceived, this,
            [&](const QByteArray &datagram, const QHostAddress &sender) {
                ++takenInTurn[turn];
                heard << datagram;
                QCOMPARE(sender, QHostAddress(QHostAddress::LocalHost));
            });
    QTRY_COMPARE(heard.size(), burst);
    QCOMPARE(heard.front(), QByteArray("1\xA7line 0"));
    QCOMPARE(heard.back(), "1\xA7line " + QByteArray::number(burst - 1));

    int most = 0;
    for (const int taken : std::as_const(takenInTurn))
        most = std::max(most, taken);
    QVERIFY2(most <= UdpLink::kDatagramsPerTurn, qPrintable(QString::number(most)));

    // Once drained, the link still hears what comes next.
    for (int n = 0; n < 3; ++n) {
        QVERIFY(QTest::qWaitFor([&] { return turn > 3; })); // a few idle turns in between
        turn = 0;
        peer.writeDatagram("3\xA7later\xA7", QHostAddress::LocalHost, link.localPort());
        QTRY_COMPARE(heard.size(), burst + n + 1);
    }
}

void TestUdpLink::ownAddresses()
{
    // Nothing is bound or sent: the link only reads the computer's addresses.
    const UdpLink link;
    QVERIFY(link.isOwnAddress(QHostAddress::LocalHost));
    QVERIFY(link.isOwnAddress(QHostAddress(QStringLiteral("::ffff:127.0.0.1"))));
    for (const QHostAddress &own : QNetworkInterface::allAddresses())
        QVERIFY2(link.isOwnAddress(own), qPrintable(own.toString()));
    // The documentation ranges are never a computer's own.
    QVERIFY(!link.isOwnAddress(QHostAddress(QStringLiteral("192.0.2.200"))));
    QVERIFY(!link.isOwnAddress(QHostAddress(QStringLiteral("203.0.113.9"))));
    QVERIFY(!link.isOwnAddress(QHostAddress()));
}

QTEST_GUILESS_MAIN(TestUdpLink)
#include "test_udplink.moc"
