#include "ui/AboutDialog.h"

#include "app/WindowTexts.h"
#include "platform/Text.h"
#include "ui/AppIcon.h"
#include "ui/DialogUnits.h"
#include "ui/Translations.h"

namespace zt40::ui {

namespace {

constexpr int kWidthUnits = 235;
constexpr int kHeightUnits = 55;
constexpr int kIconPixels = 32;

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("dialog100"));
    setWindowTitle(Translate(kAboutTitleText));
    const DialogUnits units = DialogUnits::FromFont(font());

    m_icon.setObjectName(QStringLiteral("aboutIcon"));
    m_icon.setPixmap(AppIcon().pixmap(kIconPixels, kIconPixels));
    m_icon.setGeometry(QRect(units.Map({11, 17, 0, 0}).topLeft(), QSize(kIconPixels, kIconPixels)));

    m_version.setObjectName(QStringLiteral("aboutVersion"));
    m_version.setText(Translate(kAboutVersionText));
    m_version.setGeometry(units.Map({40, 10, 130, 8}));

    m_notice.setObjectName(QStringLiteral("aboutNotice"));
    m_notice.setText(Translate(kAboutNoticeText));
    m_notice.setGeometry(units.Map({40, 25, 130, 20}));
    m_notice.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_notice.setWordWrap(true);

    m_ok.setObjectName(QStringLiteral("control1"));
    m_ok.setText(Translate(kAboutOkText));
    m_ok.setGeometry(units.Map({178, 7, 50, 14}));
    m_ok.setDefault(true);
    connect(&m_ok, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(units.Map(kWidthUnits, kHeightUnits));
}

}  // namespace zt40::ui
