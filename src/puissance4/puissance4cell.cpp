#include "puissance4/puissance4cell.h"

#include "look/look.h"
#include "puissance4/puissance4game.h"

#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

namespace {

const QColor kCellBack{27, 27, 127};

// The cell's sunken frame; discs are placed in the drawing area inside it.
constexpr int kFrame = 2;
constexpr qreal kDiscCentreTwips = 110;
constexpr qreal kDiscRadiusTwips = 90;

} // namespace

QColor Puissance4Cell::discColour(int colour)
{
    return colour == puissance4::kYellow ? QColor(255, 255, 0) : QColor(255, 0, 0);
}

Puissance4Cell::Puissance4Cell(const Puissance4Game &game, int index, QWidget *parent)
    : QWidget(parent)
    , m_game(game)
    , m_index(index)
{
    setObjectName(QStringLiteral("Picture1_%1").arg(index));
}

void Puissance4Cell::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QBrush back(kCellBack);
    qDrawWinPanel(&painter, rect(), palette(), true, &back);
    // The window's keyboard cursor is the cell that has the focus: where the column's next disc lands.
    if (hasFocus())
        look::drawKeyCursor(painter, rect());
    if (m_index < 1 || m_index > puissance4::kCells)
        return;

    const qint16 colour = m_game.cell(Puissance4Game::columnOf(m_index), Puissance4Game::rowOf(m_index));
    if (colour != puissance4::kYellow && colour != puissance4::kRed)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(look::kLightGrey);
    painter.setBrush(discColour(colour));
    const qreal centre = kFrame + kDiscCentreTwips / look::kTwipsPerPixel;
    const qreal radius = kDiscRadiusTwips / look::kTwipsPerPixel;
    painter.drawEllipse(QPointF(centre, centre), radius, radius);
}

void Puissance4Cell::mousePressEvent(QMouseEvent *event)
{
    event->setAccepted(event->button() == Qt::LeftButton);
}

void Puissance4Cell::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(m_index);
}
