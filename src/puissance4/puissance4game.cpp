#include "puissance4/puissance4game.h"

#include "games/boardsteps.h"

#include <algorithm>
#include <utility>
#include <vector>

using namespace puissance4;

namespace {

// The four lines through a cell, in the order they are searched: the column,
// the falling diagonal, the row, the rising diagonal.
constexpr std::array<int, 4> dx{0, 1, 1, 1};
constexpr std::array<int, 4> dy{1, 1, 0, -1};

int flat(int column, int row) { return Puissance4Game::indexOf(column, row) - 1; }

// Each status a board's line can name, with its exact text.
const std::array<std::pair<GameStatus, const QString *>, 6> kLines{{
    {GameStatus::YellowToPlayFirst, &kYellowToPlayFirst},
    {GameStatus::YellowToPlay, &kYellowToPlay},
    {GameStatus::RedToPlay, &kRedToPlay},
    {GameStatus::YellowWon, &kYellowWon},
    {GameStatus::RedWon, &kRedWon},
    {GameStatus::Draw, &kDraw},
}};

} // namespace

GameStatus puissance4::statusOf(const QString &line)
{
    for (const auto &[status, text] : kLines) {
        if (line == *text)
            return status;
    }
    return GameStatus::Other;
}

QString Puissance4Game::statusLine() const
{
    for (const auto &[status, text] : kLines) {
        if (m_status == status)
            return *text;
    }
    return m_otherLine;
}

void Puissance4Game::setStatusLine(const QString &line)
{
    m_status = statusOf(line);
    m_otherLine = m_status == GameStatus::Other ? line : QString();
}

bool Puissance4Game::isInside(int column, int row)
{
    return column >= 1 && column <= kSize && row >= 1 && row <= kSize;
}

qint16 Puissance4Game::cell(int column, int row) const
{
    return isInside(column, row) ? m_board[flat(column, row)] : kEmpty;
}

qint16 Puissance4Game::level(int column) const
{
    return column >= 1 && column <= kSize ? m_level[column - 1] : 0;
}

void Puissance4Game::setCell(int column, int row, int colour, bool lowerLevel)
{
    if (!isInside(column, row) || colour < kEmpty || colour > kRed)
        return;
    m_board[flat(column, row)] = qint16(colour);
    // Keeps the level a valid row even if a caller lowers a full column.
    if (lowerLevel && m_level[column - 1] > 0)
        --m_level[column - 1];
}

void Puissance4Game::recomputeLevels()
{
    for (int column = 1; column <= kSize; ++column) {
        m_level[column - 1] = 0;
        for (int row = 1; row <= kSize; ++row) {
            if (cell(column, row) == kEmpty)
                m_level[column - 1] = row;
        }
    }
}

void Puissance4Game::arrangeMarker()
{
    if (m_decided)
        return;
    if (m_colour == kYellow)
        m_marker = Marker::Yellow;
    else if (m_colour == kRed)
        m_marker = Marker::Red;
}

bool Puissance4Game::canDrop(int column) const
{
    // A board taken from a peer may carry a colour to move of 0, or a count
    // of 49 with room left; dropping then would put an unreadable colour or
    // count on the wire, so such a game takes no more discs.
    return level(column) > 0 && !m_decided && (m_colour == kYellow || m_colour == kRed)
        && m_discCount >= 0 && m_discCount < kCells;
}

QList<int> Puissance4Game::freeColumns() const
{
    QList<int> columns;
    for (int column = 1; column <= kSize; ++column) {
        if (canDrop(column))
            columns.append(column);
    }
    return columns;
}

bool Puissance4Game::mayMove(const QString &user) const
{
    // Each drop is one disc.
    return m_players.mayMove(m_colour == kRed ? Players::Side::Second : Players::Side::First, user, m_discCount);
}

int Puissance4Game::drop(int column, const QString &user, const QString &opponent)
{
    if (!canDrop(column) || !mayMove(user))
        return 0;
    claimColour(m_colour == kRed ? kRed : kYellow, user, opponent);
    return dropDisc(column);
}

int Puissance4Game::dropDisc(int column)
{
    if (!canDrop(column))
        return 0;
    // The count goes up before the search, so the 49th disc is seen as such;
    // the colour changes after it, so the search names the next player.
    ++m_discCount;
    const int row = m_level[column - 1];
    setCell(column, row, m_colour, true);
    checkWin(column, level(column) + 1, m_colour);
    m_colour = kYellow + kRed - m_colour;
    return row;
}

bool Puissance4Game::leadsTo(const std::array<qint16, kCells> &cells, qint16 colourAfter, qint16 discsAfter,
                             const QString &statusAfter) const
{
    const int drops = discsAfter - m_discCount;
    if (drops < 1 || drops > kMaxDropsBetweenBoards)
        return false;
    // A disc once dropped never changes.
    const auto added = boardsteps::discsAdded(m_board, cells, discsAfter, kEmpty, [](qint16 was, qint16 now) {
        return now >= kEmpty && now <= kRed && (was == kEmpty || now == was);
    });
    return added && int(added->size()) == drops
        && boardsteps::someOrderLeadsTo(
               *this, *added,
               [](Puissance4Game &game, int k) {
                   return game.level(columnOf(k)) == rowOf(k) && game.dropDisc(columnOf(k)) == rowOf(k);
               },
               [&](const Puissance4Game &game) {
                   return game.m_board == cells && game.m_colour == colourAfter && game.statusLine() == statusAfter;
               });
}

void Puissance4Game::claimColour(int colour, const QString &dropper, const QString &other)
{
    if (colour == kYellow || colour == kRed)
        m_players.claim(colour == kYellow ? Players::Side::First : Players::Side::Second, dropper, other);
}

void Puissance4Game::checkWin(int column, int row, qint16 colour)
{
    m_decided = false;
    for (std::size_t dir = 0; dir < dx.size() && !m_decided; ++dir) {
        // Scan the whole line through the cell from its first cell.
        int x = column;
        int y = row;
        while (isInside(x - dx[dir], y - dy[dir])) {
            x -= dx[dir];
            y -= dy[dir];
        }
        int run = 0;
        for (; isInside(x, y); x += dx[dir], y += dy[dir]) {
            run = cell(x, y) == colour ? run + 1 : 0;
            if (run == kWinLength) {
                m_decided = true;
                break;
            }
        }
    }

    if (m_decided) {
        if (colour == kYellow)
            m_status = GameStatus::YellowWon;
        else if (colour == kRed)
            m_status = GameStatus::RedWon;
    } else if (m_discCount == kCells) {
        m_status = GameStatus::Draw;
    } else if (colour == kYellow) {
        m_status = GameStatus::RedToPlay;
        m_marker = Marker::Red;
    } else if (colour == kRed) {
        m_status = GameStatus::YellowToPlay;
        m_marker = Marker::Yellow;
    }
}
