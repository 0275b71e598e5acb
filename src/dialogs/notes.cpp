#include "dialogs/notes.h"

#include "station/provenance.h"

#include <QCoreApplication>

namespace notes {

QString provenance(const QString &name, const Provenance &provenance)
{
    if (provenance.isEmpty())
        return {};
    const QString from = provenance.heardFrom.toString();
    if (provenance.knownFrom.isEmpty())
        return QCoreApplication::translate("Notes", "Sent from %1; no station of that name has been heard.").arg(from);
    QStringList heard;
    for (const QHostAddress &address : provenance.knownFrom)
        heard << address.toString();
    return QCoreApplication::translate("Notes", "Sent from %1; %2's station is heard from %3.")
        .arg(from, name, heard.join(QStringLiteral(", ")));
}

QString lostInTransit(const QStringList &lost)
{
    return lost.isEmpty() ? QString()
                          : QCoreApplication::translate("Notes", "Will arrive as \"?\": %1").arg(lost.join(u' '));
}

} // namespace notes
