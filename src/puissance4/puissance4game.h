#pragma once

#include "games/gamestatus.h"
#include "games/players.h"

#include <QList>
#include <QString>

#include <array>

namespace puissance4 {

inline constexpr int kSize = 7; // columns and rows
inline constexpr int kCells = kSize * kSize;
inline constexpr int kWinLength = 4;

inline constexpr qint16 kEmpty = 0;
inline constexpr qint16 kYellow = 1;
inline constexpr qint16 kRed = 2;

// The status line's texts, exact: a new game starts with a capital T, a red
// drop hands over with a small one.
inline const QString kYellowToPlayFirst = QStringLiteral("Yellow To Play!");
inline const QString kYellowToPlay = QStringLiteral("Yellow to Play!");
inline const QString kRedToPlay = QStringLiteral("Red to Play!");
inline const QString kYellowWon = QStringLiteral("Yellow Won!");
inline const QString kRedWon = QStringLiteral("Red Won!");
inline const QString kDraw = QStringLiteral("Draw!");

// The status a board's line says; GameStatus::Other for a text of a peer's own.
GameStatus statusOf(const QString &line);

} // namespace puissance4

// A Puissance 4 game on the 7 x 7 board: the board and column levels, whose
// turn it is and who plays each colour, the disc count, the result and what
// the status line and turn marker show. Columns run 1..7 from the left, rows
// 1..7 from the top; discs fall to the largest free row.
class Puissance4Game final
{
public:
    enum class Marker {
        Start,  // light yellow over "Yellow", until the first drop
        Yellow, // yellow to move
        Red,    // red to move
    };

    Puissance4Game() { m_level.fill(puissance4::kSize); } // as a freshly opened window

    // 0 off the board.
    qint16 cell(int column, int row) const;
    // The row the next disc in the column comes to rest in; 0 for a full column.
    qint16 level(int column) const;

    qint16 colour() const { return m_colour; }
    void setColour(qint16 colour) { m_colour = colour; }
    qint16 discCount() const { return m_discCount; }
    void setDiscCount(qint16 count) { m_discCount = count; }
    bool isDecided() const { return m_decided; }
    void setDecided(bool decided) { m_decided = decided; }
    GameStatus status() const { return m_status; }
    // The status line as the board carries it: the exact English text, or
    // the peer's own text it came with.
    QString statusLine() const;
    void setStatusLine(const QString &line);
    Marker marker() const { return m_marker; }

    // Who plays each colour, as the last drop made here set them: the one who
    // dropped takes the colour dropped, the opponent the other.
    const QString &yellowPlayer() const { return m_players.of(Players::Side::First); }
    const QString &redPlayer() const { return m_players.of(Players::Side::Second); }
    // The one who dropped `colour` plays it, the other one the other colour;
    // ignored for anything but yellow or red.
    void claimColour(int colour, const QString &dropper, const QString &other);
    // Decided, or drawn: no disc can follow.
    bool isOver() const { return m_decided || m_status == GameStatus::Draw; }

    // Sets one cell; with lowerLevel the column's level goes down by one. Out
    // of range arguments are ignored.
    void setCell(int column, int row, int colour, bool lowerLevel);
    // Recomputes every level from the board: the largest row holding an empty
    // cell, 0 for a full column.
    void recomputeLevels();
    // The 49 cells row by row from the top left.
    const std::array<qint16, puissance4::kCells> &cells() const { return m_board; }
    // The marker follows the colour to move unless the game is decided.
    void arrangeMarker();

    // Whether the colour to move may drop into the column now, whoever drops.
    bool canDrop(int column) const;
    QList<int> freeColumns() const;
    // Whether `user` may drop the colour to move (see Players: the first
    // yellow and the first red disc are free).
    bool mayMove(const QString &user) const;
    // `user`, playing against `opponent`, drops a disc of the colour to move
    // into the column: the user takes that colour and the opponent the other,
    // the drop is judged and the turn handed over. Returns the row the disc
    // came to rest in, or 0 when refused; a refused drop changes nothing.
    int drop(int column, const QString &user, const QString &opponent);

    // A peer's board reaches this one by at most this many drops. Each drop's
    // board goes out at once, so two in a row are one apart; two first drops
    // made at once put two between them, and one lost board a third.
    static constexpr int kMaxDropsBetweenBoards = 3;
    // Whether a board with these cells, colour to move, disc count and status
    // follows this one by one to kMaxDropsBetweenBoards legal drops, with a
    // count that agrees with its discs. Anything else (a reset, a skipped or
    // made-up position, an inflated count, a result the cells do not show)
    // is no game's next board.
    bool leadsTo(const std::array<qint16, puissance4::kCells> &cells, qint16 colourAfter, qint16 discsAfter,
                 const QString &statusAfter) const;
    // The first yellow and the first red disc are free, so both may drop at once.
    bool isOpening() const { return m_discCount < Players::kFreeMoves; }

    // Cell index k = 1..49, row by row from the top left.
    static int columnOf(int k) { return (k - 1) % puissance4::kSize + 1; }
    static int rowOf(int k) { return (k - 1) / puissance4::kSize + 1; }
    static int indexOf(int column, int row) { return (row - 1) * puissance4::kSize + column; }
    static bool isInside(int column, int row);

private:
    void checkWin(int column, int row, qint16 colour);
    // The rules' part of a drop of the colour to move, whoever makes it.
    int dropDisc(int column);

    std::array<qint16, puissance4::kCells> m_board{}; // column varies fastest
    std::array<qint16, puissance4::kSize> m_level{};
    qint16 m_colour = puissance4::kYellow;
    qint16 m_discCount = 0;
    bool m_decided = false;
    GameStatus m_status = GameStatus::YellowToPlayFirst;
    QString m_otherLine; // the peer's text while the status is GameStatus::Other
    Marker m_marker = Marker::Start;
    Players m_players;
};
