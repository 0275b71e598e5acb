#pragma once

#include <QColor>
#include <QWidget>

class Puissance4Game;

// One cell of the board. It paints its disc from the game each time, so discs
// survive the window being covered; index 0 is the window's hidden template
// and shows no disc.
class Puissance4Cell final : public QWidget
{
    Q_OBJECT
public:
    Puissance4Cell(const Puissance4Game &game, int index, QWidget *parent);

    // The disc colour of yellow (1) or red (2); the turn marker takes it too.
    static QColor discColour(int colour);

    int index() const { return m_index; }

signals:
    void clicked(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    const Puissance4Game &m_game;
    const int m_index;
};
