#pragma once

#include "station/datagramlink.h"

#include <QElapsedTimer>
#include <QList>
#include <QNetworkInterface>
#include <QUdpSocket>

// The real link: the receiver hears the chat port, the sender broadcasts to it
// once on every network the computer is on, whatever the default route.
class UdpLink final : public DatagramLink
{
    Q_OBJECT
public:
    // The interface list is read again when older than this. A refresh is a
    // netlink dump, too dear for every datagram; 4 s is under the 5 s
    // broadcast period, so a network that comes up (Wi-Fi, a cable, a VPN
    // bridge) hears the next periodic presence at the latest.
    static constexpr int kInterfaceListMaxAgeMs = 4000;

    // The receiving socket's kernel buffer. Bursts (a room of stations
    // answering one presence, boards of several games) arrive faster than the
    // event loop reads when the computer is busy; 4 MiB holds thousands of
    // datagrams and costs nothing until used. The kernel caps it at
    // net.core.rmem_max.
    static constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;

    // Datagrams taken from the socket in one turn of the event loop; the rest
    // wait for a later turn, so timers (the presence), the clock, painting and
    // input run between batches however fast a host sends. A turn of 64 chat
    // lines costs a few milliseconds, and at hundreds of turns a second it
    // still drains tens of thousands of datagrams a second, far above what a
    // room of real users sends.
    static constexpr int kDatagramsPerTurn = 64;

    explicit UdpLink(QObject *parent = nullptr);

    // Binds the receiver shared, so several copies on one computer all hear
    // every broadcast. On failure, errorString() says why.
    bool bind(quint16 port);
    QString errorString() const { return m_receiver.errorString(); }
    // Sends to this port without listening on it: for a command that only
    // sends.
    void setPort(quint16 port) { m_port = port; }
    // The port bound, the one chosen by the system when bind(0) asked for any.
    quint16 localPort() const { return m_receiver.localPort(); }

    void send(const QByteArray &datagram) override;
    bool isOwnAddress(const QHostAddress &address) const override;

    // Whether the last datagram left on at least one network.
    bool lastSendOk() const { return m_lastSendOk; }

    // Whether to broadcast out of an interface with these flags: one that is
    // up with a carrier, reaches a segment by broadcast (not loopback, not a
    // point-to-point tunnel) and has an IPv4 address (bridge and bond members
    // carry none, so a segment is not sent to twice through them).
    static bool sendsOn(QNetworkInterface::InterfaceFlags flags, bool hasIpv4Address);

private:
    struct Segment {
        int interfaceIndex;
        QString name;
    };

    void readDatagrams();
    const QList<Segment> &segments();

    QUdpSocket m_receiver;
    QUdpSocket m_sender;
    quint16 m_port = 0;
    QList<Segment> m_segments;
    QElapsedTimer m_segmentsAge;
    bool m_lastSendOk = true;
    // This computer's addresses, read again at most once a broadcast period.
    mutable QList<QHostAddress> m_ownAddresses;
    mutable QElapsedTimer m_ownAddressesAge;
};
