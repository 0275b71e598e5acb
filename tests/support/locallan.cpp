#include "support/locallan.h"

#include <QTimer>

void LanPort::send(const QByteArray &datagram)
{
    if (!m_sendFailure.isEmpty()) {
        emit sendFailed(m_sendFailure);
        return;
    }
    for (int card = 0; card < m_cards; ++card)
        m_lan.carry({datagram, cardAddress(card)});
}

QHostAddress LanPort::cardAddress(int card) const
{
    if (card == 0)
        return m_address;
    // Further cards take addresses from the next documentation range.
    const quint32 host = m_address.toIPv4Address() & 0xFF;
    return QHostAddress(QStringLiteral("198.51.%1.%2").arg(99 + card).arg(host));
}

bool LanPort::isOwnAddress(const QHostAddress &address) const
{
    for (int card = 0; card < m_cards; ++card)
        if (address == cardAddress(card))
            return true;
    return false;
}

LanPort *LocalLan::attach()
{
    auto *port = new LanPort(*this, QHostAddress(QStringLiteral("192.0.2.%1").arg(m_ports.size() + 1)), this);
    m_ports.append(port);
    return port;
}

void LocalLan::carry(const Carried &carried)
{
    const QByteArray &datagram = carried.datagram;
    m_sent.append(datagram);
    emit datagramSent(datagram);
    ++m_count;
    if (m_dropEvery > 0 && m_count % m_dropEvery == 0)
        return;
    if (m_reorder && m_held.isEmpty()) {
        m_held.append(carried); // goes out after the next one
        return;
    }
    deliver(carried);
    if (m_duplicateEvery > 0 && m_count % m_duplicateEvery == 0)
        deliver(carried);
    for (const Carried &held : std::exchange(m_held, {}))
        deliver(held);
}

void LocalLan::deliver(const Carried &carried)
{
    // Queued, so a station never receives inside its own send; only the
    // ports attached now hear it, as on a real segment.
    QTimer::singleShot(0, this, [ports = m_ports, carried] {
        for (const QPointer<LanPort> &port : ports)
            if (port)
                emit port->datagramReceived(carried.datagram, carried.sender);
    });
}
