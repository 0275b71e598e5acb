#include "look/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace look {
namespace {
QString installedLanguage;
} // namespace

QString translationLanguage()
{
    return installedLanguage;
}

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
    installedLanguage.clear();
    auto mine = new QTranslator;
    const QString dir = QStringLiteral(":/i18n");
    const bool found = mine->load(locale, QStringLiteral("quillet"), QStringLiteral("_"), dir);
    // English is the source language; its file only gives the plural forms,
    // and stands in for every language without a translation of its own.
    if (found || mine->load(QStringLiteral("quillet_en"), dir)) {
        QCoreApplication::installTranslator(mine);
        own = mine;
    } else {
        delete mine;
    }
    // Only beside a translation of ours, so an English window has no foreign buttons.
    if (!found)
        return;
    installedLanguage = QLocale(mine->language()).name().section(u'_', 0, 0);
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
