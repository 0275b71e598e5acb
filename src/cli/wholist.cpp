#include "cli/wholist.h"

#include "cli/datagramtext.h"
#include "station/sharedhearing.h"
#include "station/station.h"

WhoList::WhoList(Station &station, QObject *parent)
    : QObject(parent)
    , m_station(station)
{
    connect(&station, &Station::userSeen, this, [this](const QString &name) {
        if (find(name))
            return;
        if (m_entries.size() >= kMaxStations) {
            m_full = true;
            return;
        }
        m_entries.append({name, true});
    });
    connect(&station, &Station::userAvailabilityChanged, this, [this](const QString &name, bool available) {
        if (Entry *entry = find(name))
            entry->available = available;
    });
    connect(&station, &Station::userGone, this, [this](const QString &name) {
        m_entries.removeIf([&name](const Entry &entry) { return entry.name == name; });
    });
}

WhoList::Entry *WhoList::find(const QString &name)
{
    for (Entry &entry : m_entries) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}

QStringList WhoList::lines(bool addresses) const
{
    QStringList lines;
    const QHash<QHostAddress, int> perAddress = addresses ? namesPerAddress(m_station.users()) : QHash<QHostAddress, int>();
    for (const Entry &entry : m_entries) {
        QString line = cli::printable(entry.name) + u'\t'
            + (entry.available ? QStringLiteral("Available") : QStringLiteral("Not Available"));
        if (addresses) {
            QStringList heard;
            // An address heard for several names is a bridge's, or a shared computer's.
            for (const QHostAddress &address : m_station.users().addresses(entry.name)) {
                const int names = perAddress.value(address);
                heard << (names > 1 ? QStringLiteral("%1 (for %2 names)").arg(address.toString()).arg(names)
                                    : address.toString());
            }
            line += u'\t' + heard.join(u',');
            // What the list marks, said in words a script can match.
            if (m_station.isContested(entry.name))
                line += QStringLiteral("\tcontested");
            if (m_station.users().isLookAlike(entry.name))
                line += QStringLiteral("\tlook-alike");
        }
        lines << line;
    }
    return lines;
}
