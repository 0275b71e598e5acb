#pragma once

#include "support/locallan.h"

#include <QSignalSpy>
#include <QTest>

#include <algorithm>

// Sends a datagram from a port of the in-process LAN and waits until that
// datagram itself has been carried: others may be on their way too.
inline void sendFrom(LanPort &port, const QByteArray &datagram)
{
    QSignalSpy heard(&port, &DatagramLink::datagramReceived);
    port.send(datagram);
    QTRY_VERIFY(std::any_of(heard.cbegin(), heard.cend(),
                            [&datagram](const QList<QVariant> &args) { return args.front() == datagram; }));
}
