#pragma once

#include "games/gamewindow.h"
#include "puissance4/puissance4match.h"

class QLineEdit;
class TurnMarker;

// The Puissance 4 window: draws the station's Puissance 4 match and drops
// the user's discs into it, by mouse or by keys.
class Puissance4Window final : public GameWindow
{
    Q_OBJECT
public:
    explicit Puissance4Window(Puissance4Match &match, QWidget *owner = nullptr);

    const Puissance4Game &game() const { return m_match.game(); }

public slots:
    void dropAt(int index);

protected:
    void redraw() override;
    void drawCell(QPainter &painter, const BoardCell &cell) const override;
    // Left and right choose the column, Enter or Space drops; 1 to 7 drop into that column.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showTurnMarker();
    void placeCursor(int column);

    Puissance4Match &m_match;
    TurnMarker *m_turnMarker = nullptr;
    QLineEdit *m_yellowName = nullptr;
    QLineEdit *m_redName = nullptr;
    QLineEdit *m_status = nullptr;
    int m_column = (puissance4::kSize + 1) / 2; // the middle column to begin with
    BoardCell *m_cursorCell = nullptr;
};
