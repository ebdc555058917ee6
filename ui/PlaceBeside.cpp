#include "ui/PlaceBeside.h"

#include <QApplication>
#include <QLayout>
#include <QScreen>

#include <vector>

#include "app/WindowPlacement.h"

namespace zt40::ui {

namespace {

ScreenRect ToScreenRect(const QRect& rect) { return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1}; }

}  // namespace

bool MoveBeside(QWidget& window, const QWidget& owner) {
    if (!owner.isVisible() || owner.screen() == nullptr) return false;
    std::vector<ScreenRect> others;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        const bool shownWindow = (widget->windowType() == Qt::Window || widget->windowType() == Qt::Dialog) &&
                                 widget->isVisible();
        if (shownWindow && widget != &owner && widget != &window) others.push_back(ToScreenRect(widget->frameGeometry()));
    }
    // The size it will show with: a layout's minimum may still grow it.
    if (window.layout() != nullptr) window.layout()->activate();
    const QSize frame = owner.frameGeometry().size() - owner.geometry().size();
    const QSize size = window.size().expandedTo(window.minimumSizeHint()) + frame;
    const std::optional<ScreenRect> place = PlaceBeside(ToScreenRect(owner.frameGeometry()), size.width(),
                                                        size.height(), others,
                                                        ToScreenRect(owner.screen()->availableGeometry()));
    if (!place) return false;
    window.move(place->left, place->top);
    return true;
}

}  // namespace zt40::ui
