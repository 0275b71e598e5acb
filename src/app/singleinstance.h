#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One station per user name, desktop and network: a second start hands over
// to the copy already running, which comes forward, and ends before it has
// sent anything. Copies under another name, on another display (a terminal
// server) or in another network namespace start as before.
class SingleInstance final : public QObject
{
    Q_OBJECT
public:
    // A running copy answers from its event loop's next turn; this covers a
    // loaded machine. A copy that does not answer in it (hung, or a socket
    // left by one that crashed) is not waited for: this one starts.
    static constexpr int kAnswerMs = 3000;

    // display: the desktop's name (DISPLAY, WAYLAND_DISPLAY), empty without one.
    SingleInstance(const QString &userName, const QString &display, QObject *parent = nullptr);

    // Asks the copy running under the same key to come forward. True when it
    // said it did: this copy should then end.
    bool handOverToRunning();
    // From now on a later copy's request comes here as showRequested().
    void listen();

signals:
    void showRequested();

private:
    void answer();

    QString m_path;
    QLocalServer *m_server = nullptr;
};
