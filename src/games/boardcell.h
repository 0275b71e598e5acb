#pragma once

#include <QWidget>

#include <functional>

// One cell of a game's board. It holds nothing of the game: whenever it
// paints, its window draws it from the game as it stands, so a cell can
// never show a disc the board does not have, and discs survive the window
// being covered. It reports the user's mouse by the cell's index.
class BoardCell final : public QWidget
{
    Q_OBJECT
public:
    using Draw = std::function<void(QPainter &painter, const BoardCell &cell)>;

    BoardCell(int index, Draw draw, QWidget *parent);

    int index() const { return m_index; }

signals:
    // A press and a release of the left button over this cell.
    void clicked(int index);
    void hovered(int index);
    void left(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    const int m_index;
    const Draw m_draw;
    bool m_pressed = false;
};
