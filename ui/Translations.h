#pragma once
// The edition the operator sees: the program's own texts and Qt's standard button texts in
// the language of the locale, English where no translation exists.
#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <QStringList>

#include "platform/Text.h"

namespace zt40::ui {

struct Edition {
    QString language;         // "en" or "ja"
    QStringList loadedAreas;  // the program's translation areas found for that language
    bool qtStandardTexts = false;
};

// Installs the translators for `locale` on `app` (the program's areas from :/i18n and Qt's
// own qtbase catalogue) and, for Japanese, a Japanese font where one is installed.
// Calling it again replaces what an earlier call installed.
Edition InstallEdition(QCoreApplication& app, const QLocale& locale);

// The language the program offers for a locale: Japanese for any Japanese locale, else English.
QString EditionLanguage(const QLocale& locale);

QString Translate(const Text& text);
// A marked text translated with its arguments filled in, or a verbatim text as it stands.
QString Render(const Message& message);

}  // namespace zt40::ui
