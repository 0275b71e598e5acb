#pragma once

#include <QLatin1String>
#include <QString>

class QAction;
class QMenu;

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

// A user name as the user list shows it. Characters that would show nothing
// or break the line (controls, line breaks, the soft hyphen) become U+FFFD; a
// no-break space becomes U+237D, and spaces at either end U+2423, so a name
// that only looks like another is told apart from it. No marker can come off
// the wire (none is in Windows-1252), so no peer can imitate a marked name.
QString shownUserName(const QString &name);
// The same, with kDoubtMark after a doubtful name: one that may pose as
// another (a look-alike or contested name, as the roster tells). The mark is
// not in Windows-1252, so no peer can send it either.
inline constexpr char16_t kDoubtMark = u'\u26A0';
QString shownUserName(const QString &name, bool doubtful);

} // namespace look
