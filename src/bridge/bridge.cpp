#include "bridge/bridge.h"

#include "bridge/brokerlink.h"
#include "station/datagramlink.h"
#include "wire/messages.h"

#include <QHostAddress>

bool Bridge::Counts::operator==(const Counts &other) const
{
    return published == other.published && broadcast == other.broadcast && notWire == other.notWire
        && repeats == other.repeats && overRate == other.overRate && unsent == other.unsent;
}

Bridge::Bridge(DatagramLink &segment, BrokerLink &broker, const QString &topic, const QString &id, QObject *parent)
    : QObject(parent)
    , m_segment(segment)
    , m_broker(broker)
    , m_topic(topic)
    , m_id(id)
{
    m_elapsed.start();
    connect(&segment, &DatagramLink::datagramReceived, this, &Bridge::fromSegment);
    connect(&broker, &BrokerLink::messageReceived, this, &Bridge::fromBroker);
}

qint64 Bridge::now() const
{
    return m_clock ? m_clock() : m_elapsed.elapsed();
}

bool Bridge::fitsTheWire(const QByteArray &datagram)
{
    if (datagram.size() > kMaxDatagramBytes)
        return false;
    const auto message = wire::read(datagram);
    if (!message)
        return false;
    // The reader cuts long fields; a datagram that needed cutting is not
    // passed on, so what crosses is what a real station could have sent.
    const QStringList fields = wire::split(*wire::decode(datagram));
    const bool chat = message->code == wire::Code::WorkLine || message->code == wire::Code::TeaLine;
    const bool hasSender = !message->sender.isNull();
    for (int i = 1; i < fields.size(); ++i) {
        const bool name = !chat && (i == 1 || (i == 2 && hasSender));
        if (fields.at(i).size() > (name ? wire::kMaxNameChars : wire::kMaxTextChars))
            return false;
    }
    return true;
}

void Bridge::updateStandby(qint64 nowMs)
{
    m_smallerPeers.removeIf([nowMs](const auto &peer) { return nowMs - peer.value() > kPeerSilenceMs; });
    const bool standingBy = !m_smallerPeers.isEmpty();
    if (standingBy == m_standingBy)
        return;
    m_standingBy = standingBy;
    emit standingByChanged(standingBy, standingBy ? m_smallerPeers.constBegin().key() : QString());
}

void Bridge::fromSegment(const QByteArray &datagram, const QHostAddress &sender)
{
    const qint64 nowMs = now();
    updateStandby(nowMs);
    if (!fitsTheWire(datagram)) {
        ++m_counts.notWire;
        return;
    }
    if (m_memory.meet(datagram, RelayMemory::Side::Segment, nowMs)) {
        ++m_counts.repeats;
        return;
    }
    if (!m_sourceRate.take(sender.toString(), nowMs)) {
        ++m_counts.overRate;
        return;
    }
    if (m_standingBy || !m_broker.publish(publishTopic(), datagram)) {
        ++m_counts.unsent;
        return;
    }
    ++m_counts.published;
}

void Bridge::fromBroker(const QString &topic, const QByteArray &payload)
{
    const qint64 nowMs = now();
    updateStandby(nowMs);
    const QString prefix = m_topic + u'/';
    if (!topic.startsWith(prefix))
        return;
    const QString peer = topic.mid(prefix.size());
    // Our own publications come back from the broker: they are no news.
    if (peer == m_id)
        return;
    if (peer.isEmpty() || peer.contains(u'/') || !fitsTheWire(payload)) {
        ++m_counts.notWire;
        return;
    }
    if (const auto metOn = m_memory.meet(payload, RelayMemory::Side::Broker, nowMs)) {
        ++m_counts.repeats;
        // That bridge published what this one heard on its own segment: the
        // two share it, and the smaller id does the broadcasting.
        if (*metOn == RelayMemory::Side::Segment && peer < m_id
            && (m_smallerPeers.contains(peer) || m_smallerPeers.size() < kMaxBridges)) {
            m_smallerPeers.insert(peer, nowMs);
            updateStandby(nowMs);
        }
        return;
    }
    if (!m_bridgeRate.take(peer, nowMs)) {
        ++m_counts.overRate;
        return;
    }
    if (m_standingBy) {
        ++m_counts.unsent;
        return;
    }
    m_segment.send(payload);
    ++m_counts.broadcast;
}
