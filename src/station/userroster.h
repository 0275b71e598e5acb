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
    // heard from a new address while all are taken forgets the one heard
    // least recently, so a station that moves (a new lease) is bound to its
    // new address within liveMs; one still heard is never pushed out.
    static constexpr int kMaxAddressesPerName = 4;

    // Names one address may add to the list. A terminal server gives each of
    // its users a station of their own and seldom serves more than a hundred,
    // so this turns no real user away; a host inventing names fills only its
    // own share, and a station started later is still listed.
    static constexpr int kMaxNamesPerAddress = 256;

    enum class Heard { New, Known, Refused };
    enum class Availability { Unlisted, Same, Changed };

    // liveMs: an address heard within it is still in use by the name.
    explicit UserRoster(qint64 liveMs) : m_liveMs(liveMs) {}

    // A presence: lists the name (as available) or renews its entry. A
    // sender's address, when known, binds the name to it; refused, changing
    // nothing, when the address would add a name past its share or would push
    // out an address still live (the name is then contested).
    Heard hearPresence(const QString &name, qint64 nowMs, const QHostAddress &from = {});
    // An availability renews a listed entry; an unlisted name is ignored
    // (it is listed at its next presence). It binds no address: the caller
    // takes it only from the name's own. Says whether the entry's
    // availability changed, so one that says the same again shows nothing.
    Availability hearAvailability(const QString &name, bool available, qint64 nowMs, const QHostAddress &from = {});
    // A departure. Returns whether the name was listed.
    bool remove(const QString &name);
    // Removes and returns, in no particular order, every entry not heard
    // since nowMs - silenceMs.
    QStringList dropSilent(qint64 nowMs, qint64 silenceMs);
    void clear();

    int size() const { return int(m_users.size()); }
    bool contains(const QString &name) const { return m_users.contains(name); }
    bool isAvailable(const QString &name) const { return m_users.value(name).available; }
    QStringList names() const { return m_users.keys(); }
    // The addresses the name's presences and availabilities came from, first
    // heard first; empty for a name not listed or heard from no known address.
    QList<QHostAddress> addresses(const QString &name) const;
    // The name was heard lately from more live addresses than one station
    // uses: more than one station, or a host claiming it, speaks under it.
    bool isContested(const QString &name, qint64 nowMs) const;
    // The name differs from another listed name only by characters that show
    // nothing or look like others (see nameSkeleton): it may pose as it.
    bool isLookAlike(const QString &name) const;

private:
    struct Binding {
        QHostAddress address;
        qint64 lastHeardMs = 0;
    };
    struct Entry {
        bool available = false;
        qint64 lastHeardMs = 0;
        qint64 contestedMs = -1; // when a live address last had to be kept; -1 never
        QList<Binding> bindings;
        QHostAddress addedBy;
    };
    bool bind(Entry &entry, const QHostAddress &from, qint64 nowMs) const;
    void forget(const QString &name, const Entry &entry);

    qint64 m_liveMs;
    QHash<QString, Entry> m_users;
    QHash<QHostAddress, int> m_namesAdded; // listed entries each address added
    QHash<QString, int> m_skeletons;       // listed names per skeleton
};

// A name with what makes names look alike taken out: characters that show
// nothing are dropped, every kind of space is one space, spaces at the ends
// go, and punctuation that has a look-alike (curly quotes, dashes) is the
// plain one. Two names with one skeleton cannot be told apart at a glance.
QString nameSkeleton(const QString &name);
