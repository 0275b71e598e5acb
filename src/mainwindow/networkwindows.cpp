#include "mainwindow/networkwindows.h"

#include "dialogs/messagewindow.h"
#include "dialogs/proposalwindow.h"
#include "games/gamewindow.h"
#include "games/gamewindows.h"
#include "look/names.h"
#include "look/placement.h"
#include "mainwindow/networkwindowcaps.h"
#include "mainwindow/unseencounts.h"
#include "station/station.h"
#include "wire/wire.h"

#include <QMessageBox>
#include <QTime>

namespace {

// A sender heard from its own station's address is counted by name only; any
// other by the address it spoke from as well.
QString unboundHost(const Provenance &provenance)
{
    return provenance.isEmpty() ? QString() : provenance.heardFrom.toString();
}

} // namespace

NetworkWindows::NetworkWindows(Station &station, GameWindows &games, NetworkWindowCaps &caps, UnseenCounts &unseen,
                               QWidget &owner)
    : QObject(&owner)
    , m_station(station)
    , m_games(games)
    , m_caps(caps)
    , m_unseen(unseen)
    , m_owner(owner)
{
    connect(&station, &Station::privateMessageReceived, this, &NetworkWindows::openReceivedMessage);
    connect(&station, &Station::proposalReceived, this, &NetworkWindows::openProposal);
    connect(&station, &Station::proposalDeclined, this, &NetworkWindows::showDeclined);
}

MessageWindow *NetworkWindows::messageWindow() const
{
    return m_lastMessage;
}

ProposalWindow *NetworkWindows::proposalWindow(Game game) const
{
    return m_lastProposals[indexOf(game)];
}

void NetworkWindows::writeTo(const QString &user)
{
    auto *window = new MessageWindow(m_station, &m_owner);
    m_lastMessage = window;
    window->openToWrite(user);
}

void NetworkWindows::openReceivedMessage(const QString &sender, const QString &text, const Provenance &provenance)
{
    const QString time = timeOfDay(QTime::currentTime());
    const QString host = unboundHost(provenance);
    SenderWindows &messages = m_caps.messages();
    if (!messages.mayOpen(sender, host)) {
        if (auto *newest = qobject_cast<MessageWindow *>(messages.newest(sender, host)))
            newest->addReceived(text, time, provenance);
        else
            m_caps.countUnopened(nullptr);
        return;
    }
    auto *window = new MessageWindow(m_station, &m_owner);
    messages.add(sender, host, window);
    m_lastMessage = window;
    window->openReceived(sender, text, time, provenance);
    notify(sender, tr("Message from %1").arg(look::shownUserName(sender, m_station.isDoubtful(sender))), window);
}

void NetworkWindows::openProposal(Game game, const QString &proposer, const Provenance &provenance)
{
    SenderWindows &proposals = m_caps.proposals(game);
    const QString host = unboundHost(provenance);
    if (!proposals.mayOpen(proposer, host)) {
        m_caps.countUnopened(proposals.newest(proposer, host));
        return;
    }
    auto *window = new ProposalWindow(m_station, game, proposer, provenance, &m_owner);
    proposals.add(proposer, host, window);
    m_lastProposals[indexOf(game)] = window;
    connect(window, &ProposalWindow::accepted, this, [this, game] { m_games.bringForward(game); });
    window->open();
    // Never over the board of the game being played.
    if (const GameWindow *board = m_games.window(game); board && board->isVisible())
        look::placeClearOf(*window, *board);
    const QString shown = look::shownUserName(proposer, m_station.isDoubtful(proposer));
    notify(proposer, GameWindows::words(game).proposes.arg(shown), window);
}

void NetworkWindows::notify(const QString &sender, const QString &title, QWidget *window)
{
    m_unseen.messageArrived();
    m_caps.notify(sender, title, window);
}

void NetworkWindows::showDeclined(const QString &decliner)
{
    SenderWindows &declines = m_caps.declines();
    if (!declines.mayOpen(decliner)) {
        m_caps.countUnopened(declines.newest(decliner));
        return;
    }
    // Not exec(): a modal loop here would hold up every datagram behind it.
    auto *box = new QMessageBox(QMessageBox::Information, tr("Declined"),
                                tr("%1 has declined your offer...").arg(look::shownUserName(decliner, m_station.isDoubtful(decliner))),
                                QMessageBox::Ok, &m_owner);
    box->setObjectName(QStringLiteral("Declined"));
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    declines.add(decliner, {}, box);
    look::showUnasked(*box);
}
