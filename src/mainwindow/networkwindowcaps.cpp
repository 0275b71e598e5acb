#include "mainwindow/networkwindowcaps.h"

#include <QDateTime>
#include <QDebug>
#include <QVariant>
#include <QWidget>

NetworkWindowCaps::NetworkWindowCaps(QObject *parent)
    : QObject(parent)
    , m_messages(new SenderWindows(kMessageWindowsPerSender, kNetworkWindowsPerHost, kNetworkWindowsOfAKind, this))
    , m_declines(new SenderWindows(kDeclinedBoxesPerSender, kNetworkWindowsPerHost, kNetworkWindowsOfAKind, this))
{
    for (SenderWindows *&proposals : m_proposals)
        proposals = new SenderWindows(kProposalWindowsPerSender, kNetworkWindowsPerHost, kNetworkWindowsOfAKind, this);
}

void NetworkWindowCaps::countUnopened(QWidget *newest)
{
    if (!newest) {
        if (m_unopened++ == 0)
            qWarning("Quillet: too many windows opened by the network; further ones are not opened");
        return;
    }
    const int count = newest->property("unopened").toInt() + 1;
    if (count == 1)
        newest->setProperty("caption", newest->windowTitle());
    newest->setProperty("unopened", count);
    newest->setWindowTitle(newest->property("caption").toString() + tr(" (%1 more)").arg(count));
}

void NetworkWindowCaps::notify(const QString &sender, const QString &title, QWidget *window)
{
    if (m_inUse() || !m_notifying)
        return;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    m_lastNotified.removeIf([now](const auto &entry) { return now - entry.value() >= kNotificationIntervalMs; });
    if (m_lastNotified.contains(sender) || m_lastNotified.size() >= kNotificationsPerInterval)
        return;
    m_lastNotified.insert(sender, now);
    m_notifiedWindow = window;
    emit notified(title, sender);
}
