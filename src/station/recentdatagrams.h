#pragma once

#include <QByteArray>
#include <QSet>

#include <deque>

// The datagrams heard in the last moment, to take each one once. A station
// on two networks hears a peer on two networks twice, and hears itself once
// per network it sends on: the copies are the same bytes, a few milliseconds
// apart.
class RecentDatagrams final
{
public:
    // Copies of one datagram leave the sender within microseconds and are
    // read together; a second is ample for a busy receiver. Dropping a repeat
    // inside it is safe: presences, availabilities and boards say the same
    // thing again and come back next period, and a chat line carries its
    // time, so two lines typed in different seconds never look the same.
    static constexpr qint64 kWindowMs = 1000;

    // At most this many datagrams are remembered. A room of a hundred
    // stations sends a few hundred datagrams per period, far below it inside
    // one window; a flood past it only forgets the oldest, letting a copy
    // through, and memory stays under a few hundred kilobytes.
    static constexpr int kMaxRemembered = 4096;

    // Whether these bytes were remembered since nowMs - kWindowMs from the
    // same side, this computer (fromHere) or another. The same bytes from
    // both sides are two stations saying the same, such as a second station
    // under this user's name, and are both taken. nowMs comes from a
    // monotonic clock.
    bool isRepeat(const QByteArray &datagram, bool fromHere, qint64 nowMs);
    // Only bytes that were taken are remembered: a copy that was refused
    // (a forgery sent ahead of the real one) must not make the real one a repeat.
    void remember(const QByteArray &datagram, bool fromHere, qint64 nowMs);
    void clear();
    int size() const { return int(m_arrivals.size()); }

private:
    struct Arrival {
        size_t hash;
        qint64 atMs;
    };
    void forgetOldest();
    static size_t hashOf(const QByteArray &datagram, bool fromHere);

    // Hashes, not bytes: a datagram may be 64 KiB. The seed is chosen per
    // process, so a peer cannot make its datagram collide with another's.
    std::deque<Arrival> m_arrivals; // oldest first
    QSet<size_t> m_heard;
};
