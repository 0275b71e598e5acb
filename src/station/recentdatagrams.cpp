#include "station/recentdatagrams.h"

size_t RecentDatagrams::hashOf(const QByteArray &datagram, bool fromHere)
{
    return qHashMulti(QHashSeed::globalSeed(), datagram, fromHere);
}

bool RecentDatagrams::isRepeat(const QByteArray &datagram, bool fromHere, qint64 nowMs)
{
    while (!m_arrivals.empty() && nowMs - m_arrivals.front().atMs >= kWindowMs)
        forgetOldest();
    return m_heard.contains(hashOf(datagram, fromHere));
}

void RecentDatagrams::remember(const QByteArray &datagram, bool fromHere, qint64 nowMs)
{
    const size_t hash = hashOf(datagram, fromHere);
    if (m_heard.contains(hash))
        return;
    if (m_arrivals.size() >= std::size_t(kMaxRemembered))
        forgetOldest();
    m_arrivals.push_back({hash, nowMs});
    m_heard.insert(hash);
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
