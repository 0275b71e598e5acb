#pragma once

#include "station/datagramlink.h"

#include <QList>
#include <QPointer>

class LocalLan;

// One station's attachment to a LocalLan.
class LanPort final : public DatagramLink
{
    Q_OBJECT
public:
    void send(const QByteArray &datagram) override;
    bool isOwnAddress(const QHostAddress &address) const override;
    // Each port has an address of its own from the documentation range, so
    // receivers can tell senders apart; nothing is ever sent to it.
    const QHostAddress &address() const { return m_address; }

    // A computer with this many network cards on the segment: each datagram
    // goes out once per card, from the card's own address, and everyone
    // hears every copy, as on two segments that share their stations.
    void setCards(int cards) { m_cards = cards; }
    // While reason is not empty, every send fails with it and nothing is carried.
    void setSendFailure(const QString &reason) { m_sendFailure = reason; }

private:
    friend class LocalLan;
    LanPort(LocalLan &lan, const QHostAddress &address, QObject *parent)
        : DatagramLink(parent), m_lan(lan), m_address(address) {}
    LocalLan &m_lan;
    QHostAddress m_address;
    QHostAddress cardAddress(int card) const;

    int m_cards = 1;
    QString m_sendFailure;
};

// An in-process segment for tests: every datagram sent by any port reaches
// every attached port, the sender's included, on a later turn of the event
// loop, as it would over a real network. Faults can be switched on to drop,
// duplicate or reorder datagrams.
class LocalLan final : public QObject
{
    Q_OBJECT
public:
    explicit LocalLan(QObject *parent = nullptr) : QObject(parent) {}

    LanPort *attach();

    // Every datagram sent so far, in sending order, for tests to inspect.
    const QList<QByteArray> &sent() const { return m_sent; }
    void clearSent() { m_sent.clear(); }

    void setDropEvery(int n) { m_dropEvery = n; }          // 0: none
    void setDuplicateEvery(int n) { m_duplicateEvery = n; } // 0: none
    void setReorder(bool on) { m_reorder = on; }            // swap neighbours

signals:
    void datagramSent(const QByteArray &datagram);

private:
    friend class LanPort;
    struct Carried {
        QByteArray datagram;
        QHostAddress sender;
    };
    void carry(const Carried &carried);
    void deliver(const Carried &carried);

    QList<QPointer<LanPort>> m_ports;
    QList<QByteArray> m_sent;
    QList<Carried> m_held;
    int m_count = 0;
    int m_dropEvery = 0;
    int m_duplicateEvery = 0;
    bool m_reorder = false;
};
