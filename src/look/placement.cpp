#include "look/placement.h"

#include <QScreen>
#include <QWidget>

namespace look {

void centreOn(QWidget &window, const QWidget *owner)
{
    const QRect area = owner ? owner->frameGeometry() : window.screen()->availableGeometry();
    window.move(area.center() - window.rect().center());
}

} // namespace look
