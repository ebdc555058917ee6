#include <QApplication>
#include <QTest>

#include "ui/Translations.h"
#include "tests/ui/window/WindowTests.h"

namespace zt40::testing {

std::vector<TestFactory>& RegisteredWindowTests() {
    static std::vector<TestFactory> tests;
    return tests;
}

JapaneseEdition::JapaneseEdition() {
    ui::InstallEdition(*QCoreApplication::instance(), QLocale(QStringLiteral("ja_JP")));
}

JapaneseEdition::~JapaneseEdition() {
    ui::InstallEdition(*QCoreApplication::instance(), QLocale(QLocale::English));
}

}  // namespace zt40::testing

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zt40util"));
    // Whatever the machine's locale, the tests start in the English edition.
    zt40::ui::InstallEdition(app, QLocale(QLocale::English));
    int failed = 0;
    for (const auto& make : zt40::testing::RegisteredWindowTests()) {
        const auto test = make();
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
