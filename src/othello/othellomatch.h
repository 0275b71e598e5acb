#pragma once

#include "games/match.h"
#include "othello/othellogame.h"

namespace wire {
struct OthelloBoard;
}

// The Othello game this station plays: the rules, both players and the board
// traded with the opponent.
class OthelloMatch final : public Match
{
    Q_OBJECT
public:
    OthelloMatch(const QString &userName, QObject *parent = nullptr);

    const OthelloGame &game() const { return m_game; }
    bool isOver() const override { return m_game.isOver(); }

    // The user plays the colour to move at (x, y). Refused, changing nothing,
    // while the game is not on here or when the rules refuse the move.
    bool play(int x, int y);

    // A board addressed to this user. Taken while the game is on, when it
    // follows the one here by legal moves: the colour that made it is the
    // opponent's, the other this user's.
    void takeBoard(const wire::OthelloBoard &board);
    QString boardMessage() const override;

signals:
    // Every click on the board, taken or not: the broadcast period starts anew.
    void moveTried();

private:
    void newBoard() override;

    OthelloGame m_game;
    // The last board both stations had: the one taken last, or the start.
    OthelloGame m_agreed;
};
