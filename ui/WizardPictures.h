#pragma once
// Line drawings of each wizard step, painted at any size in place of photographs.
#include <QWidget>

namespace zt40::ui {

enum class WizardPicture {
    MoveHead,       // the printer from the front, the head standing in the centre
    PowerOff,       // a hand pulling the adapter plug
    ReplaceHead,    // the head pulled out of the carriage
    HeadInstall,    // the new head pushed in, screwed down, capped
    PowerOn,        // the plug going in, the power button lit
    PowerButton,    // the lit power button held down
    Caution,        // the hot-surface warning sign
    Table,          // the square plate at the centre of the table
    Pattern,        // the plate with the expected pattern: blocks A-D, rows No.1-No.9
    PatternCloseUp, // a printed row with the block letter circled and the first digit boxed
    OriginMark,     // the plate with the origin cross
};

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
