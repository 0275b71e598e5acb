#pragma once

#include "games/gamewindow.h"
#include "puissance4/puissance4game.h"

#include <QTimer>

#include <array>

class QLineEdit;
class Puissance4Cell;
class TurnMarker;

namespace wire {
struct Puissance4Board;
}

// The Puissance 4 window. The main window builds it when a game first opens
// and keeps it: closing it only hides it while the game goes on, open() starts
// a new one, and a newer board from the opponent shows it again. The rules
// are Puissance4Game's; this shows them and trades boards through the station.
class Puissance4Window final : public GameWindow
{
    Q_OBJECT
public:
    explicit Puissance4Window(Station &station, QWidget *owner = nullptr);

    // New game; shows the window.
    void open();
    // The game shown has a result.
    bool isOver() const { return m_game.isOver(); }
    // Neither over nor said to be unable to go on: a new game would replace a live one.
    bool canGoOn() const { return !isOver() && !hasNotice(); }

    // Takes over a board addressed to this user when it is further on than
    // ours, and shows it. While the station plays the game the opponent is
    // the one who dropped the board's last disc and this user plays the other
    // colour; otherwise the window says the game is not on here. Returns
    // whether it was applied.
    bool applyBoard(const wire::Puissance4Board &board);

    // The board datagram the periodic broadcast sends to the opponent, with
    // the status line as shown.
    QString boardMessage() const;

    const Puissance4Game &game() const { return m_game; }
    QString statusText() const;
    // Whether the caption currently shows its flashed look.
    bool captionInverted() const { return m_captionInverted; }

public slots:
    void dropAt(int index);

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void flash();

private:
    void flashCaption(bool invert);
    void showPlayers();
    void noteIfOver();
    void showStatus();
    void showTurnMarker();
    void arrangeMarker();

    Puissance4Game m_game;
    int m_flashCount = 0;
    bool m_captionInverted = false;

    std::array<Puissance4Cell *, puissance4::kCells + 1> m_cells{}; // 0: the hidden template
    TurnMarker *m_turnMarker = nullptr;
    QLineEdit *m_yellowName = nullptr;
    QLineEdit *m_redName = nullptr;
    QLineEdit *m_status = nullptr;
    // The attention signal after the opponent's board: two ticks, 500 ms
    // apart; a child, so that tools find it by name.
    QTimer m_flashTimer{this};
};
