#include "look/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace look {

void installTranslations(const QLocale &locale)
{
    static QTranslator *own = nullptr;
    static QTranslator *qt = nullptr;
    for (QTranslator **translator : {&own, &qt}) {
        if (*translator) {
            QCoreApplication::removeTranslator(*translator);
            delete *translator;
            *translator = nullptr;
        }
    }
    auto mine = new QTranslator;
    if (mine->load(locale, QStringLiteral("quillet"), QStringLiteral("_"), QStringLiteral(":/i18n"))) {
        QCoreApplication::installTranslator(mine);
        own = mine;
    } else {
        delete mine;
    }
    // Only beside a translation of ours, so an English window has no foreign buttons.
    if (!own)
        return;
    auto theirs = new QTranslator;
    if (theirs->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(theirs);
        qt = theirs;
    } else {
        delete theirs;
    }
}

} // namespace look
