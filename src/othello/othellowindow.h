#pragma once

#include "games/gamewindow.h"
#include "othello/othellomatch.h"

class QLineEdit;
class TurnMarker;

// The Othello window: draws the station's Othello match and plays the
// user's clicks and keys on it.
class OthelloWindow final : public GameWindow
{
    Q_OBJECT
public:
    // The owner is only where the window centres itself when it opens.
    explicit OthelloWindow(OthelloMatch &match, QWidget *owner = nullptr);

    const OthelloGame &game() const { return m_match.game(); }
    // The cell the mouse highlights for the colour to move, 0 for none.
    int highlightedCell() const { return m_highlighted; }

public slots:
    void playAt(int index);
    void hoverOver(int index);
    void leaveCell(int index);

protected:
    void redraw() override;
    void drawCell(QPainter &painter, const BoardCell &cell) const override;
    void closeEvent(QCloseEvent *event) override;
    // Arrow keys move the cursor, Enter or Space plays there.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void describeCell(int index);
    void placeCursor(int index);
    void clearHighlight();

    OthelloMatch &m_match;
    int m_highlighted = 0;
    int m_cursor = 0;

    TurnMarker *m_turnMarker;
    QLineEdit *m_blackScore;
    QLineEdit *m_whiteScore;
    QLineEdit *m_status;
    QLineEdit *m_blackName;
    QLineEdit *m_whiteName;
};
