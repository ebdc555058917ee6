// The editions: every area's .ts pair complete and consistent, and the locale picking them.
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QXmlStreamReader>

#include "platform/Text.h"
#include "support/BuildTree.h"
#include "ui/Translations.h"
#include "tests/ui/window/WindowTests.h"

namespace zt40::testing {
namespace {

struct TsMessage {
    QString context;
    QString source;
    QString translation;
    bool unfinished = false;
    bool obsolete = false;
};

QList<TsMessage> ReadTs(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QList<TsMessage> messages;
    QXmlStreamReader xml(&file);
    QString context;
    TsMessage current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("name")) context = xml.readElementText();
        if (xml.name() == QLatin1String("message")) current = TsMessage{context, {}, {}, false, false};
        if (xml.name() == QLatin1String("source")) current.source = xml.readElementText();
        if (xml.name() == QLatin1String("translation")) {
            const auto type = xml.attributes().value(QLatin1String("type"));
            current.unfinished = type == QLatin1String("unfinished");
            current.obsolete = type == QLatin1String("vanished") || type == QLatin1String("obsolete");
            current.translation = xml.readElementText();
            messages << current;
        }
    }
    return messages;
}

QSet<QString> Placeholders(const QString& text) {
    QSet<QString> found;
    static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
    for (const auto& match : placeholder.globalMatch(text)) found << match.captured();
    return found;
}

QString TsFolder() { return QStringLiteral(ZT40_SOURCE_DIR "/res/i18n"); }

class TranslationsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ui::InstallEdition(*QCoreApplication::instance(), QLocale(QLocale::English)); }

    void everyAreaHasBothEditions() {
        const QStringList files = QDir(TsFolder()).entryList({QStringLiteral("*.ts")});
        QVERIFY(!files.isEmpty());
        for (const QString& file : files) {
            const QString area = file.section(QLatin1Char('_'), 0, -2);
            QVERIFY2(files.contains(area + QStringLiteral("_en.ts")), qPrintable(file));
            QVERIFY2(files.contains(area + QStringLiteral("_ja.ts")), qPrintable(file));
        }
    }

    void everyEntryFinished_data() {
        QTest::addColumn<QString>("file");
        for (const QString& file : QDir(TsFolder()).entryList({QStringLiteral("*.ts")}))
            QTest::newRow(qPrintable(file)) << file;
    }
    // A text left unfinished is dropped by lrelease and shows in English in the Japanese
    // edition; a lost placeholder drops the queue name or count from the sentence.
    void everyEntryFinished() {
        QFETCH(QString, file);
        const auto messages = ReadTs(TsFolder() + QLatin1Char('/') + file);
        QVERIFY(!messages.isEmpty());
        for (const auto& message : messages) {
            const QByteArray where = (file + QLatin1Char(' ') + message.context + QStringLiteral(": ") + message.source).toUtf8();
            QVERIFY2(!message.unfinished, where.constData());
            QVERIFY2(!message.obsolete, where.constData());
            QVERIFY2(!message.translation.isEmpty(), where.constData());
            QVERIFY2(Placeholders(message.source) == Placeholders(message.translation), where.constData());
        }
    }

    void theEnglishEditionIsTheSourceText() {
        for (const auto& message : ReadTs(TsFolder() + QStringLiteral("/main_en.ts")))
            QCOMPARE(message.translation, message.source);
    }

    void localePicksTheEdition_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("language");
        QTest::newRow("ja_JP") << "ja_JP" << "ja";
        QTest::newRow("ja alone") << "ja" << "ja";
        QTest::newRow("en_US") << "en_US" << "en";
        QTest::newRow("de_DE falls back to English") << "de_DE" << "en";
        QTest::newRow("C") << "C" << "en";
    }
    void localePicksTheEdition() {
        QFETCH(QString, locale);
        QFETCH(QString, language);
        QCOMPARE(ui::EditionLanguage(QLocale(locale)), language);
    }

    void japaneseEditionTranslatesOursAndQtsTexts() {
        const JapaneseEdition japanese;
        const auto edition = ui::InstallEdition(*QCoreApplication::instance(), QLocale(QStringLiteral("ja_JP")));
        QCOMPARE(edition.language, QStringLiteral("ja"));
        QVERIFY(edition.loadedAreas.contains(QStringLiteral("main")));
        QVERIFY(edition.qtStandardTexts);
        QCOMPARE(ui::Translate(ZT40_TR("CAboutDlg", "About")), QStringLiteral("バージョン情報"));
        // Arguments go into the translated pattern, wherever the translation puts them.
        QCOMPARE(ui::Render(Message::Of(ZT40_TR("SimulatorWindow", "Queue \"%1\""), {"ZT-40"})),
                 QStringLiteral("キュー「ZT-40」"));
        QMessageBox box(QMessageBox::NoIcon, {}, {}, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
    }

    void englishEditionReplacesAnEarlierJapaneseOne() {
        ui::InstallEdition(*QCoreApplication::instance(), QLocale(QStringLiteral("ja_JP")));
        const auto edition = ui::InstallEdition(*QCoreApplication::instance(), QLocale(QStringLiteral("en_GB")));
        QCOMPARE(edition.language, QStringLiteral("en"));
        QVERIFY(!edition.qtStandardTexts);
        QCOMPARE(ui::Translate(ZT40_TR("CAboutDlg", "About")), QStringLiteral("About"));
    }

    void renderFillsArgumentsAndKeepsVerbatimTexts_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("shown");
        QTest::newRow("two in order") << "%1 of %2" << QStringList{"3", "9"} << "3 of 9";
        QTest::newRow("reversed") << "%2 before %1" << QStringList{"a", "b"} << "b before a";
        QTest::newRow("missing argument stays") << "%1 and %3" << QStringList{"x"} << "x and %3";
        QTest::newRow("argument holding a placeholder is not expanded again")
            << "%1 %2" << QStringList{"%2", "y"} << "%2 y";
        QTest::newRow("percent at the end") << "100%" << QStringList{} << "100%";
        QTest::newRow("multibyte argument") << "[%1]" << QStringList{"ピン"} << "[ピン]";
    }
    void renderFillsArgumentsAndKeepsVerbatimTexts() {
        QFETCH(QString, pattern);
        QFETCH(QStringList, args);
        QFETCH(QString, shown);
        const QByteArray source = pattern.toUtf8();
        std::vector<std::string> values;
        for (const auto& arg : args) values.push_back(arg.toStdString());
        const auto message = Message::Of(Text{"NoSuchContext", source.constData()}, values);
        QCOMPARE(ui::Render(message), shown);
        // The English edition must agree with the command line's substitution.
        QCOMPARE(QString::fromStdString(message.English()), shown);
        QCOMPARE(ui::Render(Message::Verbatim("Gerät belegt %1")), QStringLiteral("Gerät belegt %1"));
    }
};

ZT40_WINDOW_TEST(TranslationsTest);

}  // namespace
}  // namespace zt40::testing

#include "TranslationsTest.moc"
