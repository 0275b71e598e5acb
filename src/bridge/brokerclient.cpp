#include "bridge/brokerclient.h"

#include <QSocketNotifier>

#include <mosquitto.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

QString mosquittoError(int result)
{
    if (result == MOSQ_ERR_ERRNO)
        return QString::fromLocal8Bit(std::strerror(errno));
    return QString::fromUtf8(mosquitto_strerror(result));
}

} // namespace

BrokerClient::BrokerClient(const Settings &settings, QObject *parent)
    : BrokerLink(parent)
    , m_settings(settings)
{
    static const int initialised = mosquitto_lib_init();
    Q_UNUSED(initialised);
    m_mosquitto = mosquitto_new(settings.clientId.toUtf8().constData(), true, this);
    mosquitto_int_option(m_mosquitto, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    mosquitto_connect_callback_set(m_mosquitto, &BrokerClient::onConnect);
    mosquitto_disconnect_callback_set(m_mosquitto, &BrokerClient::onDisconnect);
    mosquitto_message_callback_set(m_mosquitto, &BrokerClient::onMessage);
    if (!settings.user.isEmpty())
        mosquitto_username_pw_set(m_mosquitto, settings.user.toUtf8().constData(),
                                  settings.password.toUtf8().constData());
    if (settings.address.tls) {
        if (settings.caFile.isEmpty())
            mosquitto_int_option(m_mosquitto, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
        else
            mosquitto_tls_set(m_mosquitto, settings.caFile.toLocal8Bit().constData(), nullptr, nullptr, nullptr,
                              nullptr);
    }
    m_housekeeping.setInterval(kHousekeepingMs);
    connect(&m_housekeeping, &QTimer::timeout, this, &BrokerClient::housekeeping);
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, [this] {
        const int result = mosquitto_reconnect_async(m_mosquitto);
        if (result != MOSQ_ERR_SUCCESS)
            return lose(mosquittoError(result));
        watchSocket();
    });
}

BrokerClient::~BrokerClient()
{
    dropSocket();
    if (m_connected) {
        // A clean goodbye, so the broker forgets the session at once.
        mosquitto_disconnect(m_mosquitto);
        mosquitto_loop_write(m_mosquitto, 1);
    }
    mosquitto_destroy(m_mosquitto);
}

void BrokerClient::start()
{
    if (m_started)
        return;
    m_started = true;
    m_housekeeping.start();
    const int result = mosquitto_connect_async(m_mosquitto, m_settings.address.host.toUtf8().constData(),
                                               m_settings.address.port, kKeepAliveSeconds);
    if (result != MOSQ_ERR_SUCCESS)
        return lose(mosquittoError(result));
    watchSocket();
}

void BrokerClient::watchSocket()
{
    dropSocket();
    const int socket = mosquitto_socket(m_mosquitto);
    if (socket < 0)
        return lose(QStringLiteral("no connection"));
    m_reader = new QSocketNotifier(socket, QSocketNotifier::Read, this);
    connect(m_reader, &QSocketNotifier::activated, this, &BrokerClient::readSocket);
    m_writer = new QSocketNotifier(socket, QSocketNotifier::Write, this);
    connect(m_writer, &QSocketNotifier::activated, this, &BrokerClient::writeSocket);
    updateWriting();
}

void BrokerClient::dropSocket()
{
    // The socket may already be closed by libmosquitto; a notifier must not
    // outlive it, and may be the one whose signal is being handled.
    for (QSocketNotifier **notifier : {&m_reader, &m_writer}) {
        if (*notifier) {
            (*notifier)->setEnabled(false);
            (*notifier)->deleteLater();
            *notifier = nullptr;
        }
    }
}

void BrokerClient::updateWriting()
{
    if (m_writer)
        m_writer->setEnabled(mosquitto_want_write(m_mosquitto));
}

void BrokerClient::readSocket()
{
    const int result = mosquitto_loop_read(m_mosquitto, 1);
    if (result != MOSQ_ERR_SUCCESS)
        return lose(mosquittoError(result));
    updateWriting();
}

void BrokerClient::writeSocket()
{
    const int result = mosquitto_loop_write(m_mosquitto, 1);
    if (result != MOSQ_ERR_SUCCESS)
        return lose(mosquittoError(result));
    updateWriting();
}

void BrokerClient::housekeeping()
{
    if (!m_reader)
        return;
    const int result = mosquitto_loop_misc(m_mosquitto);
    if (result != MOSQ_ERR_SUCCESS)
        return lose(mosquittoError(result));
    updateWriting();
}

void BrokerClient::lose(const QString &failure)
{
    dropSocket();
    // After a refusal the loop only knows the connection ended; the broker's
    // reason is the one to tell.
    const QString reason = m_refusal.isEmpty() ? failure : m_refusal;
    m_refusal.clear();
    const bool wasConnected = m_connected;
    m_connected = false;
    if (wasConnected)
        emit disconnected();
    if (reason != m_lastFailure || wasConnected) {
        m_lastFailure = reason;
        emit failed(reason);
    }
    retry();
}

void BrokerClient::retry()
{
    if (m_retry.isActive())
        return;
    m_retry.start(m_retryMs);
    m_retryMs = std::min(m_retryMs * 2, kLastRetryMs);
}

bool BrokerClient::publish(const QString &topic, const QByteArray &payload)
{
    if (!m_connected)
        return false;
    if (!mosquitto_want_write(m_mosquitto))
        m_backlog = 0;
    else if (++m_backlog > kMaxBacklog)
        return false;
    const int result = mosquitto_publish(m_mosquitto, nullptr, topic.toUtf8().constData(), int(payload.size()),
                                         payload.constData(), 0, false);
    updateWriting();
    return result == MOSQ_ERR_SUCCESS;
}

void BrokerClient::onConnect(mosquitto *, void *self, int result)
{
    auto *client = static_cast<BrokerClient *>(self);
    if (result != 0) {
        // The read that called this fails next and retries.
        client->m_refusal = QString::fromUtf8(mosquitto_connack_string(result));
        return;
    }
    client->m_connected = true;
    client->m_retryMs = kFirstRetryMs;
    client->m_lastFailure.clear();
    mosquitto_subscribe(client->m_mosquitto, nullptr, client->m_settings.subscription.toUtf8().constData(), 0);
    client->updateWriting();
    emit client->connected();
}

void BrokerClient::onDisconnect(mosquitto *, void *, int)
{
    // Losses are handled where the loop call failed, with its reason.
}

void BrokerClient::onMessage(mosquitto *, void *self, const mosquitto_message *message)
{
    auto *client = static_cast<BrokerClient *>(self);
    emit client->messageReceived(QString::fromUtf8(message->topic),
                                 QByteArray(static_cast<const char *>(message->payload), message->payloadlen));
}
