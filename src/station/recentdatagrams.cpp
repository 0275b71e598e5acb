#include "station/recentdatagrams.h"

bool RecentDatagrams::isNew(const QByteArray &datagram, bool fromHere, qint64 nowMs)
{
    while (!m_arrivals.empty() && nowMs - m_arrivals.front().atMs >= kWindowMs)
        forgetOldest();
    const size_t hash = qHashMulti(QHashSeed::globalSeed(), datagram, fromHere);
    if (m_heard.contains(hash))
        return false;
    if (m_arrivals.size() >= std::size_t(kMaxRemembered))
        forgetOldest();
    m_arrivals.push_back({hash, nowMs});
    m_heard.insert(hash);
    return true;
}

void RecentDatagrams::forgetOldest()
{
    m_heard.remove(m_arrivals.front().hash);
    m_arrivals.pop_front();
}

void RecentDatagrams::clear()
{
    m_arrivals.clear();
    m_heard.clear();
}
