#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace {

const QString English = QStringLiteral("en");

// The language part of a translation's language, "de" of "de_DE".
QString languageOf(const QTranslator &translator)
{
    return translator.language().section(QLatin1Char('_'), 0, 0).section(QLatin1Char('-'), 0, 0);
}

} // namespace

QString Translations::resourceFolder()
{
    return QStringLiteral(":/i18n");
}

Translations::Translations(const QLocale &locale)
{
    // English has a translation of its own, holding only the plural forms of counted texts
    // ("1 photo", "2 photos"), so a user who prefers English before another language gets it.
    if (!arvo_.load(locale, QStringLiteral("arvo"), QStringLiteral("_"), resourceFolder()))
        (void)arvo_.load(QStringLiteral("arvo_en"), resourceFolder());
    language_ = arvo_.isEmpty() ? English : languageOf(arvo_);
    if (language_.isEmpty())
        language_ = English;
    if (!arvo_.isEmpty())
        QCoreApplication::installTranslator(&arvo_);

    // Qt's texts only in the language Arvo speaks, never mixed with another one.
    if (language_ != English
        && qt_.load(QLocale(language_), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt_);
}

Translations::~Translations()
{
    QCoreApplication::removeTranslator(&qt_);
    QCoreApplication::removeTranslator(&arvo_);
}
