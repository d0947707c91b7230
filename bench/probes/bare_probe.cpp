// A bare Qt Widgets program: one 800 x 600 window; prints "shown" and ends at once when the
// window first paints.
#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <unistd.h>

namespace {
class Window : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
        _exit(0);
    }
};
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Window w;
    w.resize(800, 600);
    w.show();
    return app.exec();
}
