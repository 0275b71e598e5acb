#include "station/pendingproposals.h"

#include <algorithm>

void PendingProposals::add(Game game, const QString &to, qint64 nowMs)
{
    // Asked again, the proposal waits anew from now.
    m_proposals.removeIf([&](const Proposal &p) { return p.game == game && p.to == to; });
    if (m_proposals.size() >= kMaxPending)
        m_proposals.removeFirst();
    m_proposals.append({game, to, nowMs});
}

bool PendingProposals::isWaiting(Game game, const QString &to, qint64 nowMs) const
{
    for (const Proposal &p : m_proposals) {
        if (p.game == game && p.to == to && nowMs - p.atMs <= kExpiryMs)
            return true;
    }
    return false;
}

bool PendingProposals::take(Game game, const QString &from, qint64 nowMs)
{
    const bool waiting = isWaiting(game, from, nowMs);
    m_proposals.removeIf([&](const Proposal &p) { return (p.game == game && p.to == from) || nowMs - p.atMs > kExpiryMs; });
    return waiting;
}

bool PendingProposals::forget(const QString &to)
{
    const auto oldest = std::find_if(m_proposals.begin(), m_proposals.end(), [&to](const Proposal &p) { return p.to == to; });
    if (oldest == m_proposals.end())
        return false;
    m_proposals.erase(oldest);
    return true;
}

QList<PendingProposals::Expired> PendingProposals::dropExpired(qint64 nowMs)
{
    QList<Expired> expired;
    m_proposals.removeIf([&](const Proposal &p) {
        const bool old = nowMs - p.atMs > kExpiryMs;
        if (old)
            expired.append({p.game, p.to});
        return old;
    });
    return expired;
}
