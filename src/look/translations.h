#pragma once

#include <QString>

class QLocale;

namespace look {

// Installs Quillet's translation for the locale, and Qt's own (standard
// buttons, the text boxes' menus) where the system has it. A language
// without a translation stays in English, as the program is written.
void installTranslations(const QLocale &locale);
// The language of the translation installed ("fr", "de"); empty for English.
// What else comes in several languages (the read-me) follows it.
QString translationLanguage();

} // namespace look
