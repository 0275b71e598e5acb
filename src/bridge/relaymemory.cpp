#include "bridge/relaymemory.h"

#include <QHashFunctions>

std::optional<RelayMemory::Side> RelayMemory::meet(const QByteArray &datagram, Side side, qint64 nowMs)
{
    while (!m_order.empty()
           && (m_order.front().second <= nowMs - kWindowMs || int(m_order.size()) >= kMaxRemembered)) {
        const auto [hash, atMs] = m_order.front();
        const auto found = m_met.constFind(hash);
        if (found != m_met.cend() && found->atMs == atMs)
            m_met.erase(found);
        m_order.pop_front();
    }
    const size_t hash = qHash(datagram, size_t(QHashSeed::globalSeed()));
    if (const auto found = m_met.constFind(hash); found != m_met.cend())
        return found->side;
    m_met.insert(hash, {nowMs, side});
    m_order.emplace_back(hash, nowMs);
    return std::nullopt;
}
