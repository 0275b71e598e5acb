#pragma once

#include <QString>

#include <optional>

// Where the broker is: mqtt://host[:port] or mqtts://host[:port].
struct BrokerAddress {
    static constexpr quint16 kPlainPort = 1883; // MQTT's registered ports
    static constexpr quint16 kTlsPort = 8883;

    QString host;
    quint16 port = kPlainPort;
    bool tls = false;

    QString toString() const;
    // Nothing for anything but those two forms with a host name or address.
    static std::optional<BrokerAddress> parse(const QString &text);
};

// Whether a topic can carry the bridges' publications: not empty, and free of
// MQTT's wildcards and of what would make "NAME/+" mean something else.
bool isBridgeTopic(const QString &topic);
