#pragma once
#include <QIcon>

namespace zt40::ui {

// The program's icon, drawn as a scalable picture and carried in the resources.
QIcon AppIcon();

}  // namespace zt40::ui
