#include "puissance4marker.h"

#include "look.h"

#include <QPainter>

Puissance4Marker::Puissance4Marker(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Shape1"));
}

void Puissance4Marker::setFill(const QColor &fill)
{
    m_fill = fill;
    update();
}

void Puissance4Marker::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(look::kLightGrey);
    painter.setBrush(m_fill);
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}
