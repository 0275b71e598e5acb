#pragma once

#include "station/provenance.h"

#include <QStringList>

// A provenance as the tests and the end-to-end probe print it: empty for
// none, else "from ADDRESS heard at ADDRESSES" (none after "at" when the
// name is heard from nowhere).
inline QString provenanceFacts(const Provenance &provenance)
{
    QStringList known;
    for (const QHostAddress &address : provenance.knownFrom)
        known << address.toString();
    return provenance.isEmpty()
        ? QString()
        : QStringLiteral("from %1 heard at %2").arg(provenance.heardFrom.toString(), known.join(u' '));
}
