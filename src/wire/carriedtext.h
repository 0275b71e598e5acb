#pragma once

#include <QString>
#include <QStringList>

// Text as the wire carries it. Every character Windows-1252 lacks arrives
// as "?", so a name or a line is what other stations read only after the
// round trip.
namespace wire {

// The text as other stations read it.
QString carried(const QString &text);

// The characters of text that arrive as "?", each once, in order of first
// appearance; empty when the text arrives whole.
QStringList lostInTransit(const QString &text);

} // namespace wire
