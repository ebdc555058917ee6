#pragma once
// Line drawings of each wizard step, painted at any size in place of photographs.
#include <QWidget>

#include "wizards/WizardPicture.h"

namespace zt40::ui {

class WizardPictureWidget : public QWidget {
public:
    explicit WizardPictureWidget(WizardPicture picture, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    WizardPicture m_picture;
};

}  // namespace zt40::ui
