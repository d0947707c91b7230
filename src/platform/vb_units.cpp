#include "platform/vb_units.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtMath>

namespace vb {
namespace {

double overrideX = 0, overrideY = 0;
int screenOverrideW = 0, screenOverrideH = 0;

double dpiX()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    const double dpi = s ? s->logicalDotsPerInchX() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

double dpiY()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    const double dpi = s ? s->logicalDotsPerInchY() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

} // namespace

double twipsPerPixelX() { return overrideX > 0 ? overrideX : 1440.0 / dpiX(); }
double twipsPerPixelY() { return overrideY > 0 ? overrideY : 1440.0 / dpiY(); }

void setTwipsPerPixelOverride(double x, double y)
{
    overrideX = x;
    overrideY = y;
}

int screenWidthTw()
{
    int w = screenOverrideW;
    if (w <= 0) {
        const QScreen* s = QGuiApplication::primaryScreen();
        w = s ? s->availableGeometry().width() : 1024;
    }
    return qRound(w * twipsPerPixelX());
}

int screenHeightTw()
{
    int h = screenOverrideH;
    if (h <= 0) {
        const QScreen* s = QGuiApplication::primaryScreen();
        h = s ? s->availableGeometry().height() : 768;
    }
    return qRound(h * twipsPerPixelY());
}

void setScreenSizeOverride(int wPx, int hPx)
{
    screenOverrideW = wPx;
    screenOverrideH = hPx;
}

int pxX(double twips) { return qRound(twips / twipsPerPixelX()); }
int pxY(double twips) { return qRound(twips / twipsPerPixelY()); }
double twX(double pixels) { return pixels * twipsPerPixelX(); }
double twY(double pixels) { return pixels * twipsPerPixelY(); }

} // namespace vb
