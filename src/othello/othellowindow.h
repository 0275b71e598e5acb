#pragma once

#include "net/messages.h"
#include "othello/othellogame.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>

class OthelloCell;
class QLineEdit;
class Station;
class TurnMarker;

// The Othello window: shows one game against the station's Othello opponent
// and plays it over the network. The main window keeps one for the whole run;
// closing it only hides it, and the game stays as it was until the next open.
class OthelloWindow final : public QWidget
{
    Q_OBJECT
public:
    // The owner is only where the window centres itself when it opens.
    explicit OthelloWindow(Station &station, QWidget *owner = nullptr);

    // A new game: the starting position, black to move; shows the window.
    void open();
    bool isOpen() const { return m_open; }

    // Takes over a board addressed to this user when it is further on than the
    // one shown, opening the window first if it is closed. Whether the station
    // counts the game as played is not touched. Returns whether the board was applied.
    bool applyBoard(const wire::OthelloBoard &board);

    // The board datagram the periodic broadcast sends to the opponent.
    QString boardMessage() const;

    const OthelloGame &game() const { return m_game; }
    // Cells 1..64; nullptr for any other index.
    OthelloCell *cell(int index) const;
    // The cell the mouse highlights for the colour to move, 0 for none.
    int highlightedCell() const { return m_highlighted; }
    int flashCount() const { return m_flashCount; }

public slots:
    void playAt(int index);
    void hoverOver(int index);

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void flash();

private:
    void setCell(int x, int y, int colour);
    void drawCell(int x, int y);
    void showScore();

    Station &m_station;
    QPointer<QWidget> m_owner;
    OthelloGame m_game;
    int m_highlighted = 0;
    int m_flashCount = 0;
    bool m_open = false;

    TurnMarker *m_turnMarker;
    QLineEdit *m_blackScore;
    QLineEdit *m_whiteScore;
    QLineEdit *m_status;
    QLineEdit *m_blackName;
    QLineEdit *m_whiteName;
    std::array<OthelloCell *, OthelloGame::kCells> m_cells{};
    // The attention signal after the opponent's board has been applied; a
    // child, so that tools find it by name.
    QTimer m_flashTimer{this};
};
