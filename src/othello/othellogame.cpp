#include "othello/othellogame.h"

#include "games/boardsteps.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {

// Index 0 is unused so that the direction numbers 1..8 index directly:
// up, up-right, right, down-right, down, down-left, left, up-left.
constexpr int kDirections = 8;
constexpr int dx[kDirections + 1] = {0, 0, 1, 1, 1, 0, -1, -1, -1};
constexpr int dy[kDirections + 1] = {0, -1, -1, 0, 1, 1, 1, 0, -1};

} // namespace

OthelloGame OthelloGame::initial()
{
    OthelloGame game;
    game.setCell(4, 4, kWhite);
    game.setCell(5, 5, kWhite);
    game.setCell(4, 5, kBlack);
    game.setCell(5, 4, kBlack);
    game.m_discCount = kStartDiscs;
    game.m_turnColour = kBlack;
    return game;
}

qint16 OthelloGame::cell(int x, int y) const
{
    return onBoard(x, y) ? m_board[std::size_t(indexOf(x, y) - 1)] : kEmpty;
}

void OthelloGame::setCell(int x, int y, int colour)
{
    if (onBoard(x, y) && isColour(colour))
        at(x, y) = qint16(colour);
}

void OthelloGame::setTurnColour(qint16 colour)
{
    if (isColour(colour))
        m_turnColour = colour;
}

bool OthelloGame::capturesInDirection(int x, int y, int dir, int colour) const
{
    if (dir < 1 || dir > kDirections || !onBoard(x, y))
        return false;
    const int opponent = 3 - colour;
    // The neighbour must be the opponent's and at least one more cell must follow it.
    if (!onBoard(x + 2 * dx[dir], y + 2 * dy[dir]) || cell(x + dx[dir], y + dy[dir]) != opponent)
        return false;
    for (int k = 2;; ++k) {
        const int cx = x + k * dx[dir];
        const int cy = y + k * dy[dir];
        if (!onBoard(cx, cy))
            return false;
        const qint16 value = cell(cx, cy);
        if (value == colour)
            return true;
        if (value != opponent)
            return false;
    }
}

void OthelloGame::flipDirection(int x, int y, int dir, int colour)
{
    if (!capturesInDirection(x, y, dir, colour))
        return;
    for (int cx = x + dx[dir], cy = y + dy[dir]; cell(cx, cy) == 3 - colour; cx += dx[dir], cy += dy[dir])
        at(cx, cy) = qint16(colour);
}

bool OthelloGame::tryDirection(int x, int y, int dir, int colour)
{
    if (!capturesInDirection(x, y, dir, colour))
        return false;
    m_moveDone = true;
    at(x, y) = qint16(colour);
    flipDirection(x, y, dir, colour);
    return true;
}

bool OthelloGame::isLegal(int x, int y, int colour) const
{
    if (cell(x, y) != kEmpty)
        return false;
    for (int dir = 1; dir <= kDirections; ++dir) {
        if (capturesInDirection(x, y, dir, colour))
            return true;
    }
    return false;
}

bool OthelloGame::canPlay(int colour) const
{
    for (int x = 1; x <= kSize; ++x) {
        for (int y = 1; y <= kSize; ++y) {
            if (isLegal(x, y, colour))
                return true;
        }
    }
    return false;
}

bool OthelloGame::mayMove(const QString &user) const
{
    // Each move puts one disc down, after the four the board starts with.
    const Players::Side side = m_turnColour == kBlack ? Players::Side::First : Players::Side::Second;
    return m_players.mayMove(side, user, m_discCount - kStartDiscs);
}

bool OthelloGame::playMove(int x, int y, int colour, const QString &user, const QString &opponent)
{
    if (colour != m_turnColour || !mayMove(user))
        return false;
    const qint16 mover = m_turnColour;
    if (!applyMove(x, y))
        return false;
    // The station that makes a colour's move claims that colour.
    claimColour(mover, user, opponent);
    return true;
}

bool OthelloGame::applyMove(int x, int y)
{
    const int colour = m_turnColour;
    if (colour != kBlack && colour != kWhite)
        return false;
    m_moveDone = false;
    if (cell(x, y) == kEmpty && onBoard(x, y)) {
        for (int dir = 1; dir <= kDirections; ++dir)
            tryDirection(x, y, dir, colour);
    }
    if (!m_moveDone)
        return false;

    m_moveDone = false;
    m_turnColour = qint16(3 - m_turnColour);
    // A count taken over from a peer may already sit at the top of the range.
    if (m_discCount < std::numeric_limits<qint16>::max())
        ++m_discCount;

    if (!canPlay(m_turnColour))
        m_turnColour = qint16(3 - m_turnColour);
    if (!canPlay(m_turnColour))
        m_turnColour = kGameOver;
    return true;
}

bool OthelloGame::leadsTo(const std::array<qint16, kCells> &cells, qint16 turnAfter, qint16 discsAfter) const
{
    const int moves = discsAfter - m_discCount;
    if (moves < 1 || moves > kMaxMovesBetweenBoards || m_turnColour == kGameOver)
        return false;
    // A disc turns over but is never taken off.
    const auto added = boardsteps::discsAdded(m_board, cells, discsAfter, kEmpty, [](qint16 was, qint16 now) {
        return isColour(now) && (was == kEmpty || now != kEmpty);
    });
    return added && int(added->size()) == moves
        && boardsteps::someOrderLeadsTo(
               *this, *added, [](OthelloGame &game, int index) { return game.applyMove(columnOf(index), rowOf(index)); },
               [&](const OthelloGame &game) { return game.m_board == cells && game.m_turnColour == turnAfter; });
}

void OthelloGame::claimColour(int colour, const QString &mover, const QString &other)
{
    if (colour == kBlack || colour == kWhite)
        m_players.claim(colour == kBlack ? Players::Side::First : Players::Side::Second, mover, other);
}

qint16 OthelloGame::colourThatMoved(const std::array<qint16, kCells> &after, qint16 turnAfter) const
{
    // Without passes the colours alternate, but a pass hands the move back to
    // the mover, so the new discs speak first.
    bool newBlack = false, newWhite = false;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (m_board[i] == kEmpty) {
            newBlack = newBlack || after[i] == kBlack;
            newWhite = newWhite || after[i] == kWhite;
        }
    }
    if (newBlack != newWhite)
        return newBlack ? kBlack : kWhite;
    if (turnAfter == kBlack || turnAfter == kWhite)
        return qint16(3 - turnAfter);
    return kEmpty;
}

OthelloGame::Score OthelloGame::score() const
{
    Score result;
    for (const qint16 value : m_board) {
        if (value == kBlack)
            ++result.black;
        else if (value == kWhite)
            ++result.white;
    }
    switch (m_turnColour) {
    case kGameOver:
        result.status = result.black > result.white   ? GameStatus::BlackWon
                        : result.white > result.black ? GameStatus::WhiteWon
                                                      : GameStatus::Tie;
        break;
    case kBlack:
        result.status = GameStatus::BlackToPlay;
        break;
    case kWhite:
        result.status = GameStatus::WhiteToPlay;
        break;
    default:
        break;
    }
    return result;
}

void OthelloGame::setCells(const std::array<qint16, kCells> &cells)
{
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (isColour(cells[i]))
            m_board[i] = cells[i];
    }
}

bool operator==(const OthelloGame &a, const OthelloGame &b)
{
    return a.m_board == b.m_board && a.m_turnColour == b.m_turnColour && a.m_discCount == b.m_discCount
        && a.m_players == b.m_players;
}
