#pragma once

#include "net/datagramlink.h"
#include "net/hearingcheck.h"
#include "net/messages.h"
#include "net/recentdatagrams.h"
#include "net/userroster.h"

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
    // A station playing a game sends its board every period, so this many
    // periods without one means the opponent no longer plays it (its window
    // closed, its station gone). Three periods ride out a lost datagram or two
    // and still tell a waiting player within 15 seconds.
    static constexpr int kQuietPeriods = 3;
    // A user not heard (presence or availability) for this long is dropped
    // from the list as a departure would drop them. Six periods: a station
    // that is busy, or loses a datagram or two, is never dropped, and one
    // that crashed or left without a word goes within half a minute.
    static constexpr qint64 kSilenceMs = 6 * qint64(kBroadcastMs);
    // Another station heard announcing this station's user name within this
    // long after start is reported. Every station announces once a period,
    // so three periods hear it even when a datagram or two are lost; a
    // station started later hears this one and reports the clash itself.
    static constexpr qint64 kNameCheckMs = 3 * qint64(kBroadcastMs);

    explicit Station(DatagramLink &link, QObject *parent = nullptr);

    // Start-up: takes the user name and announces the station at once, then
    // once a period until stop(). The name is kept as the wire carries it
    // ("Δημήτρης" becomes "????????"), for it is what every other station
    // reads, shows and addresses.
    void start(const QString &userName);
    void stop();
    bool isStarted() const { return m_started; }
    const QString &userName() const { return m_userName; }
    // Names the user without announcing the station: for a command that only
    // sends one message.
    void setUserName(const QString &userName) { m_userName = userName; }

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
    // or received, until the user leaves it, closes it once it is over, or a
    // new one of its kind starts; closing the window of a running game keeps it.
    // While it is on its board goes out every period.
    bool isPlaying(Game game) const { return m_games[index(game)].playing; }
    // On and not yet over: a new game of that kind must wait for it.
    bool isRunning(Game game) const { return isPlaying(game) && !m_games[index(game)].over; }
    QString opponent(Game game) const { return m_games[index(game)].opponent; }
    void startGame(Game game, const QString &opponent);
    // The board shows a result. The game stays on, so its last board still
    // reaches an opponent who missed it, but no longer holds up a new one.
    void finishGame(Game game);
    void endGame(Game game);
    // The board datagram broadcast every period while the game is on.
    void setBoardSource(Game game, std::function<QString()> boardMessage);

    // The periodic broadcast, at once: presence, availability, open boards.
    void broadcastPresence();
    // One period of the broadcast timer, at once: drops silent users, judges
    // who hears this station, counts the periods each running game's
    // opponent has sent no board, then broadcasts.
    void broadcastPeriod();
    // After a move the period starts anew.
    void restartBroadcastPeriod();
    bool isBroadcasting() const { return m_broadcastTimer.isActive(); }

    // Every datagram heard on the chat port, this station's own included.
    // sender: where it came from; a null address when unknown.
    void onDatagram(const QByteArray &datagram, const QHostAddress &sender = {});

    // The users heard, by exact name.
    const UserRoster &users() const { return m_users; }
    // Drops every user silent for kSilenceMs, reporting each as gone. Run
    // once a period, before this station's own presence goes out.
    void dropSilentUsers();
    // Reports every listed user as gone and forgets them all.
    void forgetUsers();
    // Milliseconds on a steady clock; tests step it instead of waiting.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

    // Whether anyone hears this station, and the system's reason when its
    // sends fail (empty once its own presence comes back).
    HearingCheck::State hearing() const { return m_hearing.state(); }
    const QString &sendFailure() const { return m_sendFailure; }
    // Forgets the datagrams heard lately, so the same bytes are taken again.
    void forgetRecentDatagrams() { m_recent.clear(); }

    DatagramLink &link() const { return m_link; }

signals:
    void chatLineReceived(Room room, const QString &line);
    // Every presence heard, a listed user's included: it refreshes the count.
    void userSeen(const QString &name);
    // A listed user's availability changed; the same one again says nothing.
    void userAvailabilityChanged(const QString &name, bool available);
    // A departure, or silence for kSilenceMs.
    void userGone(const QString &name);
    // Another station announced this station's user name soon after start.
    void nameInUse(const QString &name);
    void privateMessageReceived(const QString &sender, const QString &text);
    void proposalReceived(Game game, const QString &proposer);
    void proposalDeclined(const QString &decliner);
    // A game has begun, by an accept sent or received: its window should open.
    void gameStarted(Game game, const QString &opponent);
    void othelloBoardReceived(const wire::OthelloBoard &board);
    void puissance4BoardReceived(const wire::Puissance4Board &board);
    // The opponent of a running game has sent no board for kQuietPeriods
    // periods (quiet), or is heard again.
    void opponentQuietChanged(Game game, bool quiet);
    // Whether anyone hears this station has changed; see hearing().
    void hearingChanged(HearingCheck::State state);

private:
    struct GameState {
        bool playing = false;
        bool over = false;
        int quietPeriods = 0;
        QString opponent;
        std::function<QString()> boardMessage;
    };
    static std::size_t index(Game game) { return game == Game::Othello ? 0 : 1; }
    void send(const QString &message);
    void heardBoard(Game game);
    void hearPresence(const QString &name, const QHostAddress &sender);
    // The link's datagrams come here once each: repeats within
    // RecentDatagrams::kWindowMs are left out before anything acts on them.
    void onLinkDatagram(const QByteArray &datagram, const QHostAddress &sender);
    void noteHearing(const std::function<void()> &change);

    DatagramLink &m_link;
    QTimer m_broadcastTimer;
    QString m_userName;
    int m_availability = 0;
    bool m_started = false;
    std::array<GameState, 2> m_games;
    UserRoster m_users;
    std::function<qint64()> m_clock;
    qint64 m_startedAtMs = 0;
    bool m_nameInUseReported = false;
    RecentDatagrams m_recent;
    HearingCheck m_hearing;
    QString m_sendFailure;
};

// USERNAME when set, else the login name (USER, then the password database);
// empty only when all are missing.
QString stationUserName();

// The time of day in the regional format, with seconds and without a zone.
QString timeOfDay(const QTime &time);
