#pragma once

#include <QHash>
#include <QString>

// A token bucket per source: each may send `perSecond` on average and
// `burst` at once. Buckets are kept for at most `maxSources` sources; a new
// source past that is refused until idle buckets (full again) are forgotten.
class SourceRate final
{
public:
    SourceRate(int perSecond, int burst, int maxSources);

    // Whether the source may send one more now. nowMs: a monotonic clock.
    bool take(const QString &source, qint64 nowMs);
    int sources() const { return int(m_buckets.size()); }

private:
    struct Bucket {
        double tokens;
        qint64 atMs;
    };
    double refilled(const Bucket &bucket, qint64 nowMs) const;

    int m_perSecond;
    int m_burst;
    int m_maxSources;
    qint64 m_lastPruneMs = -1;
    QHash<QString, Bucket> m_buckets;
};
