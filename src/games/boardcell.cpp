#include "games/boardcell.h"

#include "look/look.h"

#include <QMouseEvent>
#include <QPainter>

BoardCell::BoardCell(int index, Draw draw, QWidget *parent)
    : QWidget(parent)
    , m_index(index)
    , m_draw(std::move(draw))
{
    // Named as the elements of one control array, so that tools find each cell.
    setObjectName(QStringLiteral("Picture1_%1").arg(index));
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void BoardCell::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_draw(painter, *this);
    // The window's keyboard cursor is the cell that has the focus.
    if (hasFocus())
        look::drawKeyCursor(painter, rect());
}

void BoardCell::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->setAccepted(m_pressed);
}

void BoardCell::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked(m_index);
}

void BoardCell::mouseMoveEvent(QMouseEvent *)
{
    emit hovered(m_index);
}

void BoardCell::leaveEvent(QEvent *)
{
    emit left(m_index);
}
