#pragma once

#include <QLocale>
#include <QString>

// The program's texts, and Qt's own (the standard buttons of the message boxes), in the user's language. The texts
// in the sources are English: with an English, unknown or untranslated language nothing is installed and every text
// stays as written.
namespace Translations {
// Installs the translations for the first of the locale's languages, in the user's order of preference, that is
// English or has a translation of the program. Returns the language installed ("de"), or an empty string when the
// texts stay English. Needs the application object, which owns the translators.
QString install(const QLocale& locale = QLocale::system());
} // namespace Translations
