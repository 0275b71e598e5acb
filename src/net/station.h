#pragma once

#include "datagramlink.h"

#include <QString>
#include <QTimer>

class QTime;

namespace timing {
inline constexpr int kBroadcastMs = 5000; // presence, availability and open boards
inline constexpr int kClockMs = 500;      // status-bar clock
inline constexpr int kPopupDelayMs = 100; // user-list menu after a right click
inline constexpr int kFlashMs = 500;      // game window attention signal
inline constexpr int kFlashes = 2;
} // namespace timing

// The station's shared state, as every window reads and writes it, and its
// channel to the segment. The main window owns it; the game, message and
// proposal windows are handed a reference.
class Station final : public QObject
{
    Q_OBJECT
public:
    explicit Station(DatagramLink &link, QObject *parent = nullptr);

    QString sUserName;
    QString st2OUserName;  // Othello opponent
    QString st2P4UserName; // Puissance 4 opponent
    bool bForm3Loaded = false;
    bool bForm4Loaded = false;

    // The periodic broadcast's timer: 5000 ms, running from start-up. A game
    // window stops it around a move so the period starts anew after it.
    QTimer Timer1;

    // One message, one datagram, through the sending socket.
    void send(const QString &message);

    // The periodic broadcast, run at once; game windows call it after a move.
    void Timer1_Timer() { emit periodicBroadcast(); }

    // Asks the main window to load its Othello or Puissance 4 window.
    void loadForm3() { emit form3LoadRequested(); }
    void loadForm4() { emit form4LoadRequested(); }

    DatagramLink &link() const { return m_link; }

signals:
    void periodicBroadcast();
    void form3LoadRequested();
    void form4LoadRequested();

private:
    DatagramLink &m_link;
};

// USERNAME when set, else the login name (USER, then the password database);
// empty only when all are missing.
QString GetEnvVariable(const char *name);
QString stationUserName();

// The time of day in the regional format, with seconds and without a zone.
QString timeOfDay(const QTime &time);
