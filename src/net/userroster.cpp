#include "net/userroster.h"

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

bool UserRoster::hearAvailability(const QString &name, bool available, qint64 nowMs, const QHostAddress &from)
{
    const auto found = m_users.find(name);
    if (found == m_users.end())
        return false;
    found->available = available;
    found->lastHeardMs = nowMs;
    bind(*found, from);
    return true;
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

QString shownUserName(const QString &name)
{
    static const QChar kHidden(0xFFFD);       // replacement character
    static const QChar kNoBreakSpace(0x237D); // shouldered open box
    static const QChar kEdgeSpace(0x2423);    // open box

    QString shown = name;
    for (QChar &c : shown) {
        switch (c.category()) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            c = kHidden;
            break;
        default:
            if (c == QChar::Nbsp)
                c = kNoBreakSpace;
            break;
        }
    }
    for (qsizetype k = 0; k < shown.size() && shown[k] == u' '; ++k)
        shown[k] = kEdgeSpace;
    for (qsizetype k = shown.size() - 1; k >= 0 && shown[k] == u' '; --k)
        shown[k] = kEdgeSpace;
    return shown;
}
