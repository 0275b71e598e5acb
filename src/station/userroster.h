#pragma once

#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>

// The users this station has heard, found by their exact name (a hash, so a
// presence costs the same with ten users listed or fifty thousand). Names are
// compared as the wire carries them: case and every space count.
class UserRoster final
{
public:
    // A broadcast segment larger than a /16 (65,534 hosts) is not built in
    // practice and a real LAN lists tens to hundreds of users, so this never
    // turns a real user away; it only stops a host that invents names from
    // growing the list for ever. Past it a new name is not listed until an
    // entry leaves (by departure or silence); listed users are kept as usual.
    static constexpr int kMaxUsers = 65536;

    // A station on two networks sends from an address on each, and one with
    // a VPN or a wired and a wireless card besides from a few more. A name
    // heard from more forgets the address it was first heard from, so a
    // station that moves (a new lease) is bound to its new address at once.
    static constexpr int kMaxAddressesPerName = 4;

    enum class Heard { New, Known, Refused };
    enum class Availability { Unlisted, Same, Changed };

    // A presence: lists the name (as available) or renews its entry. A
    // sender's address, when known, binds the name to it.
    Heard hearPresence(const QString &name, qint64 nowMs, const QHostAddress &from = {});
    // An availability renews a listed entry; an unlisted name is ignored
    // (it is listed at its next presence). Says whether the entry's
    // availability changed, so one that says the same again shows nothing.
    Availability hearAvailability(const QString &name, bool available, qint64 nowMs, const QHostAddress &from = {});
    // A departure. Returns whether the name was listed.
    bool remove(const QString &name);
    // Removes and returns, in no particular order, every entry not heard
    // since nowMs - silenceMs.
    QStringList dropSilent(qint64 nowMs, qint64 silenceMs);
    void clear() { m_users.clear(); }

    int size() const { return int(m_users.size()); }
    bool contains(const QString &name) const { return m_users.contains(name); }
    bool isAvailable(const QString &name) const { return m_users.value(name).available; }
    QStringList names() const { return m_users.keys(); }
    // The addresses the name's presences and availabilities came from, first
    // heard first; empty for a name not listed or heard from no known address.
    QList<QHostAddress> addresses(const QString &name) const { return m_users.value(name).addresses; }

private:
    struct Entry {
        bool available = false;
        qint64 lastHeardMs = 0;
        QList<QHostAddress> addresses;
    };
    static void bind(Entry &entry, const QHostAddress &from);
    QHash<QString, Entry> m_users;
};
