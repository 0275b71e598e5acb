#pragma once

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

} // namespace puissance4

// A Puissance 4 game on the 7 x 7 board: the board and column levels, whose
// turn it is, the disc count, the result and what the status line and turn
// marker show. Columns i and rows o run 1..7, row 1 at the top; discs fall to
// the largest free row.
class Puissance4Game final
{
public:
    enum class Marker {
        Start,  // light yellow over "Yellow", until the first drop
        Yellow, // yellow to move
        Red,    // red to move
    };

    Puissance4Game() { m_level.fill(puissance4::kSize); } // as a freshly opened window

    qint16 Board(int i, int o) const;
    qint16 Level(int i) const;

    qint16 Color() const { return m_color; }
    void setColor(qint16 color) { m_color = color; }
    qint16 NumDiscs() const { return m_numDiscs; }
    void setNumDiscs(qint16 numDiscs) { m_numDiscs = numDiscs; }
    bool Result() const { return m_result; }
    void setResult(bool result) { m_result = result; }
    const QString &status() const { return m_status; }
    void setStatus(const QString &status) { m_status = status; }
    Marker marker() const { return m_marker; }

    // Sets one cell; with bLevel the column's level goes down by one. Out of
    // range arguments are ignored.
    void FillBoard(int i, int o, int Color, bool bLevel);
    // Recomputes every Level from the board: the largest row holding an empty
    // cell, 0 for a full column.
    void SetLevel();
    // 49 cell values row by row from the top left, each followed by "§".
    QString FillRC() const;
    // The marker follows Color unless the game is decided.
    void Arrange();

    // Whether the colour to move may drop into column c now. Turn ownership
    // between stations is the caller's, through ownsTurn().
    bool canDrop(int c) const;
    QList<int> freeColumns() const;
    // Drops a disc of Color into column c, judges it and hands the turn over.
    // Returns the row the disc came to rest in, or 0 when refused.
    int Drop(int c);

    // From the third disc on only the user named in the field of the colour
    // to move may drop; the first yellow and the first red disc are free.
    bool ownsTurn(const QString &user, const QString &yellowName, const QString &redName) const;

    // Cell index k = 1..49, row by row from the top left.
    static int ColumnOf(int k) { return (k - 1) % puissance4::kSize + 1; }
    static int RowOf(int k) { return (k - 1) / puissance4::kSize + 1; }
    static int IndexOf(int i, int o) { return (o - 1) * puissance4::kSize + i; }
    static bool isInside(int i, int o);

private:
    void CheckWin(int i, int o, qint16 Color);

    std::array<qint16, puissance4::kCells> m_board{}; // column varies fastest
    std::array<qint16, puissance4::kSize> m_level{};
    qint16 m_color = puissance4::kYellow;
    qint16 m_numDiscs = 0;
    bool m_result = false;
    QString m_status = puissance4::kYellowToPlayFirst;
    Marker m_marker = Marker::Start;
};
