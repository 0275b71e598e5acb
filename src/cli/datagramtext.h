#pragma once

#include "wire/wire.h"

#include <QByteArray>
#include <QDateTime>
#include <QHostAddress>
#include <QString>

// How listen shows one datagram heard: decoded when it is one of the thirteen
// messages, as hex bytes when it is not.
namespace cli {

// The code's name as the wire format's grammar gives it: "Presence".
QString codeName(wire::Code code);

// One line without its line break: time, sender, code name and every field
// after the code, separated by tabs; or time, sender, "Undecodable" and the
// bytes in hex.
QString datagramLine(const QByteArray &datagram, const QHostAddress &sender, const QDateTime &time);

// The same as one compact JSON object: time, sender, code, name, fields; or
// time, sender, name "Undecodable" and hex.
QByteArray datagramJson(const QByteArray &datagram, const QHostAddress &sender, const QDateTime &time);

// Text from the network made safe for a terminal: control characters, which
// could move the cursor or rewrite the screen, are shown as escapes (\t, \n,
// \r, \x1b), and a backslash as \\ so the escapes stay unambiguous.
QString printable(const QString &text);

} // namespace cli
