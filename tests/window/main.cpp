#include <QApplication>
#include <QTest>

#include "window/WindowTests.h"

namespace zt40::testing {

std::vector<TestFactory>& RegisteredWindowTests() {
    static std::vector<TestFactory> tests;
    return tests;
}

}  // namespace zt40::testing

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zt40util"));
    int failed = 0;
    for (const auto& make : zt40::testing::RegisteredWindowTests()) {
        const auto test = make();
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
