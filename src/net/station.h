#pragma once

#include "net/datagramlink.h"
#include "net/hearingcheck.h"
#include "net/messages.h"
#include "net/recentdatagrams.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <functional>

class QTime;

enum class Game { Othello, Puissance4 };
enum class Room { Work, Tea };

// One station on the segment, without any window: it reads, validates and
// filters every datagram heard and reports each effect as a signal, sends
// what the user does, and keeps the state every window shares. Windows
// connect to the signals and call the methods; none of them reads a datagram.
class Station final : public QObject
{
    Q_OBJECT
public:
    // Presence, availability and open boards go out this often. Peers count a
    // station as present from its presences, so the period is the protocol's.
    static constexpr int kBroadcastMs = 5000;

    explicit Station(DatagramLink &link, QObject *parent = nullptr);

    // Start-up: takes the user name and announces the station at once, then
    // once a period until stop(). The name is kept as the wire carries it
    // ("Δημήτρης" becomes "????????"), for it is what every other station
    // reads, shows and addresses.
    void start(const QString &userName);
    void stop();
    bool isStarted() const { return m_started; }
    const QString &userName() const { return m_userName; }

    // 0 available, 1 not available. Once started, a change goes out at once.
    int availability() const { return m_availability; }
    void setAvailability(int index);

    // What the user does. Typed text must already be free of the separator.
    void sendChatLine(Room room, const QString &text);
    void sendPrivateMessage(const QString &to, const QString &text);
    void proposeGame(Game game, const QString &to);
    // Starts the game against the proposer and tells them; refused (nothing
    // sent) while a game of that kind is on.
    bool acceptProposal(Game game, const QString &proposer);
    void declineProposal(const QString &proposer);
    void sendDeparture();

    // The games this station takes part in. A game is on from an accept, sent
    // or received, until its window is closed.
    bool isPlaying(Game game) const { return m_games[index(game)].playing; }
    QString opponent(Game game) const { return m_games[index(game)].opponent; }
    void startGame(Game game, const QString &opponent);
    void endGame(Game game);
    // The board datagram broadcast every period while the game is on.
    void setBoardSource(Game game, std::function<QString()> boardMessage);

    // The periodic broadcast, at once: presence, availability, open boards.
    void broadcastPresence();
    // After a move the period starts anew.
    void restartBroadcastPeriod();
    bool isBroadcasting() const { return m_broadcastTimer.isActive(); }
    // The end of a period, at once: judge who hears the station, then
    // broadcast. The broadcast timer runs this.
    void runPeriod();

    // Whether anyone hears this station, and the system's reason when its
    // sends fail (empty once its own presence comes back).
    HearingCheck::State hearing() const { return m_hearing.state(); }
    const QString &sendFailure() const { return m_sendFailure; }

    // One datagram heard on the chat port, this station's own included. The
    // link's datagrams come here once each: repeats within
    // RecentDatagrams::kWindowMs are left out before anything acts on them.
    void onDatagram(const QByteArray &datagram);
    // The monotonic clock, in ms, that times repeats; tests set their own.
    void setClock(std::function<qint64()> nowMs) { m_clock = std::move(nowMs); }
    // Forgets the datagrams heard lately, so the same bytes are taken again.
    void forgetRecentDatagrams() { m_recent.clear(); }

    DatagramLink &link() const { return m_link; }

signals:
    void chatLineReceived(Room room, const QString &line);
    void userSeen(const QString &name);
    void userAvailabilityChanged(const QString &name, bool available);
    void userGone(const QString &name);
    void privateMessageReceived(const QString &sender, const QString &text);
    void proposalReceived(Game game, const QString &proposer);
    void proposalDeclined(const QString &decliner);
    // A game has begun, by an accept sent or received: its window should open.
    void gameStarted(Game game, const QString &opponent);
    void othelloBoardReceived(const wire::OthelloBoard &board);
    void puissance4BoardReceived(const wire::Puissance4Board &board);
    // Whether anyone hears this station has changed; see hearing().
    void hearingChanged(HearingCheck::State state);

private:
    struct GameState {
        bool playing = false;
        QString opponent;
        std::function<QString()> boardMessage;
    };
    static std::size_t index(Game game) { return game == Game::Othello ? 0 : 1; }
    void send(const QString &message);
    void onLinkDatagram(const QByteArray &datagram);
    void noteHearing(const std::function<void()> &change);

    DatagramLink &m_link;
    QTimer m_broadcastTimer;
    QString m_userName;
    int m_availability = 0;
    bool m_started = false;
    std::array<GameState, 2> m_games;
    RecentDatagrams m_recent;
    QElapsedTimer m_uptime;
    std::function<qint64()> m_clock;
    HearingCheck m_hearing;
    QString m_sendFailure;
};

// USERNAME when set, else the login name (USER, then the password database);
// empty only when all are missing.
QString stationUserName();

// The time of day in the regional format, with seconds and without a zone.
QString timeOfDay(const QTime &time);
