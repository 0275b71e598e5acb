#pragma once

#include "games/match.h"
#include "othello/othellogame.h"

namespace wire {
struct OthelloBoard;
}

// The Othello game this station plays: the rules, both players and the board
// traded with the opponent. Every click on the board, taken or not, reports
// moveTried(), for Othello's peers time the broadcast period from it.
class OthelloMatch final : public Match
{
    Q_OBJECT
public:
    OthelloMatch(const QString &userName, QObject *parent = nullptr);

    static constexpr Game kGame = Game::Othello;

    const OthelloGame &game() const { return m_game; }
    bool isOver() const override { return m_game.isOver(); }

    // The user plays the colour to move at (x, y). Refused, changing nothing,
    // while the game is not on here or when the rules refuse the move.
    bool play(int x, int y);

    // A board addressed to this user. Taken while the game is on, when it
    // follows the one here by legal moves: the colour that made it is the
    // opponent's, the other this user's.
    void takeBoard(const wire::OthelloBoard &board);
    void takeBoardMessage(const wire::Message &message) override;
    QString boardMessage() const override;

private:
    void newBoard() override;

    OthelloGame m_game;
    // The last board both stations had: the one taken last, or the start.
    OthelloGame m_agreed;
};
