// The toolkit's floor for the window benchmarks: a Qt dialog with a label and a button and
// nothing else, which ends as soon as it has been shown and its event loop has run once.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QDialog dialog;
    QVBoxLayout layout(&dialog);
    QLabel label(QStringLiteral("Connect one ZT-40 unit and switch on the power."));
    QPushButton button(QStringLiteral("Refresh"));
    layout.addWidget(&label);
    layout.addWidget(&button);
    dialog.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
