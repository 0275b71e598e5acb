#pragma once

#include "games/gamewindow.h"
#include "puissance4/puissance4match.h"

#include <array>

class QLineEdit;
class Puissance4Cell;
class TurnMarker;

// The Puissance 4 window: draws the station's Puissance 4 match and drops
// the user's discs into it.
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

private:
    void showTurnMarker();

    Puissance4Match &m_match;
    std::array<Puissance4Cell *, puissance4::kCells + 1> m_cells{}; // 0: the hidden template
    TurnMarker *m_turnMarker = nullptr;
    QLineEdit *m_yellowName = nullptr;
    QLineEdit *m_redName = nullptr;
    QLineEdit *m_status = nullptr;
};
