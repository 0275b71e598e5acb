#include "mainwindow/senderwindows.h"

#include <QWidget>

SenderWindows::SenderWindows(int perSender, int perHost, int total, QObject *parent)
    : QObject(parent)
    , m_perSender(perSender)
    , m_perHost(perHost)
    , m_total(total)
{
}

bool SenderWindows::mayOpen(const QString &sender, const QString &host) const
{
    if (m_windows.value({host, sender}).size() >= m_perSender)
        return false;
    if (host.isEmpty())
        return m_openBound < m_total;
    return m_openUnbound < m_total && m_openByHost.value(host) < m_perHost;
}

void SenderWindows::add(const QString &sender, const QString &host, QWidget *window)
{
    const Key key{host, sender};
    m_windows[key].append(window);
    if (host.isEmpty()) {
        ++m_openBound;
    } else {
        ++m_openUnbound;
        ++m_openByHost[host];
    }
    connect(window, &QObject::destroyed, this, [this, key](QObject *gone) { forget(key, gone); });
}

QWidget *SenderWindows::newest(const QString &sender, const QString &host) const
{
    const auto found = m_windows.constFind({host, sender});
    // Only the address is kept, and a destroyed window leaves at once.
    return found == m_windows.constEnd() ? nullptr : static_cast<QWidget *>(found->back());
}

void SenderWindows::forget(const Key &key, QObject *window)
{
    const auto found = m_windows.find(key);
    if (found == m_windows.end() || !found->removeOne(window))
        return;
    if (found->isEmpty())
        m_windows.erase(found);
    if (key.first.isEmpty()) {
        --m_openBound;
        return;
    }
    --m_openUnbound;
    const auto host = m_openByHost.find(key.first);
    if (--*host == 0)
        m_openByHost.erase(host);
}
