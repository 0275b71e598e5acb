#include "station.h"

#include "wire.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTime>

#include <pwd.h>
#include <unistd.h>

Station::Station(DatagramLink &link, QObject *parent)
    : QObject(parent)
    , m_link(link)
{
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(timing::kBroadcastMs);
    connect(&Timer1, &QTimer::timeout, this, &Station::Timer1_Timer);
}

void Station::send(const QString &message)
{
    m_link.send(wire::encode(message));
}

QString GetEnvVariable(const char *name)
{
    return qEnvironmentVariable(name);
}

QString stationUserName()
{
    for (const char *name : {"USERNAME", "USER"}) {
        const QString value = GetEnvVariable(name);
        if (!value.isEmpty())
            return value;
    }
    if (const passwd *entry = getpwuid(getuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    return {};
}

QString timeOfDay(const QTime &time)
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*")));
    return QLocale::system().toString(time, format.trimmed());
}
