// A bare Qt Widgets program: one 800 x 600 window; prints "shown" and ends at once when the
// window is on the screen (probes::FirstFrame).
#include "first_frame.h"

#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget w;
    w.resize(800, 600);
    const probes::FirstFrame frame([&w](QWidget* shown) { return shown == &w; }, [](QWidget*) {
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
        _exit(0);
    });
    w.show();
    return app.exec();
}
