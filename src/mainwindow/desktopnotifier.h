#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

class QDBusPendingCallWatcher;
class QWidget;

// Desktop notifications through the desktop's own service,
// org.freedesktop.Notifications on the session bus, which every desktop has
// whether or not it has a tray. One notification per sender: a newer one
// replaces the one still shown. A click on it brings forward the window it
// tells of.
class DesktopNotifier final : public QObject
{
    Q_OBJECT
public:
    // Senders whose notification may still be shown, for replacing it. A
    // server forgets a notification when it closes and says so; past this
    // many one is forgotten, and a later one for that sender stacks instead
    // of replacing, which only costs a line on the desktop.
    static constexpr int kRememberedSenders = 64;

    explicit DesktopNotifier(QObject *parent = nullptr);

    // Whether the desktop's notification service runs or can be started now.
    bool serviceAvailable() const;
    // The freedesktop sound hint goes with each notification while on.
    void setSounds(bool on) { m_sounds = on; }

    // summary names the sender, and servers show it as plain text; body is
    // Quillet's own words, never a peer's.
    void notify(const QString &sender, const QString &summary, const QString &body, QWidget *window);

signals:
    // The service has shown a notification (tests wait on it).
    void shown(uint id);

private:
    void onReply(QDBusPendingCallWatcher *call, const QString &sender, const QPointer<QWidget> &window);
    Q_SLOT void onActionInvoked(uint id, const QString &action);
    Q_SLOT void onClosed(uint id, uint reason);
    void forget(uint id);

    bool m_sounds = true;
    QHash<QString, uint> m_idBySender;
    QHash<uint, QString> m_senderById;
    QHash<uint, QPointer<QWidget>> m_windows;
};
