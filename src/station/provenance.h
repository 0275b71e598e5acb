#pragma once

#include <QHostAddress>
#include <QList>

// Where a message that names its sender came from, as facts for a window to
// put into words. Empty when it came from the sender's own station, from
// this station, or from a sender not known: the wire carries no proof, so
// only an address that contradicts the roster is worth telling.
struct Provenance {
    // The address the datagram came from; null when there is nothing to tell.
    QHostAddress heardFrom;
    // The addresses the claimed sender's station is heard from; empty when
    // no station of that name has been heard.
    QList<QHostAddress> knownFrom;

    bool isEmpty() const { return heardFrom.isNull(); }
    friend bool operator==(const Provenance &a, const Provenance &b)
    {
        return a.heardFrom == b.heardFrom && a.knownFrom == b.knownFrom;
    }
    friend bool operator!=(const Provenance &a, const Provenance &b) { return !(a == b); }
};
