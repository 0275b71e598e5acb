#include "locallan.h"

#include <QTimer>

LanPort::LanPort(LocalLan &lan, QObject *parent)
    : DatagramLink(parent)
    , m_lan(lan)
{
}

void LanPort::send(const QByteArray &datagram)
{
    m_lan.carry(datagram);
}

LocalLan::LocalLan(QObject *parent)
    : QObject(parent)
{
}

LanPort *LocalLan::attach()
{
    auto *port = new LanPort(*this, this);
    m_ports.append(port);
    return port;
}

void LocalLan::carry(const QByteArray &datagram)
{
    m_sent.append(datagram);
    emit datagramSent(datagram);
    ++m_count;
    if (m_dropEvery > 0 && m_count % m_dropEvery == 0)
        return;
    if (m_reorder && m_held.isEmpty()) {
        m_held.append(datagram); // goes out after the next one
        return;
    }
    deliver(datagram);
    if (m_duplicateEvery > 0 && m_count % m_duplicateEvery == 0)
        deliver(datagram);
    for (const QByteArray &held : std::exchange(m_held, {}))
        deliver(held);
}

void LocalLan::deliver(const QByteArray &datagram)
{
    // Queued, so a station never receives inside its own send; only the
    // ports attached now hear it, as on a real segment.
    QTimer::singleShot(0, this, [ports = m_ports, datagram] {
        for (const QPointer<LanPort> &port : ports) {
            if (port)
                emit port->datagramReceived(datagram);
        }
    });
}
