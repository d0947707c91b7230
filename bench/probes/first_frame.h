#pragma once
// The moment a probe's window is on the screen: mapped, with its first frame drawn.
//
// On X the map is watched for on a connection of the probe's own, on a thread of its own, so
// that it is seen when the window system maps the window, not when the program's busy thread
// next reads its events. A window whose first frame was drawn and sent before its map (a window
// may paint while it is still being made) is shown at its map. Otherwise, and without a window
// system, the window is shown once the expose that follows its map has been handled: that draws
// the first frame and sends it. Every probe is timed the same way.
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <thread>
#ifdef PROBES_XCB
#include <xcb/xcb.h>
#endif

namespace probes {

class FirstFrame : public QObject {
public:
    // `shown` runs once when the window of a top-level widget that `wanted` accepts is shown, on
    // the thread that saw it (what it does with windows it must hand to the main thread).
    FirstFrame(std::function<bool(QWidget*)> wanted, std::function<void(QWidget*)> shown)
        : wanted_(std::move(wanted)), shown_(std::move(shown))
    {
        qApp->installEventFilter(this);
        watchMaps();
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (done_)
            return false;
        if (e->type() == QEvent::Paint && o->isWidgetType()) {
            QWidget* window = static_cast<QWidget*>(o)->window();
            if (!painted_ && wanted_(window)) {
                painted_ = window;
                paintedId_ = window->internalWinId();
            }
        } else if (e->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(o);
            for (QWidget* w : QApplication::topLevelWidgets())
                if (window && window->isExposed() && w->windowHandle() == window && wanted_(w))
                    show(); // once this expose, and the frame it draws, is done
        }
        return false;
    }

private:
    void show()
    {
        if (done_.exchange(true))
            return;
        QTimer::singleShot(0, this, [this] { shown_(painted_); });
    }

    void watchMaps()
    {
#ifdef PROBES_XCB
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            return;
        xcb_connection_t* c = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(c)) {
            xcb_disconnect(c);
            return;
        }
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_request_check(c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask));
        // Lives until the probe ends (with _exit).
        std::thread([this, c] {
            while (xcb_generic_event_t* event = xcb_wait_for_event(c)) {
                const bool ours = (event->response_type & 0x7F) == XCB_MAP_NOTIFY && paintedId_ != 0
                    && reinterpret_cast<xcb_map_notify_event_t*>(event)->window == paintedId_;
                free(event);
                if (ours) {
                    if (!done_.exchange(true))
                        shown_(painted_);
                    return;
                }
            }
        }).detach();
#endif
    }

    std::function<bool(QWidget*)> wanted_;
    std::function<void(QWidget*)> shown_;
    QPointer<QWidget> painted_; // the wanted window that painted first
    std::atomic<WId> paintedId_{0};
    std::atomic<bool> done_{false};
};

} // namespace probes
