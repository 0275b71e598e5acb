#include "othello/othellocell.h"

#include "look/look.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
// The disc, in twips of the cell's drawing area.
constexpr int kDiscCentre = 140;
constexpr int kDiscRadius = 90;
} // namespace

OthelloCell::OthelloCell(int index, QWidget *parent)
    : QWidget(parent)
    , m_index(index)
{
    setMouseTracking(true);
    reset();
}

void OthelloCell::setBackColour(const QColor &colour)
{
    m_back = colour;
    m_disc = false;
    update();
}

void OthelloCell::drawDisc()
{
    m_disc = true;
    update();
}

void OthelloCell::reset()
{
    m_fill = look::kLightGrey;
    setBackColour(kGreen);
}

void OthelloCell::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_back);
    if (m_disc) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(look::kLightGrey, 0));
        painter.setBrush(m_fill);
        const qreal centre = look::px(kDiscCentre);
        painter.drawEllipse(QPointF(centre, centre), look::px(kDiscRadius), look::px(kDiscRadius));
    }
    // The window's keyboard cursor is the cell that has the focus.
    if (hasFocus())
        look::drawKeyCursor(painter, rect());
}

void OthelloCell::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void OthelloCell::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and a release of the left button over the same cell.
    const bool click = m_pressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked(m_index);
}

void OthelloCell::mouseMoveEvent(QMouseEvent *)
{
    emit mouseMoved(m_index);
}

void OthelloCell::leaveEvent(QEvent *)
{
    emit mouseLeft(m_index);
}
