#pragma once

#include "games/gamewindow.h"
#include "net/messages.h"
#include "othello/othellogame.h"

#include <QTimer>

#include <array>

class OthelloCell;
class QLineEdit;
class TurnMarker;

// The Othello window: shows one game against the station's Othello opponent
// and plays it over the network. The main window builds it when a game first
// opens and keeps it; closing it only hides it. A running game goes on
// meanwhile and the window shows it as it stands when it opens again.
class OthelloWindow final : public GameWindow
{
    Q_OBJECT
public:
    // The owner is only where the window centres itself when it opens.
    explicit OthelloWindow(Station &station, QWidget *owner = nullptr);

    // A new game: the starting position, black to move; shows the window.
    void open();
    // The game shown has a result.
    bool isOver() const { return m_game.isOver(); }
    // Neither over nor said to be unable to go on: a new game would replace a live one.
    bool canGoOn() const { return !isOver() && !hasNotice(); }

    // Takes over a board addressed to this user when it is further on than the
    // one shown, and shows it. While the station plays the game the opponent
    // is the one who made the board's last move and this user plays the other
    // colour; otherwise the window says the game is not on here. Returns
    // whether the board was applied.
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
    void leaveCell(int index);

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void flash();

private:
    void setCell(int x, int y, int colour);
    void drawCell(int x, int y);
    void clearHighlight();
    void showScore();
    void showPlayers();
    void noteIfOver();

    OthelloGame m_game;
    int m_highlighted = 0;
    int m_flashCount = 0;

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
