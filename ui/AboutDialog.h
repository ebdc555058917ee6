#pragma once
// The About box: the program's icon, name and version, and the publisher's notice.
#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace zt40::ui {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

private:
    QLabel m_icon{this};
    QLabel m_version{this};
    QLabel m_notice{this};
    QPushButton m_ok{this};
};

}  // namespace zt40::ui
