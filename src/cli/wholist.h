#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class Station;

// The stations a listening station hears, kept as the window's user list
// keeps them: in order of first presence, available until an availability
// says otherwise, gone on a departure.
class WhoList final : public QObject
{
    Q_OBJECT
public:
    // Each entry is a name a peer chose, so a flood of made-up names must not
    // grow the list without end. A segment rarely holds more than a few
    // hundred computers; 1024 lists them all with room for several stations
    // on each.
    static constexpr int kMaxStations = 1024;

    explicit WhoList(Station &station, QObject *parent = nullptr);

    // One line per station, "name<TAB>Available" or "name<TAB>Not Available",
    // the name shown safely for a terminal; with addresses, a tab and the
    // addresses the name is heard from, separated by commas; an address heard
    // for several names (a bridge's) says for how many, "(for 3 names)".
    QStringList lines(bool addresses = false) const;
    // Whether stations were heard that the list had no room for.
    bool isFull() const { return m_full; }

private:
    struct Entry {
        QString name;
        bool available = true;
    };
    Entry *find(const QString &name);

    const Station &m_station;
    QList<Entry> m_entries;
    bool m_full = false;
};
