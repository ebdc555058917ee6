// Saves the whole X screen as a PNG, for the operator walk-throughs' pictures: a client of
// its own on the display, so the program under test is only looked at, never called.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: zt40_xshot FILE.png\n", stderr);
        return 2;
    }
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || !screen->grabWindow(0).save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "zt40_xshot: cannot grab the screen into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
