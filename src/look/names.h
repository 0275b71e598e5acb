#pragma once

#include <QLatin1String>

class QAction;
class QMenu;
class QString;

// Widgets, menus and menu items carry the names tools and tests find them by,
// set on the line that builds them.
namespace look {

template <typename T>
T *named(T *object, const char *objectName)
{
    object->setObjectName(QLatin1String(objectName));
    return object;
}

QAction *addNamedAction(QMenu *menu, const QString &caption, const char *objectName);

} // namespace look
