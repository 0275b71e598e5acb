#include "net/station.h"

#include "net/carriedtext.h"
#include "net/wire.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTime>

#include <pwd.h>
#include <unistd.h>

Station::Station(DatagramLink &link, QObject *parent)
    : QObject(parent)
    , m_link(link)
{
    m_broadcastTimer.setObjectName(QStringLiteral("Timer1"));
    m_broadcastTimer.setInterval(kBroadcastMs);
    connect(&m_broadcastTimer, &QTimer::timeout, this, &Station::runPeriod);
    connect(&link, &DatagramLink::datagramReceived, this, &Station::onLinkDatagram);
    connect(&link, &DatagramLink::sendFailed, this, [this](const QString &reason) { m_sendFailure = reason; });
    m_uptime.start();
    m_clock = [this] { return m_uptime.elapsed(); };
}

void Station::start(const QString &userName)
{
    m_userName = wire::carried(userName);
    m_started = true;
    for (GameState &game : m_games)
        game.playing = false;
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
    send(game == Game::Othello ? wire::othelloProposal(to, m_userName) : wire::puissance4Proposal(to, m_userName));
}

bool Station::acceptProposal(Game game, const QString &proposer)
{
    if (isPlaying(game))
        return false;
    // The game window opens before the proposer hears of it, as other stations expect.
    startGame(game, proposer);
    send(game == Game::Othello ? wire::othelloAccept(proposer, m_userName)
                               : wire::puissance4Accept(proposer, m_userName));
    return true;
}

void Station::declineProposal(const QString &proposer)
{
    send(wire::proposalDeclined(proposer, m_userName));
}

void Station::sendDeparture()
{
    send(wire::departure(m_userName));
}

void Station::startGame(Game game, const QString &opponent)
{
    GameState &state = m_games[index(game)];
    state.opponent = opponent;
    state.playing = true;
    emit gameStarted(game, opponent);
}

void Station::endGame(Game game)
{
    m_games[index(game)].playing = false;
}

void Station::setBoardSource(Game game, std::function<QString()> boardMessage)
{
    m_games[index(game)].boardMessage = std::move(boardMessage);
}

void Station::broadcastPresence()
{
    send(wire::presence(m_userName));
    send(wire::availability(m_userName, m_availability));
    for (const GameState &game : m_games) {
        if (game.playing && game.boardMessage)
            send(game.boardMessage());
    }
}

void Station::restartBroadcastPeriod()
{
    m_broadcastTimer.start();
}

void Station::runPeriod()
{
    noteHearing([this] { m_hearing.periodEnded(); });
    broadcastPresence();
}

void Station::noteHearing(const std::function<void()> &change)
{
    const HearingCheck::State before = m_hearing.state();
    change();
    if (m_hearing.state() != before)
        emit hearingChanged(m_hearing.state());
}

void Station::onLinkDatagram(const QByteArray &datagram)
{
    if (m_recent.isNew(datagram, m_clock()))
        onDatagram(datagram);
}

void Station::onDatagram(const QByteArray &datagram)
{
    const std::optional<wire::Message> message = wire::read(datagram);
    if (!message)
        return;
    const QString f1 = message->field(1);
    if (wire::isAddressed(message->code) && f1 != m_userName)
        return;
    const QString f2 = message->field(2);

    switch (message->code) {
    case wire::Code::WorkLine:
        emit chatLineReceived(Room::Work, f1);
        break;
    case wire::Code::TeaLine:
        emit chatLineReceived(Room::Tea, f1);
        break;
    case wire::Code::Presence:
        // Our own presence back means what we send reaches the network.
        if (f1 == m_userName) {
            m_sendFailure.clear();
            noteHearing([this] { m_hearing.ownPresenceHeard(); });
        } else {
            noteHearing([this] { m_hearing.otherStationHeard(); });
        }
        emit userSeen(f1);
        break;
    case wire::Code::OthelloAccept:
        startGame(Game::Othello, f2);
        break;
    case wire::Code::Puissance4Accept:
        startGame(Game::Puissance4, f2);
        break;
    case wire::Code::PrivateMessage:
        emit privateMessageReceived(f2, message->field(3));
        break;
    case wire::Code::Departure:
        emit userGone(f1);
        break;
    case wire::Code::OthelloProposal:
        emit proposalReceived(Game::Othello, f2);
        break;
    case wire::Code::Puissance4Proposal:
        emit proposalReceived(Game::Puissance4, f2);
        break;
    case wire::Code::Availability:
        emit userAvailabilityChanged(f1, message->availabilityIndex == 0);
        break;
    case wire::Code::ProposalDeclined:
        emit proposalDeclined(f2);
        break;
    case wire::Code::Puissance4Board:
        emit puissance4BoardReceived(message->puissance4);
        break;
    case wire::Code::OthelloBoard:
        emit othelloBoardReceived(message->othello);
        break;
    }
}

QString stationUserName()
{
    for (const char *name : {"USERNAME", "USER"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            return value;
    }
    if (const passwd *entry = getpwuid(getuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    return {};
}

QString timeOfDay(const QTime &time)
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*")));
    return QLocale::system().toString(time, format.trimmed());
}
