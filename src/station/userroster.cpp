#include "station/userroster.h"

#include <algorithm>

bool UserRoster::bind(Entry &entry, const QHostAddress &from, qint64 nowMs) const
{
    if (from.isNull())
        return true;
    for (Binding &binding : entry.bindings) {
        if (binding.address == from) {
            binding.lastHeardMs = nowMs;
            return true;
        }
    }
    if (entry.bindings.size() < kMaxAddressesPerName) {
        entry.bindings.append({from, nowMs});
        return true;
    }
    const auto stalest = std::min_element(entry.bindings.begin(), entry.bindings.end(),
                                          [](const Binding &a, const Binding &b) { return a.lastHeardMs < b.lastHeardMs; });
    if (nowMs - stalest->lastHeardMs <= m_liveMs) {
        entry.contestedMs = nowMs;
        return false;
    }
    *stalest = {from, nowMs};
    return true;
}

UserRoster::Heard UserRoster::hearPresence(const QString &name, qint64 nowMs, const QHostAddress &from)
{
    auto found = m_users.find(name);
    Heard heard = Heard::Known;
    if (found == m_users.end()) {
        if (m_users.size() >= kMaxUsers || (!from.isNull() && m_namesAdded.value(from) >= kMaxNamesPerAddress))
            return Heard::Refused;
        found = m_users.insert(name, {true, nowMs, -1, {}, from});
        if (!from.isNull())
            ++m_namesAdded[from];
        ++m_skeletons[nameSkeleton(name)];
        heard = Heard::New;
    }
    if (!bind(*found, from, nowMs))
        return Heard::Refused;
    found->lastHeardMs = nowMs;
    return heard;
}

UserRoster::Availability UserRoster::hearAvailability(const QString &name, bool available, qint64 nowMs, const QHostAddress &from)
{
    const auto found = m_users.find(name);
    if (found == m_users.end())
        return Availability::Unlisted;
    found->lastHeardMs = nowMs;
    for (Binding &binding : found->bindings) {
        if (binding.address == from)
            binding.lastHeardMs = nowMs;
    }
    if (found->available == available)
        return Availability::Same;
    found->available = available;
    return Availability::Changed;
}

void UserRoster::forget(const QString &name, const Entry &entry)
{
    if (!entry.addedBy.isNull()) {
        const auto added = m_namesAdded.find(entry.addedBy);
        if (--*added == 0)
            m_namesAdded.erase(added);
    }
    const auto skeleton = m_skeletons.find(nameSkeleton(name));
    if (--*skeleton == 0)
        m_skeletons.erase(skeleton);
}

bool UserRoster::remove(const QString &name)
{
    const auto found = m_users.constFind(name);
    if (found == m_users.cend())
        return false;
    forget(name, *found);
    m_users.erase(found);
    return true;
}

QStringList UserRoster::dropSilent(qint64 nowMs, qint64 silenceMs)
{
    QStringList dropped;
    for (auto entry = m_users.begin(); entry != m_users.end();) {
        if (nowMs - entry->lastHeardMs > silenceMs) {
            dropped << entry.key();
            forget(entry.key(), *entry);
            entry = m_users.erase(entry);
        } else {
            ++entry;
        }
    }
    return dropped;
}

void UserRoster::clear()
{
    m_users.clear();
    m_namesAdded.clear();
    m_skeletons.clear();
}

QList<QHostAddress> UserRoster::addresses(const QString &name) const
{
    QList<QHostAddress> addresses;
    const auto found = m_users.constFind(name);
    if (found != m_users.cend()) {
        for (const Binding &binding : found->bindings)
            addresses << binding.address;
    }
    return addresses;
}

bool UserRoster::isContested(const QString &name, qint64 nowMs) const
{
    const auto found = m_users.constFind(name);
    return found != m_users.cend() && found->contestedMs >= 0 && nowMs - found->contestedMs <= m_liveMs;
}

bool UserRoster::isLookAlike(const QString &name) const
{
    return m_skeletons.value(nameSkeleton(name)) > (contains(name) ? 1 : 0);
}

QString nameSkeleton(const QString &name)
{
    QString skeleton;
    skeleton.reserve(name.size());
    for (const QChar c : name) {
        switch (c.category()) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            continue;
        case QChar::Separator_Space:
            if (!skeleton.isEmpty() && !skeleton.endsWith(u' '))
                skeleton += u' ';
            continue;
        default:
            break;
        }
        switch (c.unicode()) {
        case 0x2018: case 0x2019: case 0x201A: case 0x00B4: case 0x0060:
            skeleton += u'\'';
            break;
        case 0x201C: case 0x201D: case 0x201E:
            skeleton += u'"';
            break;
        case 0x2013: case 0x2014: case 0x2212:
            skeleton += u'-';
            break;
        case 0x02DC:
            skeleton += u'~';
            break;
        case 0x02C6:
            skeleton += u'^';
            break;
        default:
            skeleton += c;
            break;
        }
    }
    if (skeleton.endsWith(u' '))
        skeleton.chop(1);
    return skeleton;
}
