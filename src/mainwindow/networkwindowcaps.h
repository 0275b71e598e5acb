#pragma once

#include "mainwindow/senderwindows.h"
#include "wire/kinds.h"

#include <QGuiApplication>
#include <QHash>
#include <QObject>
#include <QPointer>

#include <array>
#include <functional>

class QWidget;

// The bounds on what a datagram may open on the desktop: windows, per sender
// and in all, and desktop notifications, so that a flood of datagrams under
// made-up names can neither fill the screen nor bury the desktop.
class NetworkWindowCaps final : public QObject
{
    Q_OBJECT
public:
    // Windows a datagram may open, per sender and in all. Beyond the first
    // bound a sender's messages go into its newest message window, and its
    // proposals and declines are counted in the caption of its newest window
    // of that kind; beyond the second, what would open a window is counted and
    // said once on the console. Real users are far inside both: a proposal of
    // a game asked again is the same question, a decline comes for each of
    // our two games, a few messages come before an answer, and fewer people
    // write at once than there are windows.
    static constexpr int kMessageWindowsPerSender = 5;
    static constexpr int kProposalWindowsPerSender = 1; // of each game
    static constexpr int kDeclinedBoxesPerSender = 2;
    static constexpr int kNetworkWindowsOfAKind = 50;
    // What one address may open under names not bound to it, of each kind: a
    // real user writes under their own name, so only a host speaking for
    // others, or inventing names, meets it.
    static constexpr int kNetworkWindowsPerHost = 5;

    // While Quillet is not the active application, a message or a proposal
    // raises a desktop notification: one per sender in this long, and no
    // more than kNotificationsPerInterval in all. A real correspondent's
    // next message within the minute is in the window the first one opened.
    static constexpr qint64 kNotificationIntervalMs = 60000;
    static constexpr int kNotificationsPerInterval = 6;

    explicit NetworkWindowCaps(QObject *parent = nullptr);

    SenderWindows &messages() { return *m_messages; }
    SenderWindows &proposals(Game game) { return *m_proposals[indexOf(game)]; }
    SenderWindows &declines() { return *m_declines; }

    // A window a datagram would have opened is counted in the caption of the
    // sender's newest one, or, with none, once on the console.
    void countUnopened(QWidget *newest);

    // Asks for a desktop notification about the window a datagram opened,
    // unless Quillet is the active application or the bound is reached. The
    // peer's words go in the title, which desktops show as plain text.
    void notify(const QString &sender, const QString &title, QWidget *window);
    // What a click on the notification brings forward, while it is open.
    QWidget *notifiedWindow() const { return m_notifiedWindow; }
    // Whether Quillet is the application the user works in; tests stand in
    // for the desktop here.
    void setInUse(std::function<bool()> inUse) { m_inUse = std::move(inUse); }
    // The user may turn desktop notifications off in the preferences.
    void setNotifying(bool on) { m_notifying = on; }

signals:
    // A desktop notification is due (whether a tray can show it or not).
    void notified(const QString &title, const QString &sender);

private:
    SenderWindows *m_messages;
    std::array<SenderWindows *, kGames.size()> m_proposals{};
    SenderWindows *m_declines;
    int m_unopened = 0; // datagrams that found every window taken
    QHash<QString, qint64> m_lastNotified; // by sender, for the notification bound
    QPointer<QWidget> m_notifiedWindow;
    bool m_notifying = true;
    std::function<bool()> m_inUse = [] { return QGuiApplication::applicationState() == Qt::ApplicationActive; };
};
