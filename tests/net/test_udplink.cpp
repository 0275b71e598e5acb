#include "net/udplink.h"

#include <QTest>

// Which interfaces a datagram leaves on. Decided from flags alone, so nothing
// is sent here.
class TestUdpLink final : public QObject
{
    Q_OBJECT
private slots:
    void sendsOn_data();
    void sendsOn();
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

QTEST_GUILESS_MAIN(TestUdpLink)
#include "test_udplink.moc"
