#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>

// Arvo's texts, and Qt's own (the standard buttons of dialogs), in the language the user reads.
// The first of the locale's UI languages (LANGUAGE, LC_ALL, LC_MESSAGES, LANG as Qt reads them)
// that Arvo has a translation for is loaded from the resources built into the program; without
// one the texts stay English. Installed into the application before any window is made, since
// widgets take their texts when they are built; removed again when this object goes. Main thread.
class Translations {
public:
    explicit Translations(const QLocale &locale = QLocale::system());
    ~Translations();
    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;

    // The language the texts are shown in, as "de"; "en" when no translation matched.
    QString language() const { return language_; }
    // Whether Qt's own texts were found in that language (package qt6-translations-l10n).
    bool hasQtTranslation() const { return !qt_.isEmpty(); }

    // Where the translations are built into the program.
    static QString resourceFolder();

private:
    QTranslator arvo_;
    QTranslator qt_;
    QString language_;
};
