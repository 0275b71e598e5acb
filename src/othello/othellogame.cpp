#include "othellogame.h"

#include "wire.h"

#include <limits>

namespace {

// Index 0 is unused so that the direction numbers 1..8 index directly:
// up, up-right, right, down-right, down, down-left, left, up-left.
constexpr int kDirections = 8;
constexpr int dx[kDirections + 1] = {0, 0, 1, 1, 1, 0, -1, -1, -1};
constexpr int dy[kDirections + 1] = {0, -1, -1, 0, 1, 1, 1, 0, -1};

const QString kBlackToPlay = QStringLiteral("Black To Play");
const QString kWhiteToPlay = QStringLiteral("White To Play");
const QString kBlackWon = QStringLiteral("Black Won!");
const QString kWhiteWon = QStringLiteral("White Won!");
const QString kTie = QStringLiteral("Tie!");

} // namespace

OthelloGame OthelloGame::initial()
{
    OthelloGame game;
    game.FillBoard(4, 4, kWhite);
    game.FillBoard(5, 5, kWhite);
    game.FillBoard(4, 5, kBlack);
    game.FillBoard(5, 4, kBlack);
    game.m_numDiscs = kStartDiscs;
    game.m_turnColor = kBlack;
    return game;
}

qint16 OthelloGame::Board(int x, int y) const
{
    return onBoard(x, y) ? m_board[std::size_t(indexOf(x, y) - 1)] : kEmpty;
}

void OthelloGame::FillBoard(int i, int o, int Color)
{
    if (onBoard(i, o) && isColour(Color))
        cell(i, o) = qint16(Color);
}

void OthelloGame::setTurnColor(qint16 turnColor)
{
    if (isColour(turnColor))
        m_turnColor = turnColor;
}

bool OthelloGame::CheckDirection(int x, int y, int dir, int color) const
{
    if (dir < 1 || dir > kDirections || !onBoard(x, y))
        return false;
    const int opponent = 3 - color;
    // The neighbour must be the opponent's and at least one more cell must follow it.
    if (!onBoard(x + 2 * dx[dir], y + 2 * dy[dir]) || Board(x + dx[dir], y + dy[dir]) != opponent)
        return false;
    for (int k = 2;; ++k) {
        const int cx = x + k * dx[dir];
        const int cy = y + k * dy[dir];
        if (!onBoard(cx, cy))
            return false;
        const qint16 value = Board(cx, cy);
        if (value == color)
            return true;
        if (value != opponent)
            return false;
    }
}

void OthelloGame::FlipDirection(int x, int y, int dir, int color)
{
    if (!CheckDirection(x, y, dir, color))
        return;
    for (int cx = x + dx[dir], cy = y + dy[dir]; Board(cx, cy) == 3 - color; cx += dx[dir], cy += dy[dir])
        cell(cx, cy) = qint16(color);
}

bool OthelloGame::TryDirection(int x, int y, int dir, int color)
{
    if (!CheckDirection(x, y, dir, color))
        return false;
    bMoveDone = true;
    cell(x, y) = qint16(color);
    FlipDirection(x, y, dir, color);
    return true;
}

bool OthelloGame::isLegal(int x, int y, int color) const
{
    if (Board(x, y) != kEmpty)
        return false;
    for (int dir = 1; dir <= kDirections; ++dir) {
        if (CheckDirection(x, y, dir, color))
            return true;
    }
    return false;
}

bool OthelloGame::CanPlay(int color) const
{
    for (int x = 1; x <= kSize; ++x) {
        for (int y = 1; y <= kSize; ++y) {
            if (isLegal(x, y, color))
                return true;
        }
    }
    return false;
}

bool OthelloGame::turnOwnedBy(const QString &sUserName) const
{
    if (m_numDiscs < kOwnershipFrom)
        return true;
    return sUserName == (m_turnColor == kBlack ? m_blackPlayer : m_whitePlayer);
}

bool OthelloGame::PlayMove(int x, int y, int color, const QString &sUserName,
                           const QString &st2OUserName)
{
    if (color != m_turnColor || !turnOwnedBy(sUserName))
        return false;

    bMoveDone = false;
    if (Board(x, y) == kEmpty && onBoard(x, y)) {
        for (int dir = 1; dir <= kDirections; ++dir)
            TryDirection(x, y, dir, color);
    }
    if (!bMoveDone)
        return false;

    // The station that makes a colour's move claims that colour.
    if (m_turnColor == kBlack) {
        m_blackPlayer = sUserName;
        m_whitePlayer = st2OUserName;
    } else {
        m_blackPlayer = st2OUserName;
        m_whitePlayer = sUserName;
    }

    bMoveDone = false;
    m_turnColor = qint16(3 - m_turnColor);
    // A count taken over from a peer may already sit at the top of the range.
    if (m_numDiscs < std::numeric_limits<qint16>::max())
        ++m_numDiscs;

    if (!CanPlay(m_turnColor))
        m_turnColor = qint16(3 - m_turnColor);
    if (!CanPlay(m_turnColor))
        m_turnColor = kGameOver;
    return true;
}

OthelloGame::Score OthelloGame::CalculateScore() const
{
    Score score;
    for (const qint16 value : m_board) {
        if (value == kBlack)
            ++score.black;
        else if (value == kWhite)
            ++score.white;
    }
    switch (m_turnColor) {
    case kGameOver:
        score.status = score.black > score.white   ? kBlackWon
                       : score.white > score.black ? kWhiteWon
                                                   : kTie;
        break;
    case kBlack:
        score.status = kBlackToPlay;
        break;
    case kWhite:
        score.status = kWhiteToPlay;
        break;
    default:
        break;
    }
    return score;
}

QString OthelloGame::FillRC() const
{
    QString text;
    for (const qint16 value : m_board) {
        text += QString::number(value);
        text += wire::kSeparator;
    }
    return text;
}

bool operator==(const OthelloGame &a, const OthelloGame &b)
{
    return a.m_board == b.m_board && a.m_turnColor == b.m_turnColor && a.m_numDiscs == b.m_numDiscs
        && a.m_blackPlayer == b.m_blackPlayer && a.m_whitePlayer == b.m_whitePlayer;
}
