#include "look/names.h"

#include <QAction>
#include <QMenu>

namespace look {

QAction *addNamedAction(QMenu *menu, const QString &caption, const char *objectName)
{
    return named(menu->addAction(caption), objectName);
}

QString shownUserName(const QString &name)
{
    static const QChar kHidden(0xFFFD);       // replacement character
    static const QChar kNoBreakSpace(0x237D); // shouldered open box
    static const QChar kEdgeSpace(0x2423);    // open box

    // Read through at() and written only where a character changes, so a
    // plain name shares its text with the wire's instead of being copied.
    QString shown = name;
    for (qsizetype k = 0; k < shown.size(); ++k) {
        const QChar c = shown.at(k);
        switch (c.category()) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            shown[k] = kHidden;
            break;
        default:
            if (c == QChar::Nbsp)
                shown[k] = kNoBreakSpace;
            break;
        }
    }
    for (qsizetype k = 0; k < shown.size() && shown.at(k) == u' '; ++k)
        shown[k] = kEdgeSpace;
    for (qsizetype k = shown.size() - 1; k >= 0 && shown.at(k) == u' '; --k)
        shown[k] = kEdgeSpace;
    return shown;
}

QString shownUserName(const QString &name, bool doubtful)
{
    return doubtful ? shownUserName(name) + QChar(kDoubtMark) : shownUserName(name);
}

} // namespace look
