#include "station/sharedhearing.h"

QHash<QHostAddress, int> namesPerAddress(const UserRoster &roster)
{
    QHash<QHostAddress, int> counts;
    for (const QString &name : roster.names()) {
        for (const QHostAddress &address : roster.addresses(name))
            ++counts[address];
    }
    return counts;
}

std::optional<SharedHearing> sharedHearing(const UserRoster &roster, const QString &name,
                                           const QHash<QHostAddress, int> &perAddress)
{
    for (const QHostAddress &address : roster.addresses(name)) {
        if (const int names = perAddress.value(address); names > 1)
            return SharedHearing{address, names};
    }
    return std::nullopt;
}

std::optional<SharedHearing> sharedHearing(const UserRoster &roster, const QString &name)
{
    if (roster.addresses(name).isEmpty())
        return std::nullopt;
    return sharedHearing(roster, name, namesPerAddress(roster));
}
