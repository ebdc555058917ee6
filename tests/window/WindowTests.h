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

template <typename T>
struct RegisterWindowTest {
    RegisterWindowTest() {
        RegisteredWindowTests().push_back([] { return std::unique_ptr<QObject>(std::make_unique<T>()); });
    }
};

}  // namespace zt40::testing

#define ZT40_WINDOW_TEST(Class) static const ::zt40::testing::RegisterWindowTest<Class> register##Class
