#pragma once
// Plain message boxes captioned with the application name.
#include <string_view>

namespace zt40 {

enum class MbButtons { Ok, OkCancel };
enum class MbIcon { None, Information, Warning, Error };
enum class MbResult { Ok, Cancel };

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual MbResult Show(std::string_view text, MbButtons buttons, MbIcon icon) = 0;
};

}  // namespace zt40
