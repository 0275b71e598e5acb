#include "station/station.h"

#include "games/matches.h"
#include "wire/carriedtext.h"
#include "wire/messages.h"
#include "wire/wire.h"

#include <QDeadlineTimer>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>

#include <pwd.h>
#include <unistd.h>

Station::Station(DatagramLink &link, QObject *parent)
    : QObject(parent)
    , m_link(link)
    , m_clock([] { return QDeadlineTimer::current().deadline(); })
{
    m_broadcastTimer.setObjectName(QStringLiteral("Timer1"));
    m_broadcastTimer.setInterval(kBroadcastMs);
    connect(&m_broadcastTimer, &QTimer::timeout, this, &Station::broadcastPeriod);
    connect(&link, &DatagramLink::datagramReceived, this, &Station::onLinkDatagram);
    connect(&link, &DatagramLink::sendFailed, this, [this](const QString &reason) { m_sendFailure = reason; });
    for (const Game game : kGames) {
        m_matches[indexOf(game)] = makeMatch(game, m_userName);
        connect(&match(game), &Match::moved, this, &Station::broadcastPresence);
        connect(&match(game), &Match::moveTried, this, &Station::restartBroadcastPeriod);
    }
}

void Station::start(const QString &userName)
{
    m_userName = wire::carried(userName);
    m_started = true;
    m_departed = false;
    m_users.clear();
    m_nameClashHeardMs = -1;
    for (const Game game : kGames)
        endGame(game);
    noteHearing([this] { m_hearing.restart(); });
    broadcastPresence();
    m_broadcastTimer.start();
}

void Station::stop()
{
    m_broadcastTimer.stop();
}

void Station::setAvailability(int index)
{
    m_availability = index;
    if (m_started)
        send(wire::availability(m_userName, index));
}

void Station::send(const QString &message)
{
    m_link.send(wire::encode(message));
}

void Station::sendChatLine(Room room, const QString &text)
{
    const QString line = wire::chatLine(m_userName, timeOfDay(QTime::currentTime()), text);
    send(room == Room::Work ? wire::workLine(line) : wire::teaLine(line));
}

void Station::sendPrivateMessage(const QString &to, const QString &text)
{
    send(wire::privateMessage(to, m_userName, text));
}

void Station::proposeGame(Game game, const QString &to)
{
    m_proposals.add(game, to, m_clock());
    emit proposalWaiting(game, to);
    send(wire::proposal(game, to, m_userName));
}

bool Station::acceptProposal(Game game, const QString &proposer)
{
    if (match(game).isRunning())
        return false;
    // The game window opens before the proposer hears of it, as other stations expect.
    startGame(game, proposer);
    send(wire::accept(game, proposer, m_userName));
    return true;
}

void Station::declineProposal(const QString &proposer)
{
    send(wire::proposalDeclined(proposer, m_userName));
}

bool Station::withdrawProposal(Game game, const QString &to)
{
    return m_proposals.take(game, to, m_clock());
}

void Station::sendDeparture()
{
    m_departed = true;
    send(wire::departure(m_userName));
}

void Station::rename(const QString &userName)
{
    const QString carriedName = wire::carried(userName);
    if (carriedName == m_userName)
        return;
    for (const Game game : kGames)
        endGame(game);
    sendDeparture();
    m_userName = carriedName;
    if (m_nameClashHeardMs >= 0) {
        m_nameClashHeardMs = -1;
        emit nameInUseEnded();
    }
    broadcastPresence();
}

void Station::startGame(Game game, const QString &opponent)
{
    match(game).start(opponent);
    emit gameStarted(game, opponent);
}

void Station::broadcastPresence()
{
    send(wire::presence(m_userName));
    send(wire::availability(m_userName, m_availability));
    for (const Game game : kGames) {
        if (match(game).isPlaying())
            send(match(game).boardMessage());
    }
}

void Station::broadcastPeriod()
{
    dropSilentUsers();
    for (const PendingProposals::Expired &expired : m_proposals.dropExpired(m_clock()))
        emit proposalExpired(expired.game, expired.to);
    noteHearing([this] { m_hearing.periodEnded(); });
    for (const Game game : kGames)
        match(game).periodPassed();
    broadcastPresence();
}

void Station::userLeft(const QString &name)
{
    // Nobody can answer for a user gone: a later accept under the name is not his.
    while (m_proposals.forget(name)) {
    }
    for (const Game game : kGames)
        match(game).userLeft(name);
    emit userGone(name);
}

void Station::dropSilentUsers()
{
    const qint64 now = m_clock();
    for (const QString &name : m_users.dropSilent(now, kSilenceMs))
        userLeft(name);
    if (m_nameClashHeardMs >= 0 && now - m_nameClashHeardMs > kSilenceMs) {
        m_nameClashHeardMs = -1;
        emit nameInUseEnded();
    }
}

void Station::forgetUsers()
{
    const QStringList names = m_users.names();
    m_users.clear();
    for (const QString &name : names)
        userLeft(name);
}

void Station::noteNameClash(const QString &name, const QHostAddress &sender)
{
    // An unknown sender cannot be told from this station's own echo. Both
    // stations hear each other, so both say so, however late one started.
    if (!m_started || name != m_userName || sender.isNull() || m_link.isOwnAddress(sender))
        return;
    if (m_nameClashHeardMs < 0)
        emit nameInUse(name);
    m_nameClashHeardMs = m_clock();
}

bool Station::hearPresence(const QString &name, const QHostAddress &sender)
{
    noteNameClash(name, sender);
    // Every presence heard refreshes the count, so it is not only for new names.
    if (m_users.hearPresence(name, m_clock(), sender) == UserRoster::Heard::Refused)
        return false;
    emit userSeen(name);
    return true;
}

bool Station::hearAvailability(const QString &name, bool available, const QHostAddress &sender)
{
    noteNameClash(name, sender);
    // As a departure: only from the name's own addresses, and it binds none.
    if (!speaksFor(name, sender))
        return false;
    if (m_users.hearAvailability(name, available, m_clock(), sender) == UserRoster::Availability::Changed)
        emit userAvailabilityChanged(name, available);
    return true;
}

bool Station::speaksFor(const QString &name, const QHostAddress &sender) const
{
    if (sender.isNull())
        return true;
    const QList<QHostAddress> addresses = m_users.addresses(name);
    return addresses.isEmpty() || addresses.contains(sender);
}

Provenance Station::provenance(const QString &name, const QHostAddress &sender) const
{
    if (sender.isNull() || m_link.isOwnAddress(sender))
        return {};
    QList<QHostAddress> addresses = m_users.addresses(name);
    if (addresses.contains(sender))
        return {};
    return {sender, std::move(addresses)};
}

bool Station::takeAccept(Game game, const QString &acceptor, const QHostAddress &sender)
{
    // Only an answer to a proposal of ours, from the acceptor's own station.
    if (!speaksFor(acceptor, sender))
        return false;
    if (!m_proposals.take(game, acceptor, m_clock()))
        return true;
    if (match(game).isRunning())
        emit acceptRefused(game, acceptor);
    else
        startGame(game, acceptor);
    return true;
}

void Station::restartBroadcastPeriod()
{
    m_broadcastTimer.start();
}

void Station::noteHearing(const std::function<void()> &change)
{
    const HearingCheck::State before = m_hearing.state();
    change();
    if (m_hearing.state() != before)
        emit hearingChanged(m_hearing.state());
}

void Station::onLinkDatagram(const QByteArray &datagram, const QHostAddress &sender)
{
    const bool fromHere = sender.isNull() || m_link.isOwnAddress(sender);
    if (m_recent.isRepeat(datagram, fromHere, m_clock()))
        return;
    if (onDatagram(datagram, sender) || fromHere)
        m_recent.remember(datagram, fromHere, m_clock());
}

bool Station::onDatagram(const QByteArray &datagram, const QHostAddress &sender)
{
    const std::optional<wire::Message> message = wire::read(datagram);
    if (!message || (wire::isAddressed(message->code) && message->destination != m_userName))
        return true;

    switch (message->code) {
    case wire::Code::WorkLine:
        emit chatLineReceived(Room::Work, message->line);
        return true;
    case wire::Code::TeaLine:
        emit chatLineReceived(Room::Tea, message->line);
        return true;
    case wire::Code::Presence:
        // Our own presence back means what we send reaches the network; our
        // name from another computer is another station.
        if (message->name == m_userName && (sender.isNull() || m_link.isOwnAddress(sender))) {
            m_sendFailure.clear();
            noteHearing([this] { m_hearing.ownPresenceHeard(); });
        } else {
            noteHearing([this] { m_hearing.otherStationHeard(); });
        }
        return hearPresence(message->name, sender);
    case wire::Code::PrivateMessage:
        emit privateMessageReceived(message->sender, message->text, provenance(message->sender, sender));
        return speaksFor(message->sender, sender);
    case wire::Code::Departure:
        if (!speaksFor(message->name, sender))
            return false;
        if (m_users.remove(message->name))
            userLeft(message->name);
        // Another copy under this name left (another desktop, another host):
        // every station has just listed the name off, so this one says at once
        // that it is still here rather than a period later. The repeat filter
        // takes the same departure at most once a second from each side.
        if (message->name == m_userName && m_started && !m_departed)
            broadcastPresence();
        return true;
    case wire::Code::Availability:
        return hearAvailability(message->name, message->availabilityIndex == 0, sender);
    case wire::Code::ProposalDeclined:
        if (!speaksFor(message->sender, sender))
            return false;
        // A decline of a proposal never made here shows nothing.
        if (m_proposals.forget(message->sender))
            emit proposalDeclined(message->sender);
        return true;
    default:
        // Every other code is a game's proposal, accept or board.
        return takeGameMessage(*message, sender);
    }
}

bool Station::takeGameMessage(const wire::Message &message, const QHostAddress &sender)
{
    const wire::GameCodes &codes = wire::codesOf(message.game);
    if (message.code == codes.accept)
        return takeAccept(message.game, message.sender, sender);
    if (message.code == codes.proposal) {
        emit proposalReceived(message.game, message.sender, provenance(message.sender, sender));
        return speaksFor(message.sender, sender);
    }
    // A board counts only from the station of the opponent it answers.
    Match &board = match(message.game);
    if (!speaksFor(board.opponent(), sender))
        return false;
    board.takeBoardMessage(message);
    return true;
}

QString stationUserName(const QString &chosen)
{
    if (const QString set = qEnvironmentVariable("USERNAME"); !set.isEmpty())
        return set;
    if (!chosen.isEmpty())
        return chosen;
    if (const QString login = qEnvironmentVariable("USER"); !login.isEmpty())
        return login;
    if (const passwd *entry = getpwuid(getuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    return {};
}

QString timeOfDay(const QTime &time, const QLocale &locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*")));
    format = format.trimmed();
    for (const QString &written : {locale.toString(time, format), QLocale::c().toString(time, format)}) {
        if (wire::carried(written) == written)
            return written;
    }
    return QLocale::c().toString(time, QStringLiteral("HH:mm:ss"));
}
