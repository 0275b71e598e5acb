#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

class QWidget;

// The windows datagrams opened, by the user each came from, so that no
// sender, however fast, opens more than a few. A sender that speaks from an
// address its name is not bound to is counted by that address too, and
// apart from bound senders: a host inventing names, or speaking under a real
// user's name, fills only its own share and never takes the room of a
// station heard from its own address. A window counts from add() until it is
// destroyed.
class SenderWindows final : public QObject
{
    Q_OBJECT
public:
    // At most perSender windows open for one sender, perHost for all that
    // one address sends under names not bound to it, and total in all, for
    // bound senders and for the others each.
    SenderWindows(int perSender, int perHost, int total, QObject *parent = nullptr);

    // host: the address an unbound sender spoke from; empty for a sender
    // bound to its address (or this station itself).
    // Whether a datagram from this sender may open another window now.
    bool mayOpen(const QString &sender, const QString &host = {}) const;
    void add(const QString &sender, const QString &host, QWidget *window);
    // The sender's most recently added window still open, or nullptr.
    QWidget *newest(const QString &sender, const QString &host = {}) const;

private:
    using Key = std::pair<QString, QString>; // host, sender
    void forget(const Key &key, QObject *window);

    const int m_perSender;
    const int m_perHost;
    const int m_total;
    // Only senders with a window open are keys, so the tables are as small
    // as the windows are few.
    QHash<Key, QList<QObject *>> m_windows;
    QHash<QString, int> m_openByHost; // unbound senders' windows per address
    int m_openBound = 0;
    int m_openUnbound = 0;
};
