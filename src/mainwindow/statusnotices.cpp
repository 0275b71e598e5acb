#include "mainwindow/statusnotices.h"

#include "games/gamewindows.h"
#include "wire/wire.h"

StatusNotices::StatusNotices(Station &station, QObject *parent)
    : QObject(parent)
    , m_station(station)
{
    connect(&station, &Station::nameInUse, this, [this](const QString &name) {
        set(Notice::NameInUse, tr("Another station on this network uses the name %1").arg(name));
    });
    connect(&station, &Station::nameInUseEnded, this, [this] { set(Notice::NameInUse, {}); });
    // The accept came while a game of that kind is on: said until the next
    // game begins, for the acceptor's window may show a game that will not go on.
    connect(&station, &Station::acceptRefused, this, [this](Game game, const QString &acceptor) {
        set(Notice::AcceptRefused, GameWindows::words(game).acceptRefused.arg(acceptor));
        clearProposalWaiting(acceptor);
    });
    connect(&station, &Station::proposalWaiting, this, &StatusNotices::showProposalWaiting);
    connect(&station, &Station::proposalDeclined, this, &StatusNotices::clearProposalWaiting);
    connect(&station, &Station::proposalExpired, this, [this](Game, const QString &to) { clearProposalWaiting(to); });
    connect(&station, &Station::gameStarted, this, [this](Game, const QString &opponent) {
        clearProposalWaiting(opponent);
        set(Notice::AcceptRefused, {});
    });
    connect(&station, &Station::hearingChanged, this, &StatusNotices::showHearing);
}

void StatusNotices::set(Notice notice, const QString &text)
{
    const QString before = shown();
    m_texts[std::size_t(notice)] = text;
    if (shown() != before)
        emit shownChanged(shown());
}

QString StatusNotices::shown() const
{
    for (const QString &text : m_texts) {
        if (!text.isEmpty())
            return text;
    }
    return {};
}

bool StatusNotices::showsProposal() const
{
    const QString now = shown();
    return !now.isEmpty() && now == m_texts[std::size_t(Notice::Proposal)];
}

void StatusNotices::withdrawProposal()
{
    if (m_proposedTo.isEmpty())
        return;
    m_station.withdrawProposal(m_proposedGame, m_proposedTo);
    clearProposalWaiting(m_proposedTo);
}

void StatusNotices::showHearing(HearingCheck::State state)
{
    QString nobodyHears;
    if (state == HearingCheck::State::NobodyHears) {
        // Short enough for the status bar beside the user count and the clock.
        const QString &failure = m_station.sendFailure();
        nobodyHears = failure.isEmpty()
            ? tr("Nobody hears you: check the network and that UDP port %1 is open").arg(wire::kPort)
            : tr("Nobody hears you: %1. Check the cable or Wi-Fi").arg(failure);
    }
    set(Notice::NobodyHears, nobodyHears);
    set(Notice::Alone, state == HearingCheck::State::Alone ? tr("No other station heard on this network yet") : QString());
}

// Said until the accept, the decline, or the proposal's time-out.
void StatusNotices::showProposalWaiting(Game game, const QString &to)
{
    m_proposedTo = to;
    m_proposedGame = game;
    set(Notice::Proposal, GameWindows::words(game).waiting.arg(to));
}

void StatusNotices::clearProposalWaiting(const QString &answeredBy)
{
    if (m_proposedTo == answeredBy) {
        m_proposedTo.clear();
        set(Notice::Proposal, {});
    }
}

// Every other station reads and addresses the name as the wire carries it.
void StatusNotices::showNameNotCarried(const QString &wanted)
{
    set(Notice::NameNotCarried, m_station.userName() == wanted
                                    ? QString()
                                    : tr("Others see your name as %1: choose another in Tools > Preferences")
                                          .arg(m_station.userName()));
}
