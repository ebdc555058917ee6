// Saves the X screen, or one rectangle of it, as a PNG, for the operator walk-throughs'
// pictures: a client of its own on the display, so the program under test is only looked at,
// never called.
//
//   zt40_xshot FILE.png [X Y WIDTH HEIGHT]
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2 && argc != 6) {
        std::fputs("usage: zt40_xshot FILE.png [X Y WIDTH HEIGHT]\n", stderr);
        return 2;
    }
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    const bool part = argc == 6;
    const QPixmap picture = screen == nullptr ? QPixmap()
                            : part            ? screen->grabWindow(0, std::atoi(argv[2]), std::atoi(argv[3]),
                                                                   std::atoi(argv[4]), std::atoi(argv[5]))
                                              : screen->grabWindow(0);
    if (picture.isNull() || !picture.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "zt40_xshot: cannot grab the screen into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
