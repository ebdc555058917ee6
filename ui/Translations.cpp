#include "ui/Translations.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>
#include <vector>

namespace zt40::ui {

namespace {

constexpr auto kResourceFolder = ":/i18n";

// Owned here so that a second call can take back what the first installed.
std::vector<std::unique_ptr<QTranslator>>& Installed() {
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}

// Family names as fontconfig reports them for the Noto CJK families, sans first.
const char* const kJapaneseFamilies[] = {"Noto Sans CJK JP", "Noto Sans JP", "Noto Serif CJK JP", "IPAGothic",
                                         "TakaoGothic", "VL Gothic"};

void UseJapaneseFont() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    const QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
    for (const char* family : kJapaneseFamilies) {
        if (families.contains(QString::fromLatin1(family))) {
            QFont font = QApplication::font();
            font.setFamily(QString::fromLatin1(family));
            QApplication::setFont(font);
            return;
        }
    }
}

}  // namespace

QString EditionLanguage(const QLocale& locale) {
    return locale.language() == QLocale::Japanese ? QStringLiteral("ja") : QStringLiteral("en");
}

Edition InstallEdition(QCoreApplication& app, const QLocale& locale) {
    auto& translators = Installed();
    for (auto& translator : translators) app.removeTranslator(translator.get());
    translators.clear();

    Edition edition;
    edition.language = EditionLanguage(locale);
    const QString suffix = QLatin1Char('_') + edition.language + QStringLiteral(".qm");
    const QStringList files = QDir(QString::fromLatin1(kResourceFolder)).entryList({QLatin1Char('*') + suffix});
    for (const QString& file : files) {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(QString::fromLatin1(kResourceFolder) + QLatin1Char('/') + file)) continue;
        app.installTranslator(translator.get());
        translators.push_back(std::move(translator));
        edition.loadedAreas << file.chopped(suffix.size());
    }
    if (edition.language != QStringLiteral("en")) {
        auto qtTexts = std::make_unique<QTranslator>();
        if (qtTexts->load(QStringLiteral("qtbase_") + edition.language,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            app.installTranslator(qtTexts.get());
            translators.push_back(std::move(qtTexts));
            edition.qtStandardTexts = true;
        }
    }
    if (edition.language == QStringLiteral("ja")) UseJapaneseFont();
    return edition;
}

QString Translate(const Text& text) {
    if (text.source == nullptr) return {};
    return QCoreApplication::translate(text.context, text.source);
}

QString Render(const Message& message) {
    // The same substitution as the English edition's, on the translated pattern.
    return QString::fromStdString(Compose(message, [](const Message& m) {
        return m.IsVerbatim() ? m.verbatim : FillArguments(Translate(m.text).toStdString(), m.args);
    }));
}

}  // namespace zt40::ui
