#include "bridge/sourcerate.h"

#include <algorithm>

SourceRate::SourceRate(int perSecond, int burst, int maxSources)
    : m_perSecond(perSecond)
    , m_burst(burst)
    , m_maxSources(maxSources)
{
}

double SourceRate::refilled(const Bucket &bucket, qint64 nowMs) const
{
    return std::min(double(m_burst), bucket.tokens + double(nowMs - bucket.atMs) * m_perSecond / 1000.0);
}

bool SourceRate::take(const QString &source, qint64 nowMs)
{
    auto found = m_buckets.find(source);
    if (found == m_buckets.end()) {
        // Forgetting is a walk over every bucket, so it is done at most once a
        // second however many new sources knock.
        if (m_buckets.size() >= m_maxSources && (m_lastPruneMs < 0 || nowMs - m_lastPruneMs >= 1000)) {
            m_lastPruneMs = nowMs;
            m_buckets.removeIf([&](const auto &entry) { return refilled(entry.value(), nowMs) >= m_burst; });
        }
        if (m_buckets.size() >= m_maxSources)
            return false;
        found = m_buckets.insert(source, {double(m_burst), nowMs});
    }
    const double tokens = refilled(*found, nowMs);
    *found = {tokens, nowMs};
    if (tokens < 1.0)
        return false;
    found->tokens -= 1.0;
    return true;
}
