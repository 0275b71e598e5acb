#pragma once

#include "games/gamestatus.h"
#include "games/players.h"

#include <QString>

#include <array>

// One Othello game as a plain value: the 8 x 8 board, the colour to move, the
// disc count and the names of the two players. It knows nothing of windows or
// sockets; the caller hands in the user names that turn ownership compares and
// redraws whatever cells a move changed.
//
// Cells are addressed (x, y) from 1: x the column from the left, y the row from
// the top. Colours: 0 empty, 1 black, 2 white; the opponent of c is 3 - c.
class OthelloGame final
{
public:
    static constexpr int kSize = 8;
    static constexpr int kCells = kSize * kSize;
    static constexpr qint16 kEmpty = 0;
    static constexpr qint16 kBlack = 1;
    static constexpr qint16 kWhite = 2;
    static constexpr qint16 kGameOver = 0; // as the colour to move
    static constexpr qint16 kStartDiscs = 4;

    struct Score {
        int black = 0;
        int white = 0;
        GameStatus status = GameStatus::None;
    };

    // Before any game: every cell empty, colour to move and disc count 0.
    OthelloGame() = default;

    // The starting position: two discs of each colour in the centre, black to move.
    static OthelloGame initial();

    static bool isColour(int value) { return value >= kEmpty && value <= kWhite; }
    static bool onBoard(int x, int y) { return x >= 1 && x <= kSize && y >= 1 && y <= kSize; }
    static int indexOf(int x, int y) { return (y - 1) * kSize + x; }
    static int columnOf(int index) { return (index - 1) % kSize + 1; }
    static int rowOf(int index) { return (index - 1) / kSize + 1; }

    // 0 for a cell off the board.
    qint16 cell(int x, int y) const;
    // Ignored for a cell off the board or a colour outside 0..2.
    void setCell(int x, int y, int colour);

    qint16 turnColour() const { return m_turnColour; }
    void setTurnColour(qint16 colour);
    qint16 discCount() const { return m_discCount; }
    void setDiscCount(qint16 count) { m_discCount = count; }

    // Who plays black and who plays white, as far as this station knows.
    const QString &blackPlayer() const { return m_players.of(Players::Side::First); }
    const QString &whitePlayer() const { return m_players.of(Players::Side::Second); }
    // The one who moved `colour` plays it, the other one the other colour;
    // ignored for anything but black or white.
    void claimColour(int colour, const QString &mover, const QString &other);
    // The colour whose move made `after` (a peer's board with `turnAfter` to
    // move) out of this board: the colour of the discs newly put down when all
    // are of one colour, else the colour that hands the move to `turnAfter`;
    // kEmpty when neither tells (the game over and no single colour new).
    qint16 colourThatMoved(const std::array<qint16, kCells> &after, qint16 turnAfter) const;
    bool isOver() const { return m_turnColour == kGameOver; }

    // Directions 1..8 run clockwise from up; any other number never captures.
    bool capturesInDirection(int x, int y, int dir, int colour) const;
    void flipDirection(int x, int y, int dir, int colour);
    bool tryDirection(int x, int y, int dir, int colour);
    bool canPlay(int colour) const;
    bool isLegal(int x, int y, int colour) const;

    // The whole local move for the colour to move, made by `user` against
    // `opponent`. Returns whether the move was accepted; a refused move
    // changes nothing. Afterwards the colour to move is the next one: the
    // mover again when the other colour must pass, kGameOver when neither can move.
    bool playMove(int x, int y, int colour, const QString &user, const QString &opponent);

    // A peer's board reaches this one by at most this many moves. Each move's
    // board goes out at once, so two in a row are one apart; a mover who
    // plays again while the other passes, or two first moves made at once,
    // put two or three between them when a datagram is lost.
    static constexpr int kMaxMovesBetweenBoards = 3;
    // Whether a board with these cells, colour to move and disc count follows
    // this one by one to kMaxMovesBetweenBoards legal moves, passes included,
    // with a count that agrees with its discs. Anything else (a reset, a
    // skipped or made-up position, an inflated count) is no game's next board.
    bool leadsTo(const std::array<qint16, kCells> &cells, qint16 turnAfter, qint16 discsAfter) const;
    // Before each colour has moved either station may move, so both may move at once.
    bool isOpening() const { return m_discCount - kStartDiscs < Players::kFreeMoves; }

    // Disc counts, and the status line for the colour to move: the result when the game is over.
    Score score() const;

    // The 64 cells in cell-index order.
    const std::array<qint16, kCells> &cells() const { return m_board; }
    // Every cell at once; a value that is no colour leaves its cell as it is.
    void setCells(const std::array<qint16, kCells> &cells);

    friend bool operator==(const OthelloGame &a, const OthelloGame &b);

private:
    qint16 &at(int x, int y) { return m_board[std::size_t(indexOf(x, y) - 1)]; }
    // Whether `user` may move the colour to move (see Players: the first
    // black and the first white move are free).
    bool mayMove(const QString &user) const;
    // The rules' part of a move for the colour to move, whoever makes it.
    bool applyMove(int x, int y);

    std::array<qint16, kCells> m_board{};
    qint16 m_turnColour = 0;
    qint16 m_discCount = 0;
    Players m_players;
    bool m_moveDone = false;
};
