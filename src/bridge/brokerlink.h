#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// The bridge's side of the broker: publish under a topic, hear what the
// others published. The real one is libmosquitto; tests join bridges in
// process.
class BrokerLink : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Fire and forget, at most once: a datagram the broker never takes is
    // lost as the wire itself may lose it. False when there is no broker to
    // give it to right now.
    virtual bool publish(const QString &topic, const QByteArray &payload) = 0;

signals:
    void connected();
    void disconnected();
    void messageReceived(const QString &topic, const QByteArray &payload);
};
