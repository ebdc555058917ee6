#pragma once
// A window placed beside its owner and clear of the other windows on show, before it is shown.
#include <QWidget>

namespace zt40::ui {

// Moves `window` beside `owner` on the owner's screen, covering as little of the windows on
// show as the screen allows; false, leaving it where the window system would put it, when it
// is larger than the screen. The frame `window` will get is taken to be the owner's: before
// its first show it has none yet.
bool MoveBeside(QWidget& window, const QWidget& owner);

}  // namespace zt40::ui
