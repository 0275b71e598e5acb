#include "net/station.h"

#include "net/carriedtext.h"
#include "net/wire.h"

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
}

void Station::start(const QString &userName)
{
    m_userName = wire::carried(userName);
    m_started = true;
    m_users.clear();
    m_startedAtMs = m_clock();
    m_nameInUseReported = false;
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
    if (isRunning(game))
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
    state.over = false;
    state.quietPeriods = 0;
    emit gameStarted(game, opponent);
}

void Station::finishGame(Game game)
{
    GameState &state = m_games[index(game)];
    if (state.playing)
        state.over = true;
}

void Station::endGame(Game game)
{
    GameState &state = m_games[index(game)];
    state.playing = false;
    state.over = false;
    state.quietPeriods = 0;
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

void Station::broadcastPeriod()
{
    dropSilentUsers();
    noteHearing([this] { m_hearing.periodEnded(); });
    for (std::size_t i = 0; i < m_games.size(); ++i) {
        GameState &state = m_games[i];
        if (state.playing && !state.over && state.quietPeriods < kQuietPeriods
            && ++state.quietPeriods == kQuietPeriods)
            emit opponentQuietChanged(i == 0 ? Game::Othello : Game::Puissance4, true);
    }
    broadcastPresence();
}

void Station::heardBoard(Game game)
{
    GameState &state = m_games[index(game)];
    const bool wasQuiet = state.quietPeriods >= kQuietPeriods;
    state.quietPeriods = 0;
    if (wasQuiet && state.playing)
        emit opponentQuietChanged(game, false);
}

void Station::dropSilentUsers()
{
    for (const QString &name : m_users.dropSilent(m_clock(), kSilenceMs))
        emit userGone(name);
}

void Station::forgetUsers()
{
    const QStringList names = m_users.names();
    m_users.clear();
    for (const QString &name : names)
        emit userGone(name);
}

void Station::hearPresence(const QString &name, const QHostAddress &sender)
{
    const qint64 now = m_clock();
    // An unknown sender cannot be told from this station's own echo.
    if (m_started && name == m_userName && !m_nameInUseReported && now - m_startedAtMs <= kNameCheckMs
        && !sender.isNull() && !m_link.isOwnAddress(sender)) {
        m_nameInUseReported = true;
        emit nameInUse(name);
    }
    // Every presence heard refreshes the count, so it is not only for new names.
    if (m_users.hearPresence(name, now) != UserRoster::Heard::Refused)
        emit userSeen(name);
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
    if (m_recent.isNew(datagram, fromHere, m_clock()))
        onDatagram(datagram, sender);
}

void Station::onDatagram(const QByteArray &datagram, const QHostAddress &sender)
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
        // Our own presence back means what we send reaches the network; our
        // name from another computer is another station.
        if (f1 == m_userName && (sender.isNull() || m_link.isOwnAddress(sender))) {
            m_sendFailure.clear();
            noteHearing([this] { m_hearing.ownPresenceHeard(); });
        } else {
            noteHearing([this] { m_hearing.otherStationHeard(); });
        }
        hearPresence(f1, sender);
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
        if (m_users.remove(f1))
            emit userGone(f1);
        break;
    case wire::Code::OthelloProposal:
        emit proposalReceived(Game::Othello, f2);
        break;
    case wire::Code::Puissance4Proposal:
        emit proposalReceived(Game::Puissance4, f2);
        break;
    case wire::Code::Availability: {
        const bool available = message->availabilityIndex == 0;
        if (m_users.hearAvailability(f1, available, m_clock()) == UserRoster::Availability::Changed)
            emit userAvailabilityChanged(f1, available);
        break;
    }
    case wire::Code::ProposalDeclined:
        emit proposalDeclined(f2);
        break;
    case wire::Code::Puissance4Board:
        heardBoard(Game::Puissance4);
        emit puissance4BoardReceived(message->puissance4);
        break;
    case wire::Code::OthelloBoard:
        heardBoard(Game::Othello);
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
