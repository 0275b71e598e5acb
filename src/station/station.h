#pragma once

#include "games/match.h"
#include "station/datagramlink.h"
#include "station/hearingcheck.h"
#include "station/pendingproposals.h"
#include "station/provenance.h"
#include "station/recentdatagrams.h"
#include "station/userroster.h"
#include "wire/kinds.h"

#include <QLocale>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

class QTime;

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
    // A user not heard (presence or availability) for this long is dropped
    // from the list as a departure would drop them. Six periods: a station
    // that is busy, or loses a datagram or two, is never dropped, and one
    // that crashed or left without a word goes within half a minute.
    static constexpr qint64 kSilenceMs = 6 * qint64(kBroadcastMs);

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
    // The proposal waits for an answer: only an accept of it starts a game.
    void proposeGame(Game game, const QString &to);
    // Starts the game against the proposer and tells them; refused (nothing
    // sent) while a game of that kind is on.
    bool acceptProposal(Game game, const QString &proposer);
    void declineProposal(const QString &proposer);
    // The user takes back a proposal still waiting: a later accept of it is
    // refused as unasked. Nothing goes out, for the wire has no word for it.
    // Returns whether it was waiting.
    bool withdrawProposal(Game game, const QString &to);
    void sendDeparture();
    // A new name while running: every station hears the old name leave and
    // the new one arrive, as if the station had restarted. Games against the
    // old name end with it, at peers and here.
    void rename(const QString &userName);

    // The games this station takes part in, one match of each kind. A move
    // made in one goes out at once; its board goes out every period while it is on.
    Match &match(Game game) { return *m_matches[indexOf(game)]; }
    const Match &match(Game game) const { return *m_matches[indexOf(game)]; }
    // The match of a kind as its own class, for its window: match<OthelloMatch>().
    template <typename KindOfMatch>
    KindOfMatch &match() { return static_cast<KindOfMatch &>(match(KindOfMatch::kGame)); }
    // A game begins against the opponent, by an accept sent or received.
    void startGame(Game game, const QString &opponent);
    void endGame(Game game) { match(game).end(); }

    // The periodic broadcast, at once: presence, availability, open boards.
    void broadcastPresence();
    // One period of the broadcast timer, at once: drops silent users and
    // expired proposals, judges who hears this station, tells each game a
    // period passed, then broadcasts.
    void broadcastPeriod();
    // After a move the period starts anew.
    void restartBroadcastPeriod();
    bool isBroadcasting() const { return m_broadcastTimer.isActive(); }

    // Every datagram heard on the chat port, this station's own included.
    // sender: where it came from; a null address when unknown. Returns
    // whether it came from a station that may speak for the name it carries:
    // only then may a copy of it count as a repeat.
    bool onDatagram(const QByteArray &datagram, const QHostAddress &sender = {});

    // The users heard, by exact name, with the addresses each is heard from.
    const UserRoster &users() const { return m_users; }
    // The name is heard lately from more live addresses than one station uses.
    bool isContested(const QString &name) const { return m_users.isContested(name, m_clock()); }
    // The name may pose as another: a look-alike of a listed one, or contested.
    bool isDoubtful(const QString &name) const { return m_users.isLookAlike(name) || isContested(name); }
    // Whether a datagram from sender may speak for the name: a listed name
    // only from the addresses it is heard from. A name heard from no address
    // yet, or a sender not known, is taken as every station takes it, for
    // the wire carries no proof.
    bool speaksFor(const QString &name, const QHostAddress &sender) const;
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
    // A departure, or silence for kSilenceMs. A running game against them has ended.
    void userGone(const QString &name);
    // Another station announces this station's user name from another
    // computer; said again only once it has been silent for kSilenceMs.
    void nameInUse(const QString &name);
    void nameInUseEnded();
    // provenance: empty when the claimed sender's station is the one it came
    // from, else where it came from and where that name is heard.
    void privateMessageReceived(const QString &sender, const QString &text, const Provenance &provenance);
    void proposalReceived(Game game, const QString &proposer, const Provenance &provenance);
    // An accept of this station's proposal came while a game of that kind is
    // on here: the game goes on and no new one starts.
    void acceptRefused(Game game, const QString &acceptor);
    // This station proposed a game; it waits for an answer until
    // PendingProposals::kExpiryMs, after which the first period says it expired.
    void proposalWaiting(Game game, const QString &to);
    void proposalExpired(Game game, const QString &to);
    void proposalDeclined(const QString &decliner);
    // A game has begun, by an accept sent or received: its window should open.
    void gameStarted(Game game, const QString &opponent);
    // Whether anyone hears this station has changed; see hearing().
    void hearingChanged(HearingCheck::State state);

private:
    void send(const QString &message);
    void userLeft(const QString &name);
    bool takeGameMessage(const wire::Message &message, const QHostAddress &sender);
    bool takeAccept(Game game, const QString &acceptor, const QHostAddress &sender);
    Provenance provenance(const QString &name, const QHostAddress &sender) const;
    bool hearPresence(const QString &name, const QHostAddress &sender);
    bool hearAvailability(const QString &name, bool available, const QHostAddress &sender);
    // This station's name heard from another computer.
    void noteNameClash(const QString &name, const QHostAddress &sender);
    // The link's datagrams come here once each: repeats within
    // RecentDatagrams::kWindowMs of a taken copy are left out before
    // anything acts on them.
    void onLinkDatagram(const QByteArray &datagram, const QHostAddress &sender);
    void noteHearing(const std::function<void()> &change);

    DatagramLink &m_link;
    QTimer m_broadcastTimer;
    QString m_userName;
    int m_availability = 0;
    bool m_started = false;
    bool m_departed = false; // said goodbye: its own departure heard back is no other copy's
    std::array<std::unique_ptr<Match>, kGames.size()> m_matches;
    UserRoster m_users{kSilenceMs};
    std::function<qint64()> m_clock;
    qint64 m_nameClashHeardMs = -1; // when another station last used this one's name; -1 while none does
    PendingProposals m_proposals;
    RecentDatagrams m_recent;
    HearingCheck m_hearing;
    QString m_sendFailure;
};

// USERNAME when set (scripts set it), else the name the user chose, else the
// login name (USER, then the password database); empty only when all are missing.
QString stationUserName(const QString &chosen = {});

// The time of day in the regional format, with seconds and without a zone,
// as the wire carries it: where the region writes digits or words the wire
// lacks (Arabic or Bengali digits, a Bulgarian "ч."), its format in Latin
// digits, or else hours, minutes and seconds, rather than "?:??:??".
QString timeOfDay(const QTime &time, const QLocale &locale = QLocale::system());
