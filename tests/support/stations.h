#pragma once

#include "form1.h"
#include "locallan.h"
#include "wire.h"

#include <QByteArray>
#include <QtGlobal>
#include <memory>

// Starts a station on an in-process LAN under the given user name, as a real
// start-up does: the name comes from the environment.
inline std::unique_ptr<Form1> startStation(LocalLan &lan, const QString &userName)
{
    qputenv("USERNAME", userName.toUtf8());
    auto station = std::make_unique<Form1>(*lan.attach());
    station->Form_Load();
    return station;
}

// How often the LAN has carried exactly this message so far.
inline int timesSent(const LocalLan &lan, const QString &message)
{
    return int(lan.sent().count(wire::encode(message)));
}
