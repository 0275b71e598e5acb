#include "puissance4game.h"

#include "wire.h"

using namespace puissance4;

namespace {

// The four lines through a cell, in the order they are searched: the column,
// the falling diagonal, the row, the rising diagonal.
constexpr std::array<int, 4> dx{0, 1, 1, 1};
constexpr std::array<int, 4> dy{1, 1, 0, -1};

int flat(int i, int o) { return Puissance4Game::IndexOf(i, o) - 1; }

} // namespace

bool Puissance4Game::isInside(int i, int o)
{
    return i >= 1 && i <= kSize && o >= 1 && o <= kSize;
}

qint16 Puissance4Game::Board(int i, int o) const
{
    return isInside(i, o) ? m_board[flat(i, o)] : kEmpty;
}

qint16 Puissance4Game::Level(int i) const
{
    return i >= 1 && i <= kSize ? m_level[i - 1] : 0;
}

void Puissance4Game::FillBoard(int i, int o, int Color, bool bLevel)
{
    if (!isInside(i, o) || Color < kEmpty || Color > kRed)
        return;
    m_board[flat(i, o)] = qint16(Color);
    // Keeps Level a valid row even if a caller lowers a full column.
    if (bLevel && m_level[i - 1] > 0)
        --m_level[i - 1];
}

void Puissance4Game::SetLevel()
{
    for (int i = 1; i <= kSize; ++i) {
        m_level[i - 1] = 0;
        for (int o = 1; o <= kSize; ++o) {
            if (Board(i, o) == kEmpty)
                m_level[i - 1] = o;
        }
    }
}

QString Puissance4Game::FillRC() const
{
    QString text;
    text.reserve(2 * kCells);
    for (const qint16 cell : m_board) {
        text += QString::number(cell);
        text += wire::kSeparator;
    }
    return text;
}

void Puissance4Game::Arrange()
{
    if (m_result)
        return;
    if (m_color == kYellow)
        m_marker = Marker::Yellow;
    else if (m_color == kRed)
        m_marker = Marker::Red;
}

bool Puissance4Game::canDrop(int c) const
{
    // A board taken from a peer may carry a colour to move of 0, or a count
    // of 49 with room left; dropping then would put an unreadable colour or
    // count on the wire, so such a game takes no more discs.
    return Level(c) > 0 && !m_result && (m_color == kYellow || m_color == kRed)
        && m_numDiscs >= 0 && m_numDiscs < kCells;
}

QList<int> Puissance4Game::freeColumns() const
{
    QList<int> columns;
    for (int c = 1; c <= kSize; ++c) {
        if (canDrop(c))
            columns.append(c);
    }
    return columns;
}

int Puissance4Game::Drop(int c)
{
    if (!canDrop(c))
        return 0;
    // The count goes up before the search, so the 49th disc is seen as such;
    // the colour changes after it, so the search names the next player.
    ++m_numDiscs;
    const int r = m_level[c - 1];
    FillBoard(c, r, m_color, true);
    CheckWin(c, Level(c) + 1, m_color);
    m_color = kYellow + kRed - m_color;
    return r;
}

bool Puissance4Game::ownsTurn(const QString &user, const QString &yellowName,
                              const QString &redName) const
{
    if (m_numDiscs <= 1)
        return true;
    return user == (m_color == kRed ? redName : yellowName);
}

void Puissance4Game::CheckWin(int i, int o, qint16 Color)
{
    m_result = false;
    for (std::size_t dir = 0; dir < dx.size() && !m_result; ++dir) {
        // Scan the whole line through (i, o) from its first cell.
        int x = i;
        int y = o;
        while (isInside(x - dx[dir], y - dy[dir])) {
            x -= dx[dir];
            y -= dy[dir];
        }
        int run = 0;
        for (; isInside(x, y); x += dx[dir], y += dy[dir]) {
            run = Board(x, y) == Color ? run + 1 : 0;
            if (run == kWinLength) {
                m_result = true;
                break;
            }
        }
    }

    if (m_result) {
        if (Color == kYellow)
            m_status = kYellowWon;
        else if (Color == kRed)
            m_status = kRedWon;
    } else if (m_numDiscs == kCells) {
        m_status = kDraw;
    } else if (Color == kYellow) {
        m_status = kRedToPlay;
        m_marker = Marker::Red;
    } else if (Color == kRed) {
        m_status = kYellowToPlay;
        m_marker = Marker::Yellow;
    }
}
