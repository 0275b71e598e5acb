#pragma once

#include "station/userroster.h"

#include <QHash>
#include <QHostAddress>

#include <optional>

// A name heard from an address that speaks for other names too. A bridge
// joining segments broadcasts every remote user from its own address, so
// there a name is vouched for only by the far segment; one computer shared by
// several users looks the same, and nothing on the wire tells the two apart.
struct SharedHearing {
    QHostAddress address;
    int names = 0; // listed names heard from it, this one included
};

// How many listed names each address is heard for: one pass over the roster.
QHash<QHostAddress, int> namesPerAddress(const UserRoster &roster);
// The first of the name's addresses that speaks for other names as well.
std::optional<SharedHearing> sharedHearing(const UserRoster &roster, const QString &name,
                                           const QHash<QHostAddress, int> &perAddress);
std::optional<SharedHearing> sharedHearing(const UserRoster &roster, const QString &name);
