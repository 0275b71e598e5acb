#pragma once

#include "puissance4/puissance4game.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>

class QLineEdit;
class Puissance4Cell;
class TurnMarker;
class Station;

namespace wire {
struct Puissance4Board;
}

// The Puissance 4 window. It lives as long as the main window: closing it only
// ends this station's game, open() starts a new one, and a newer board from
// the opponent reopens it. The rules are Puissance4Game's; this shows them and
// trades boards through the station.
class Puissance4Window final : public QWidget
{
    Q_OBJECT
public:
    explicit Puissance4Window(Station &station, QWidget *owner = nullptr);

    // New game; shows the window centred over its owner.
    void open();
    bool isOpen() const { return m_open; }

    // Takes over a board addressed to this user when it is further on than
    // ours, opening the window first if it is closed (whether the station
    // counts the game as played stays as it is). Returns whether it was applied.
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
    void showStatus();
    void showTurnMarker();
    void arrangeMarker();

    Station &m_station;
    QPointer<QWidget> m_owner;
    Puissance4Game m_game;
    int m_flashCount = 0;
    bool m_open = false;
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
