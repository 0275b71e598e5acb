#pragma once

#include <QFlags>
#include <QLayout>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <vector>

// The design's geometry as a layout: each child stands at its designed
// rectangle while the window has its designed size, and follows a larger
// window as its anchors say; every other child keeps its own place. Windows
// of a fixed size simply never grow.
class DesignLayout final : public QLayout
{
    Q_OBJECT
public:
    // Which way a child follows the window as it grows: its left edge with the
    // right edge, its top with the bottom, its width, its height.
    enum Follow { Stays = 0, Right = 1, Bottom = 2, Wider = 4, Taller = 8 };
    Q_DECLARE_FLAGS(Follows, Follow)

    // Lays out `window`'s children, designed for a client area of this size.
    DesignLayout(QWidget &window, const QSize &designSize);
    ~DesignLayout() override;

    // Rectangles are given in `frame`'s coordinates and growth is measured on
    // it (a tab page's children, designed in their tab control's coordinates):
    // the page's place in its frame is known only once the frame is laid out.
    // Called once the window lies within the frame.
    void measureOn(QWidget &frame);

    // Places a child of the window at its designed rectangle, in pixels.
    void add(QWidget &child, const QRect &design, Follows follows = Stays);
    // Places a child built at its designed rectangle where it stands.
    void add(QWidget &child, Follows follows = Stays) { add(child, child.geometry(), follows); }

    void addItem(QLayoutItem *item) override;
    int count() const override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect &rect) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Placed {
        QLayoutItem *item;
        QRect design;
        Follows follows;
    };
    std::vector<Placed> m_placed;
    QSize m_designSize;
    QPointer<QWidget> m_frame;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(DesignLayout::Follows)
