#pragma once

#include "bridge/brokeraddress.h"
#include "bridge/brokerlink.h"

#include <QTimer>

class QSocketNotifier;
struct mosquitto;
struct mosquitto_message;

// The broker through libmosquitto, driven from Qt's event loop: notifiers on
// its socket for reading and writing, its housekeeping (keep-alive) on a
// timer, and libmosquitto's own reconnect after a growing pause whenever the
// connection fails or is lost. It never gives up.
class BrokerClient final : public BrokerLink
{
    Q_OBJECT
public:
    struct Settings {
        BrokerAddress address;
        QString clientId;
        QString subscription;       // the topic filter to hear
        QString user;               // empty: none
        QString password;
        QString caFile;             // empty: the system's certificates, for mqtts
    };

    // The pause before a new attempt doubles from the first to the last, and
    // is reset by a connection that works: a broker back after a restart is
    // reached within seconds, one gone for good costs a try twice a minute.
    static constexpr int kFirstRetryMs = 1000;
    static constexpr int kLastRetryMs = 30000;
    // Seconds between pings while the link is quiet; a dead link is seen
    // within one and a half of them.
    static constexpr int kKeepAliveSeconds = 20;
    // libmosquitto's housekeeping (pings, their timeouts) needs a call about
    // once a second.
    static constexpr int kHousekeepingMs = 1000;

    // Publications libmosquitto may hold while the socket cannot take them
    // (a slow link, a stalled broker): libmosquitto itself keeps any number.
    // 4096 datagrams are a second of a very busy segment and at most 32 MiB;
    // past it a datagram is dropped, as a full network drops it.
    static constexpr int kMaxBacklog = 4096;

    explicit BrokerClient(const Settings &settings, QObject *parent = nullptr);
    ~BrokerClient() override;

    // Starts connecting; failures are reported by failed() and retried.
    void start();
    bool isConnected() const { return m_connected; }
    bool publish(const QString &topic, const QByteArray &payload) override;

signals:
    // A connection attempt failed, or a working one was lost, and why. Said
    // again only when the reason changes.
    void failed(const QString &reason);

private:
    static void onConnect(mosquitto *, void *self, int result);
    static void onDisconnect(mosquitto *, void *self, int result);
    static void onMessage(mosquitto *, void *self, const mosquitto_message *message);

    void watchSocket();
    void dropSocket();
    void readSocket();
    void writeSocket();
    void updateWriting();
    void housekeeping();
    void lose(const QString &failure);
    void retry();

    Settings m_settings;
    mosquitto *m_mosquitto = nullptr;
    QSocketNotifier *m_reader = nullptr;
    QSocketNotifier *m_writer = nullptr;
    QTimer m_housekeeping;
    QTimer m_retry;
    int m_retryMs = kFirstRetryMs;
    int m_backlog = 0; // publications since the socket last had nothing to write
    bool m_connected = false;
    bool m_started = false;
    QString m_lastFailure;
    QString m_refusal;
};
