#pragma once
// The Qt windows' tests are Qt Test classes, several to a program: each registers itself and
// main runs them all in one QApplication, offscreen.
#include <QObject>

#include <functional>
#include <memory>
#include <vector>

namespace zt40::testing {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

std::vector<TestFactory>& RegisteredWindowTests();

// The Japanese edition for one scope; English again afterwards, even when a check failed.
class JapaneseEdition {
public:
    JapaneseEdition();
    ~JapaneseEdition();
    JapaneseEdition(const JapaneseEdition&) = delete;
    JapaneseEdition& operator=(const JapaneseEdition&) = delete;
};

template <typename T>
struct RegisterWindowTest {
    RegisterWindowTest() {
        RegisteredWindowTests().push_back([] { return std::unique_ptr<QObject>(std::make_unique<T>()); });
    }
};

}  // namespace zt40::testing

#define ZT40_WINDOW_TEST(Class) static const ::zt40::testing::RegisterWindowTest<Class> register##Class
