#include "mainwindow/desktopnotifier.h"

#include "look/placement.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QWidget>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = kService;
const QString kDefaultAction = QStringLiteral("default");
// The server's own choice of how long a notification stays.
constexpr int kServerTimeout = -1;

} // namespace

DesktopNotifier::DesktopNotifier(QObject *parent)
    : QObject(parent)
{
    // QtDBus names the slots of a bus signal by their signature only.
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                SLOT(onActionInvoked(uint, QString)));
    bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                SLOT(onClosed(uint, uint)));
}

bool DesktopNotifier::serviceAvailable() const
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    // Many servers are started by the bus on the first call.
    const QDBusConnectionInterface *names = bus.interface();
    return names->isServiceRegistered(kService).value() || names->activatableServiceNames().value().contains(kService);
}

void DesktopNotifier::notify(const QString &sender, const QString &summary, const QString &body, QWidget *window)
{
    QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("quillet")},
                      {QStringLiteral("category"), QStringLiteral("im.received")}};
    if (m_sounds)
        hints.insert(QStringLiteral("sound-name"), QStringLiteral("message-new-instant"));
    const QStringList actions{kDefaultAction, tr("Show")};
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    call << QStringLiteral("Quillet") << m_idBySender.value(sender) << QStringLiteral("quillet") << summary
         << body << actions << hints << kServerTimeout;
    // Never waited for: a server that does not answer holds up nothing.
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, sender, target = QPointer<QWidget>(window)](QDBusPendingCallWatcher *finished) {
                onReply(finished, sender, target);
            });
}

void DesktopNotifier::onReply(QDBusPendingCallWatcher *call, const QString &sender, const QPointer<QWidget> &window)
{
    call->deleteLater();
    const QDBusPendingReply<uint> reply = *call;
    if (reply.isError())
        return;
    const uint id = reply.value();
    if (const uint replaced = m_idBySender.value(sender); replaced && replaced != id)
        forget(replaced);
    if (!m_idBySender.contains(sender) && m_idBySender.size() >= kRememberedSenders)
        forget(m_idBySender.begin().value());
    m_idBySender.insert(sender, id);
    m_senderById.insert(id, sender);
    m_windows.insert(id, window);
    emit shown(id);
}

void DesktopNotifier::onActionInvoked(uint id, const QString &action)
{
    // Every application's notifications are signalled to all; only ours count.
    if (action != kDefaultAction || !m_windows.contains(id))
        return;
    if (QWidget *window = m_windows.value(id))
        look::bringForward(*window);
}

void DesktopNotifier::onClosed(uint id, uint)
{
    forget(id);
}

void DesktopNotifier::forget(uint id)
{
    const auto sender = m_senderById.constFind(id);
    if (sender == m_senderById.cend())
        return;
    m_idBySender.remove(*sender);
    m_senderById.erase(sender);
    m_windows.remove(id);
}
