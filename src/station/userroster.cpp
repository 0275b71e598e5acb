#include "station/userroster.h"

void UserRoster::bind(Entry &entry, const QHostAddress &from)
{
    if (from.isNull() || entry.addresses.contains(from))
        return;
    if (entry.addresses.size() >= kMaxAddressesPerName)
        entry.addresses.removeFirst();
    entry.addresses.append(from);
}

UserRoster::Heard UserRoster::hearPresence(const QString &name, qint64 nowMs, const QHostAddress &from)
{
    auto found = m_users.find(name);
    Heard heard = Heard::Known;
    if (found == m_users.end()) {
        if (m_users.size() >= kMaxUsers)
            return Heard::Refused;
        found = m_users.insert(name, {true, nowMs, {}});
        heard = Heard::New;
    }
    found->lastHeardMs = nowMs;
    bind(*found, from);
    return heard;
}

UserRoster::Availability UserRoster::hearAvailability(const QString &name, bool available, qint64 nowMs, const QHostAddress &from)
{
    const auto found = m_users.find(name);
    if (found == m_users.end())
        return Availability::Unlisted;
    found->lastHeardMs = nowMs;
    bind(*found, from);
    if (found->available == available)
        return Availability::Same;
    found->available = available;
    return Availability::Changed;
}

bool UserRoster::remove(const QString &name)
{
    return m_users.remove(name);
}

QStringList UserRoster::dropSilent(qint64 nowMs, qint64 silenceMs)
{
    QStringList dropped;
    for (auto entry = m_users.begin(); entry != m_users.end();) {
        if (nowMs - entry->lastHeardMs > silenceMs) {
            dropped << entry.key();
            entry = m_users.erase(entry);
        } else {
            ++entry;
        }
    }
    return dropped;
}
