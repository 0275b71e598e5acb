#pragma once

#include "station/station.h"

#include <QString>
#include <QStringList>

// What the command line asks for. Parsing touches nothing: no socket, no
// display, no environment, so a mistyped option costs nothing on the network.
namespace cli {

// Exit statuses of the program and its commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;    // could not listen or send
inline constexpr int kExitBadInput = 2;  // nothing was sent

// who listens one broadcast period and a margin by default, so every running
// station is heard at least once even when its timer runs late on a busy
// computer.
inline constexpr int kWhoMarginMs = 2000;
inline constexpr int kWhoDefaultWaitMs = Station::kBroadcastMs + kWhoMarginMs;
// An hour: a longer watch is what listen is for.
inline constexpr int kWhoMaxWaitSeconds = 3600;

enum class Command { Window, Help, Version, Say, Who, Listen, Message, Bridge, Invalid };

struct Invocation {
    Command command = Command::Window;
    Room room = Room::Work;     // say
    QString recipient;          // message
    QString text;               // say, message: as typed, words joined by spaces
    int waitMs = kWhoDefaultWaitMs;
    bool addresses = false;     // who: the addresses each name is heard from
    bool json = false;          // listen
    QString broker;             // bridge: BROKER as given, known to parse
    QString topic;              // bridge
    QString brokerUser;         // bridge: with passwordFile, or neither
    QString passwordFile;
    QString caFile;
    QString error;              // Invalid: one line saying what is wrong
};

// arguments: as the program got them, its own name first.
Invocation parse(const QStringList &arguments);

// Why a chat line or a private message cannot go out as typed, or an empty
// string when it can: the window's own checks, said in words for a terminal.
QString chatTextError(const QString &text);
QString messageTextError(const QString &text);
// Why a user name cannot stand in a message (the sender's or the addressee's).
QString userNameError(const QString &name);

QString usage();
QString versionText();

} // namespace cli
