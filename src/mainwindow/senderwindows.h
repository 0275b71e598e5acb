#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

class QWidget;

// The windows datagrams opened, by the user each came from, so that no
// sender, however fast, opens more than a few. A window counts from add()
// until it is destroyed.
class SenderWindows final : public QObject
{
    Q_OBJECT
public:
    // At most perSender windows open for one sender, and at most total in all.
    SenderWindows(int perSender, int total, QObject *parent = nullptr);

    // Whether a datagram from this sender may open another window now.
    bool mayOpen(const QString &sender) const;
    void add(const QString &sender, QWidget *window);
    // The sender's most recently added window still open, or nullptr.
    QWidget *newest(const QString &sender) const;
    int openFor(const QString &sender) const { return int(m_windows.value(sender).size()); }
    int openInAll() const { return m_open; }

private:
    void forget(const QString &sender, QObject *window);

    const int m_perSender;
    const int m_total;
    // Only senders with a window open are keys, so the table is as small as
    // the windows are few.
    QHash<QString, QList<QObject *>> m_windows;
    int m_open = 0;
};
