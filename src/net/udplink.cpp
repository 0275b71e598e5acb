#include "net/udplink.h"

#include "net/wire.h"

#include <QNetworkDatagram>

UdpLink::UdpLink(QObject *parent)
    : DatagramLink(parent)
{
    TCP1.setObjectName(QStringLiteral("TCP1"));
    TCP2.setObjectName(QStringLiteral("TCP2"));
    connect(&TCP1, &QUdpSocket::readyRead, this, &UdpLink::TCP1_DataArrival);
}

bool UdpLink::bind(quint16 port)
{
    m_port = port;
    return TCP1.bind(QHostAddress::AnyIPv4, port,
                     QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint);
}

void UdpLink::send(const QByteArray &datagram)
{
    TCP2.writeDatagram(datagram, QHostAddress(QString::fromLatin1(wire::kBroadcastAddress)), m_port);
}

void UdpLink::TCP1_DataArrival()
{
    // One readyRead may stand for several datagrams.
    while (TCP1.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = TCP1.receiveDatagram();
        if (datagram.isValid())
            emit datagramReceived(datagram.data(), datagram.senderAddress());
    }
}
