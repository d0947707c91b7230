// The bare Qt Widgets window of bare_probe.cpp with one label in 宋体 (or the Song face that
// stands in for it, as the program chooses it): the floor for a program whose every window
// draws 宋体, since loading that face is a large share of any such start.
//
// Without arguments it prints "shown" and ends at once when the window is on the screen
// (probes::FirstFrame), the label's text drawn in it; with "rss" it prints "rss <kB>" (its
// resident memory) one second after that and ends.
#include "first_frame.h"
#include "resident.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const bool rss = argc > 1 && qstrcmp(argv[1], "rss") == 0;
    const QString song = QStringLiteral("宋体");
    QFont::insertSubstitutions(song, {QStringLiteral("SimSun"), QStringLiteral("NSimSun"), QStringLiteral("AR PL UMing CN"),
                                      QStringLiteral("AR PL UMing")});
    QWidget w;
    auto* label = new QLabel(QStringLiteral("正在启动考试练习系统，请稍候..."), &w);
    QFont font(song);
    font.setPointSizeF(11);
    label->setFont(font);
    auto* layout = new QVBoxLayout(&w);
    layout->addWidget(label, 0, Qt::AlignCenter);
    w.resize(800, 600);
    const probes::FirstFrame frame([&w](QWidget* shown) { return shown == &w; }, [rss](QWidget*) {
        if (!rss) {
            std::fputs("shown\n", stdout);
            std::fflush(stdout);
            _exit(0);
        }
        QMetaObject::invokeMethod(qApp, [] {
            QTimer::singleShot(1000, [] {
                std::printf("rss %ld\n", probes::residentKiB());
                std::fflush(stdout);
                _exit(0);
            });
        });
    });
    w.show();
    return app.exec();
}
