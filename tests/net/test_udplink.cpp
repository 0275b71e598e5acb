#include "net/udplink.h"

#include <QTest>

// Which interfaces a datagram leaves on, and which addresses are this
// computer's own. Decided from flags and the address list, so nothing is sent
// here.
class TestUdpLink final : public QObject
{
    Q_OBJECT
private slots:
    void sendsOn_data();
    void sendsOn();
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
