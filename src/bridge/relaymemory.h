#pragma once

#include <QByteArray>
#include <QHash>

#include <deque>
#include <optional>

// The datagrams a bridge met lately, on its segment or from the broker, so
// that each crosses once: whatever was met already, on either side, is
// neither published nor broadcast again. That stops the bridge's own
// broadcasts coming back as news, a second bridge on the segment doubling
// traffic, and any loop through the broker.
class RelayMemory final
{
public:
    enum class Side { Segment, Broker };

    // Longer than a broker's round trip on a loaded link, so a copy coming
    // back is still remembered; shorter than the 5 s broadcast period, so a
    // presence, which says the same bytes every period, crosses every period.
    // A chat line carries its time to the second, so two lines typed apart
    // never look the same.
    static constexpr qint64 kWindowMs = 3000;
    // The per-source rate bound lets a busy segment through at a few thousand
    // datagrams a second; three seconds of that fit. A flood beyond it only
    // forgets the oldest, and memory stays under a megabyte.
    static constexpr int kMaxRemembered = 16384;

    // Remembers the bytes as met now on side and gives nothing, or, when met
    // within the window already, the side they were met on first (and
    // remembers nothing new). nowMs comes from a monotonic clock.
    std::optional<Side> meet(const QByteArray &datagram, Side side, qint64 nowMs);
    int size() const { return int(m_order.size()); }

private:
    struct Met {
        qint64 atMs;
        Side side;
    };
    // Hashes, not bytes, seeded per process so a peer cannot aim a collision.
    QHash<size_t, Met> m_met;
    std::deque<std::pair<size_t, qint64>> m_order; // oldest first
};
