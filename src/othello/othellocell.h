#pragma once

#include <QColor>
#include <QWidget>

// One board cell. It keeps what the window last drew in it (background,
// fill colour, whether a disc is drawn) and paints that from its own state,
// so a disc stays visible when the window is covered and shown again.
class OthelloCell final : public QWidget
{
    Q_OBJECT
public:
    static inline const QColor kGreen{40, 255, 100};

    OthelloCell(int index, QWidget *parent);

    int index() const { return m_index; }

    QColor backColour() const { return m_back; }
    // A new background erases whatever was drawn in the cell.
    void setBackColour(const QColor &colour);

    // Light grey until the cell first shows a disc.
    QColor fillColour() const { return m_fill; }
    void setFillColour(const QColor &colour) { m_fill = colour; }

    bool hasDisc() const { return m_disc; }
    void drawDisc();

    // As a freshly created cell: green, light grey fill, nothing drawn.
    void reset();

signals:
    void clicked(int index);
    void mouseMoved(int index);
    void mouseLeft(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    int m_index;
    QColor m_back;
    QColor m_fill;
    bool m_disc = false;
    bool m_pressed = false;
};
