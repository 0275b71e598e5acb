#include "bridge/brokeraddress.h"

#include <QUrl>

QString BrokerAddress::toString() const
{
    return (tls ? QStringLiteral("mqtts://") : QStringLiteral("mqtt://")) + host + u':' + QString::number(port);
}

std::optional<BrokerAddress> BrokerAddress::parse(const QString &text)
{
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty()
        || !(url.path().isEmpty() || url.path() == QLatin1String("/")) || url.hasQuery() || url.hasFragment())
        return std::nullopt;
    BrokerAddress address;
    if (url.scheme() == QLatin1String("mqtts"))
        address.tls = true;
    else if (url.scheme() != QLatin1String("mqtt"))
        return std::nullopt;
    address.host = url.host();
    const int port = url.port(address.tls ? kTlsPort : kPlainPort);
    if (port < 1)
        return std::nullopt;
    address.port = quint16(port);
    return address;
}

bool isBridgeTopic(const QString &topic)
{
    // MQTT allows 65,535 bytes; a name people type is far shorter.
    constexpr int kMaxTopicChars = 200;
    return !topic.isEmpty() && topic.size() <= kMaxTopicChars && !topic.contains(u'+') && !topic.contains(u'#')
        && !topic.contains(QChar(0)) && !topic.startsWith(u'$') && !topic.endsWith(u'/');
}
