#pragma once

#include "games/match.h"
#include "puissance4/puissance4game.h"

namespace wire {
struct Puissance4Board;
}

// The Puissance 4 game this station plays: the rules, both players, the
// status line and the board traded with the opponent.
class Puissance4Match final : public Match
{
    Q_OBJECT
public:
    Puissance4Match(const QString &userName, QObject *parent = nullptr);

    static constexpr Game kGame = Game::Puissance4;

    const Puissance4Game &game() const { return m_game; }
    bool isOver() const override { return m_game.isOver(); }

    // The user drops a disc of the colour to move into the column. Refused,
    // changing nothing, while the game is not on here or when the rules refuse it.
    bool drop(int column);

    // A board addressed to this user. Taken while the game is on, when it
    // follows the one here by legal drops; the colour that dropped last is
    // the opponent's.
    void takeBoard(const wire::Puissance4Board &board);
    void takeBoardMessage(const wire::Message &message) override;
    QString boardMessage() const override;

private:
    void newBoard() override;

    Puissance4Game m_game;
    // The last board both stations had: the one taken last, or the start.
    Puissance4Game m_agreed;
};
