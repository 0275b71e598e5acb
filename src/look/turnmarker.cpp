#include "turnmarker.h"

#include "look.h"

#include <QPainter>

TurnMarker::TurnMarker(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TurnMarker::setFillColor(const QColor &colour)
{
    m_fill = colour;
    update();
}

void TurnMarker::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(look::kLightGrey, 0));
    painter.setBrush(m_fill);
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}
