#pragma once

#include "games/gamewindows.h"
#include "mainwindow/mainwindow.h"
#include "station/datagramlink.h"

#include <memory>

// A station composed as the program composes it and started under the given
// user name, which comes from the environment as in a real start-up; its
// window is built by start(). The window holds the station and its game
// windows, so whoever drops it ends all.
inline std::unique_ptr<MainWindow> composeStation(DatagramLink &link, const QString &userName)
{
    qputenv("USERNAME", userName.toUtf8());
    auto *station = new Station(link);
    station->setAvailability(0);
    station->start(stationUserName());
    auto *games = new GameWindows(*station);
    auto window = std::make_unique<MainWindow>(*station, *games);
    games->setParent(window.get());
    station->setParent(window.get());
    return window;
}
