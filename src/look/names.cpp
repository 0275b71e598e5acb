#include "look/names.h"

#include <QAction>
#include <QMenu>

namespace look {

QAction *addNamedAction(QMenu *menu, const QString &caption, const char *objectName)
{
    return named(menu->addAction(caption), objectName);
}

} // namespace look
