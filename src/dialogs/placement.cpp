#include "placement.h"

#include <QScreen>
#include <QWidget>

namespace dialogs {

void centreOn(QWidget &window, const QWidget *owner)
{
    const QRect area = owner ? owner->frameGeometry() : window.screen()->availableGeometry();
    window.move(area.center() - window.rect().center());
}

} // namespace dialogs
