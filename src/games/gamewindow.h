#pragma once

#include "games/gamestatus.h"
#include "games/match.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <vector>

class BoardCell;
class QLabel;
class QLineEdit;
class QPushButton;

// What both game windows share: they draw their match and report the
// user's moves to it. A window opens where the main window is, says over
// the board why the game cannot go on, and draws attention when the
// opponent's board arrives. GameWindows builds each when its game first
// opens and keeps it: closing it only hides it while the game goes on.
class GameWindow : public QWidget
{
    Q_OBJECT
public:
    // Shown, not closed by the user.
    bool isOpen() const { return m_open; }
    // Shows the game as it stands and gives it the keyboard: the user asked for it.
    void showGame();
    // Shows the game as it stands for the network (an accept, a board): in
    // front where the desktop allows, without taking the keyboard.
    void showGameUnasked();
    // The opponent's board has been taken: shows the game and draws attention.
    void boardArrived();
    // What is said over the board now; empty when nothing is.
    QString notice() const;
    int flashCount() const { return m_flashCount; }
    // The board's cells from 1; nullptr for any other index.
    BoardCell *cell(int index) const;

    // A game's status line in the user's language; `other` is a peer's own
    // text, shown as it came.
    static QString statusText(GameStatus status, const QString &other = {});

protected:
    // The owner is only where the window opens.
    GameWindow(Match &match, Qt::WindowFlags extraFlags, QWidget *owner);

    // Lays out every child built so far where it stands at the designed
    // size, but for the one that moves on its own (the turn marker).
    void layOutAsBuilt(const QWidget *movesOnItsOwn);
    // The band under the design layout, made once the window has its design
    // size: the window grows to show it, so the board stays in sight.
    void makeNoticeBand();
    // Draws the whole match as it stands.
    virtual void redraw() = 0;
    // Adds the next cell of the board, numbered from 1. It is drawn by
    // drawCell() from the game each time it paints.
    BoardCell *addCell(const QRect &geometry);
    virtual void drawCell(QPainter &painter, const BoardCell &cell) const = 0;
    // Both players in the name boxes: as the first move set them, or until
    // then both names with a "?" for the colour still undecided.
    void showPlayers(QLineEdit &first, QLineEdit &second, const QString &firstPlayer,
                     const QString &secondPlayer) const;
    // A game stopped before its end has nobody to move: no turn is shown.
    bool showsTurn() const { return m_match.isPlaying() || m_match.isOver(); }

    // A running game outlives its window; one that is over ends with it.
    void closeEvent(QCloseEvent *event) override;

private:
    void showNotice();
    void flash();

    Match &m_match;
    QPointer<QWidget> m_owner;
    std::vector<BoardCell *> m_cells;
    QLabel *m_noticeBand = nullptr;
    int m_designHeight = 0;
    // Offered while the opponent plays no more: the one action that ends the game.
    QPushButton *m_leaveButton = nullptr;
    bool m_open = false;
    int m_flashCount = 0;
    // The attention signal after the opponent's board has been applied; a
    // child, so that tools find it by name.
    QTimer m_flashTimer{this};
};
