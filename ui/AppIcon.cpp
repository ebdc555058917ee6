#include "ui/AppIcon.h"

namespace zt40::ui {

QIcon AppIcon() { return QIcon(QStringLiteral(":/icons/zt40util.svg")); }

}  // namespace zt40::ui
