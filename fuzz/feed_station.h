#pragma once

#include <QByteArray>
#include <QStringList>

// The one way the fuzz target and its replay test reach a station, so both
// exercise exactly the same path.
//
// Sends one datagram from a peer on an in-process LAN to a station whose user
// is "alice" and who already knows "bob", lets the station act on it, and
// returns the lines its two rooms then show, Work room first. Afterwards the
// station is put back as it started (empty logs, the same two users, no
// window open by a peer), so millions of inputs leave memory flat and each
// input is judged on its own. The first call builds the application on the
// offscreen platform unless one exists.
QStringList feedStation(const QByteArray &datagram);
