#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class QLineEdit;
class Station;

// TODO(lead): from net/station.h
enum class Game { Othello, Puissance4 };

// Asks whether to play the game another user proposed; one window per proposal.
class ProposalWindow final : public QWidget
{
    Q_OBJECT
public:
    // owner only places the window; it stays a top-level window of its own.
    ProposalWindow(Station &station, Game game, const QString &proposer, QWidget *owner = nullptr);

    void open();

    Game game() const { return m_game; }
    // The user who proposed the game, to whom the answer goes.
    QString proposer() const { return m_proposer; }

private:
    void accept();
    void decline();

    // Every call into the station but the user name the constructor reads,
    // kept apart so it follows the station's API in one place.
    bool stationAcceptProposal(Game game, const QString &proposer);
    void stationDeclineProposal(const QString &proposer);

    QLineEdit *const m_sentence;
    const Game m_game;
    const QString m_proposer;
    const QString m_userName; // this station's user when the proposal arrived
    QPointer<Station> m_station;
    QPointer<QWidget> m_owner;
};
