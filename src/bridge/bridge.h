#pragma once

#include "bridge/relaymemory.h"
#include "bridge/sourcerate.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

class BrokerLink;
class DatagramLink;
class QHostAddress;

// Relays the wire's datagrams byte for byte between one segment and the
// broker. It publishes what it hears under TOPIC/<its id> and broadcasts what
// the other bridges published under TOPIC/<their id>; it announces nothing
// of its own. Each datagram crosses at most once each way (RelayMemory), only
// datagrams of the wire format cross, and each source is held to a rate.
//
// Two bridges on one segment by mistake: both hear the segment, so the first
// copy a receiving bridge meets crosses and the second is a repeat. Towards
// the segment both would broadcast, so the bridge with the greater id stands
// by while it sees one with a smaller id publish what it heard itself on its
// own segment, and takes over once that one falls silent.
class Bridge final : public QObject
{
    Q_OBJECT
public:
    // A real station sends a presence and an availability every 5 s, a board
    // per move and chat lines as fast as someone types; 50 a second with a
    // burst of 200 is far above that even for several stations on one
    // computer, and holds a flooding host to a trickle on the other segments.
    static constexpr int kSourcePerSecond = 50;
    static constexpr int kSourceBurst = 200;
    // Hosts on one segment; past this, a new address waits until an idle one
    // is forgotten. A /20 of busy hosts fits.
    static constexpr int kMaxSources = 4096;
    // What one other bridge may make this one broadcast: its segment's
    // traffic, a thousand idle stations send 400 a second. The bound keeps
    // a broken or hostile bridge with credentials from flooding this segment.
    static constexpr int kBridgePerSecond = 5000;
    static constexpr int kBridgeBurst = 10000;
    static constexpr int kMaxBridges = 256;
    // The longest datagram a real station sends is a private message of
    // 4,096 characters between two names of 1,024: about 6,200 bytes.
    static constexpr int kMaxDatagramBytes = 8192;
    // A bridge sharing the segment is believed gone after three broadcast
    // periods without a sign of it; a segment with any station on it shows
    // one every period.
    static constexpr qint64 kPeerSilenceMs = 15000;

    struct Counts {
        quint64 published = 0;   // segment to broker
        quint64 broadcast = 0;   // broker to segment
        quint64 notWire = 0;     // not a datagram of the wire format, or beyond its bounds
        quint64 repeats = 0;     // met already: echoes, loops, a second bridge's copies
        quint64 overRate = 0;    // a source past its rate
        quint64 unsent = 0;      // no broker to publish to, or standing by
        bool operator==(const Counts &other) const;
    };

    Bridge(DatagramLink &segment, BrokerLink &broker, const QString &topic, const QString &id,
           QObject *parent = nullptr);

    const Counts &counts() const { return m_counts; }
    QString publishTopic() const { return m_topic + u'/' + m_id; }
    QString subscribeTopic() const { return m_topic + QStringLiteral("/+"); }
    bool isStandingBy() const { return m_standingBy; }
    // For tests: the monotonic clock in milliseconds.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

    // Whether the bytes are a datagram of the wire format within its bounds.
    static bool fitsTheWire(const QByteArray &datagram);

signals:
    // Standing by for the bridge with id peer, or (peer empty) relaying again.
    void standingByChanged(bool standingBy, const QString &peer);

private:
    void fromSegment(const QByteArray &datagram, const QHostAddress &sender);
    void fromBroker(const QString &topic, const QByteArray &payload);
    void updateStandby(qint64 nowMs);
    qint64 now() const;

    DatagramLink &m_segment;
    BrokerLink &m_broker;
    QString m_topic;
    QString m_id;
    RelayMemory m_memory;
    SourceRate m_sourceRate{kSourcePerSecond, kSourceBurst, kMaxSources};
    SourceRate m_bridgeRate{kBridgePerSecond, kBridgeBurst, kMaxBridges};
    // Bridges with a smaller id seen on this segment, and when last.
    QHash<QString, qint64> m_smallerPeers;
    bool m_standingBy = false;
    Counts m_counts;
    QElapsedTimer m_elapsed;
    std::function<qint64()> m_clock;
};
