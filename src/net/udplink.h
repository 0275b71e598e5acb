#pragma once

#include "net/datagramlink.h"

#include <QUdpSocket>

// The real link: TCP1 hears the chat port, TCP2 broadcasts to it.
class UdpLink final : public DatagramLink
{
    Q_OBJECT
public:
    explicit UdpLink(QObject *parent = nullptr);

    // Binds TCP1 shared, so several copies on one computer all hear every
    // broadcast. On failure, errorString() says why.
    bool bind(quint16 port);
    QString errorString() const { return TCP1.errorString(); }

    void send(const QByteArray &datagram) override;

private:
    void TCP1_DataArrival();

    QUdpSocket TCP1;
    QUdpSocket TCP2;
    quint16 m_port = 0;
};
