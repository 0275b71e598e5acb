#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>

// The one way a station reaches the segment: broadcast a datagram, hear every
// datagram broadcast to the chat port (its own included).
class DatagramLink : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Fire and forget: a failed send is dropped, as the protocol allows.
    virtual void send(const QByteArray &datagram) = 0;

    // Whether a datagram from this address came from this computer, so a
    // station tells its own echo from another station's datagram.
    virtual bool isOwnAddress(const QHostAddress &address) const = 0;

signals:
    // sender: where the datagram came from, as far as the link can tell.
    void datagramReceived(const QByteArray &datagram, const QHostAddress &sender);
    // No copy of a datagram could be sent: nobody hears this station.
    void sendFailed(const QString &reason);
};
