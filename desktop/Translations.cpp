#include "desktop/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {
// Compiled into the program from resources/translations.
const QString programTranslations = QStringLiteral(":/translations");

// Qt's own translations: beside the program first (Windows ships them there), then where Qt keeps them (on Debian
// /usr/share/qt5/translations, from qttranslations5-l10n).
QStringList qtTranslationFolders()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    const QString qtFolder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#else
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
    return {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"), qtFolder};
}

bool installTranslator(const QLocale& language, const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(language, name, QStringLiteral("_"), folder) &&
        QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}
} // namespace

QString Translations::install(const QLocale& locale)
{
    const QStringList languages = locale.uiLanguages();
    for (const QString& name : languages) {
        const QLocale language(name);
        // English is the sources' language; "C" and names Qt does not know say nothing about the user's.
        if (language.language() == QLocale::English)
            return QString();
        if (language.language() == QLocale::C)
            continue;
        if (!installTranslator(language, QStringLiteral("OrvaConfigurator"), programTranslations))
            continue;
        // The standard buttons in the same language as the program's texts; English where Qt has none.
        const QStringList folders = qtTranslationFolders();
        for (const QString& folder : folders) {
            if (installTranslator(language, QStringLiteral("qtbase"), folder))
                break;
        }
        return language.name().section(QLatin1Char('_'), 0, 0);
    }
    return QString();
}
