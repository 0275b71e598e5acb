#pragma once

#include "station/station.h"

#include <QObject>
#include <QString>

#include <array>

// What the status bar and the tray's tooltip tell the user about the
// station: conditions ranked most important first, of which only the first
// that holds is shown, so a passing notice never hides a lasting fault.
class StatusNotices final : public QObject
{
    Q_OBJECT
public:
    // A proposal waiting ranks above the name warnings: it offers its withdrawal.
    enum class Notice { NobodyHears, AcceptRefused, Proposal, NameInUse, NameNotCarried, Alone, Count };

    // Follows a started station.
    explicit StatusNotices(Station &station, QObject *parent = nullptr);

    // Sets or, with an empty text, clears a notice. Never blocks anything.
    void set(Notice notice, const QString &text);
    // Says so while the name others read differs from the one the user wants.
    void showNameNotCarried(const QString &wanted);
    // The notice shown now, empty when none holds.
    QString shown() const;
    // Whether a proposal is said to wait for an answer, and whether that is what shows.
    bool proposalWaiting() const { return !m_proposedTo.isEmpty(); }
    bool showsProposal() const;
    // Takes back the proposal said to wait: only the one the user sees.
    void withdrawProposal();

signals:
    void shownChanged(const QString &shown);

private:
    void showHearing(HearingCheck::State state);
    void showProposalWaiting(Game game, const QString &to);
    void clearProposalWaiting(const QString &answeredBy);

    Station &m_station;
    std::array<QString, std::size_t(Notice::Count)> m_texts;
    QString m_proposedTo; // whom a proposal is said to wait on
    Game m_proposedGame = Game::Othello;
};
