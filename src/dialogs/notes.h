#pragma once

#include <QString>
#include <QStringList>

struct Provenance;

// The sentences windows show for what the station reports as facts.
namespace notes {

// Where a message or proposal said to be from `name` came from, when not
// from name's own station; empty for an empty provenance.
QString provenance(const QString &name, const Provenance &provenance);

// Which typed characters will arrive as "?"; empty when none will.
QString lostInTransit(const QStringList &lost);

} // namespace notes
