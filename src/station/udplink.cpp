#include "station/udplink.h"

#include "wire/wire.h"

#include <QDebug>
#include <QNetworkDatagram>
#include <QVariant>

#include <algorithm>
#include <cerrno>

UdpLink::UdpLink(QObject *parent)
    : DatagramLink(parent)
{
    m_receiver.setObjectName(QStringLiteral("receiver"));
    m_sender.setObjectName(QStringLiteral("sender"));
    connect(&m_receiver, &QUdpSocket::readyRead, this, &UdpLink::readDatagrams);
}

bool UdpLink::bind(quint16 port)
{
    m_port = port;
    if (!m_receiver.bind(QHostAddress::AnyIPv4, port,
                         QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint))
        return false;
    m_receiver.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, kReceiveBufferBytes);
    return true;
}

bool UdpLink::sendsOn(QNetworkInterface::InterfaceFlags flags, bool hasIpv4Address)
{
    const auto needed = QNetworkInterface::IsUp | QNetworkInterface::IsRunning
                        | QNetworkInterface::CanBroadcast;
    const auto refused = QNetworkInterface::IsLoopBack | QNetworkInterface::IsPointToPoint;
    return hasIpv4Address && (flags & needed) == needed && !(flags & refused);
}

// Qt reports every failed send as "Unable to send a message"; the system's
// own reason ("Network is unreachable") tells a user what is wrong.
static QString sendError(int error, const QUdpSocket &socket)
{
    return error != 0 ? qt_error_string(error) : socket.errorString();
}

const QList<UdpLink::Segment> &UdpLink::segments()
{
    if (m_segmentsAge.isValid() && !m_segmentsAge.hasExpired(kInterfaceListMaxAgeMs))
        return m_segments;
    m_segments.clear();
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        const QList<QNetworkAddressEntry> entries = interface.addressEntries();
        const bool hasIpv4 = std::any_of(entries.begin(), entries.end(), [](const QNetworkAddressEntry &entry) {
            return entry.ip().protocol() == QAbstractSocket::IPv4Protocol;
        });
        if (sendsOn(interface.flags(), hasIpv4))
            m_segments.append({interface.index(), interface.name()});
    }
    m_segmentsAge.start();
    return m_segments;
}

void UdpLink::send(const QByteArray &datagram)
{
    // Bound to IPv4 so the interface is named with IP_PKTINFO.
    if (m_sender.state() != QAbstractSocket::BoundState)
        m_sender.bind(QHostAddress::AnyIPv4, 0);

    const QHostAddress broadcast(QString::fromLatin1(wire::kBroadcastAddress));
    QStringList failures;
    int sent = 0;
    const QList<Segment> &targets = segments();
    for (const Segment &segment : targets) {
        // Naming the interface sends the limited broadcast out of it even
        // where the default route leads elsewhere or there is none.
        QNetworkDatagram copy(datagram, broadcast, m_port);
        copy.setInterfaceIndex(uint(segment.interfaceIndex));
        errno = 0;
        if (m_sender.writeDatagram(copy) == datagram.size())
            ++sent;
        else
            failures << segment.name + QStringLiteral(": ") + sendError(errno, m_sender);
    }
    if (targets.isEmpty()) {
        // No network to name: let the routing table choose, as before.
        errno = 0;
        if (m_sender.writeDatagram(datagram, broadcast, m_port) == datagram.size())
            ++sent;
        else
            failures << sendError(errno, m_sender);
    }

    const bool wasOk = m_lastSendOk;
    m_lastSendOk = sent > 0;
    if (m_lastSendOk)
        return;
    const QString reason = failures.join(QStringLiteral("; "));
    // Said once when sending starts failing, not every period after.
    if (wasOk)
        qWarning().noquote() << "Quillet cannot send:" << reason;
    emit sendFailed(reason);
}

void UdpLink::readDatagrams()
{
    // One readyRead may stand for several datagrams, and under a flood for an
    // endless stream of them: take a batch, then let the event loop turn.
    // Reading re-arms the socket's notifier, so readyRead comes again on the
    // next turn for what is left. Only readyRead may read: Qt takes a
    // readyRead whose handler reads nothing to mean "not interested" and
    // stops listening.
    for (int taken = 0; taken < kDatagramsPerTurn && m_receiver.hasPendingDatagrams(); ++taken) {
        const QNetworkDatagram datagram = m_receiver.receiveDatagram();
        if (datagram.isValid())
            emit datagramReceived(datagram.data(), datagram.senderAddress());
    }
}

bool UdpLink::isOwnAddress(const QHostAddress &address) const
{
    // Asked for every datagram heard, so the list is kept: reading it is a
    // netlink dump, and addresses change seldom, so once a period is plenty.
    // Comparing with a handful of addresses costs next to nothing.
    constexpr qint64 kOwnAddressesMaxAgeMs = 5000;
    if (!m_ownAddressesAge.isValid() || m_ownAddressesAge.hasExpired(kOwnAddressesMaxAgeMs)) {
        m_ownAddresses = QNetworkInterface::allAddresses();
        m_ownAddressesAge.start();
    }
    return std::any_of(m_ownAddresses.begin(), m_ownAddresses.end(), [&address](const QHostAddress &own) {
        return own.isEqual(address, QHostAddress::ConvertV4MappedToIPv4);
    });
}
