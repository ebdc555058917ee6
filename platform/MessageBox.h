#pragma once
// Plain message boxes captioned with the application name. The text is a marked source
// text, translated by the window; the command line prints its English.
#include "platform/Text.h"

namespace zt40 {

enum class MbButtons { Ok, OkCancel, RetryCancel, YesNo };
enum class MbIcon { None, Information, Warning, Error };
enum class MbResult { Ok, Cancel, Retry, Yes, No };

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual MbResult Show(const Message& message, MbButtons buttons, MbIcon icon) = 0;
};

}  // namespace zt40
