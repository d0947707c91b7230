#include "platform/vb_units.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtMath>

namespace vb {
namespace {

double overrideX = 0, overrideY = 0;
int screenOverrideW = 0, screenOverrideH = 0;

double dpi(bool horizontal)
{
    const QScreen* s = QGuiApplication::primaryScreen();
    const double d = s ? (horizontal ? s->logicalDotsPerInchX() : s->logicalDotsPerInchY()) : 96.0;
    return d > 0 ? d : 96.0;
}

} // namespace

double twipsPerPixelX() { return overrideX > 0 ? overrideX : 1440.0 / dpi(true); }
double twipsPerPixelY() { return overrideY > 0 ? overrideY : 1440.0 / dpi(false); }

void setTwipsPerPixelOverride(double x, double y)
{
    overrideX = x;
    overrideY = y;
}

namespace {

QSize screenPx()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    const QSize real = s ? s->availableGeometry().size() : QSize(1024, 768);
    return {screenOverrideW > 0 ? screenOverrideW : real.width(), screenOverrideH > 0 ? screenOverrideH : real.height()};
}

} // namespace

int screenWidthTw() { return qRound(screenPx().width() * twipsPerPixelX()); }
int screenHeightTw() { return qRound(screenPx().height() * twipsPerPixelY()); }

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
