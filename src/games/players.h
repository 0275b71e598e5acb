#pragma once

#include <QString>

// Who plays each of a game's two colours, as this station knows it: the one
// who moves a colour claims it, the opponent takes the other. Neither station
// knows who plays what until each colour has moved once, so until then
// anyone may move; from then on only the player of the colour to move.
class Players final
{
public:
    // The first move of each colour: a game of two colours.
    static constexpr int kFreeMoves = 2;

    enum class Side { First, Second };

    const QString &of(Side side) const { return side == Side::First ? m_first : m_second; }
    void claim(Side side, const QString &mover, const QString &other)
    {
        (side == Side::First ? m_first : m_second) = mover;
        (side == Side::First ? m_second : m_first) = other;
    }
    // Whether `user` may make the move of `side` after `movesMade` moves.
    bool mayMove(Side side, const QString &user, int movesMade) const
    {
        return movesMade < kFreeMoves || user == of(side);
    }

    friend bool operator==(const Players &a, const Players &b) { return a.m_first == b.m_first && a.m_second == b.m_second; }

private:
    QString m_first;
    QString m_second;
};
