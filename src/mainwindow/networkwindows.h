#pragma once

#include "station/provenance.h"
#include "wire/kinds.h"

#include <QObject>
#include <QPointer>

#include <array>

class GameWindows;
class MessageWindow;
class NetworkWindowCaps;
class ProposalWindow;
class Station;
class UnseenCounts;
class QWidget;

// Opens the windows the station's datagrams ask for, over the main window:
// a received message, a game proposal, a decline. Each opens within the caps
// and is told of on the desktop; the user's own message windows open here too.
class NetworkWindows final : public QObject
{
    Q_OBJECT
public:
    NetworkWindows(Station &station, GameWindows &games, NetworkWindowCaps &caps, UnseenCounts &unseen, QWidget &owner);

    // The newest message window and proposal window of each game, while open.
    MessageWindow *messageWindow() const;
    ProposalWindow *proposalWindow(Game game) const;

    // A window for the user to write to `user`.
    void writeTo(const QString &user);

private:
    void openReceivedMessage(const QString &sender, const QString &text, const Provenance &provenance);
    void openProposal(Game game, const QString &proposer, const Provenance &provenance);
    void showDeclined(const QString &decliner);
    void notify(const QString &sender, const QString &title, QWidget *window);

    Station &m_station;
    GameWindows &m_games;
    NetworkWindowCaps &m_caps;
    UnseenCounts &m_unseen;
    QWidget &m_owner;
    QPointer<MessageWindow> m_lastMessage;
    std::array<QPointer<ProposalWindow>, kGames.size()> m_lastProposals;
};
