#include "look/turnmarker.h"

#include "look/look.h"

#include <QPainter>

namespace {

// In twips, the same in both game windows.
constexpr int kSize = 135;
constexpr int kFirstLeft = 720;
constexpr int kSecondLeft = 2160;

} // namespace

TurnMarker::TurnMarker(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Shape1"));
    setAccessibleName(tr("Turn marker"));
    setAccessibleDescription(tr("Stands over the name of the colour to move"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(look::twips(kFirstLeft, 0, kSize, kSize));
}

void TurnMarker::showOver(Side side, const QColor &colour)
{
    setFillColour(colour);
    move(look::twips(side == Side::First ? kFirstLeft : kSecondLeft, 0, kSize, kSize).topLeft());
}

void TurnMarker::setFillColour(const QColor &colour)
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
