#include "mainwindow/senderwindows.h"

#include <QWidget>

SenderWindows::SenderWindows(int perSender, int total, QObject *parent)
    : QObject(parent)
    , m_perSender(perSender)
    , m_total(total)
{
}

bool SenderWindows::mayOpen(const QString &sender) const
{
    return m_open < m_total && openFor(sender) < m_perSender;
}

void SenderWindows::add(const QString &sender, QWidget *window)
{
    m_windows[sender].append(window);
    ++m_open;
    connect(window, &QObject::destroyed, this, [this, sender](QObject *gone) { forget(sender, gone); });
}

QWidget *SenderWindows::newest(const QString &sender) const
{
    const auto found = m_windows.constFind(sender);
    // Only the address is kept, and a destroyed window leaves at once.
    return found == m_windows.constEnd() ? nullptr : static_cast<QWidget *>(found->back());
}

void SenderWindows::forget(const QString &sender, QObject *window)
{
    const auto found = m_windows.find(sender);
    if (found == m_windows.end() || !found->removeOne(window))
        return;
    --m_open;
    if (found->isEmpty())
        m_windows.erase(found);
}
