#pragma once
// The toolkit's widgets: Qt widgets whose events pass through their control first.
// Internal to the toolkit.

#include "platform/vb_control.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QPainter>
#include <QWidget>
#include <utility>

namespace vb::detail {

// A Qt widget that hands its events to its control.
template <class Base>
class Hosted : public Base, public HostLink {
public:
    template <class... Args>
    explicit Hosted(Args&&... args) : Base(std::forward<Args>(args)...)
    {
    }

protected:
    bool event(QEvent* e) override
    {
        if (!owner)
            return Base::event(e);
        return owner->handleEvent(this, this, e, &Hosted::callBase);
    }

private:
    static bool callBase(QWidget* self, QEvent* e) { return static_cast<Hosted*>(self)->Base::event(e); }
};

// A scroll area (text edit, list, browser) gets its mouse events on its viewport.
template <class Base>
class HostedArea : public Hosted<Base> {
public:
    using Hosted<Base>::Hosted;

protected:
    bool viewportEvent(QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            if (this->owner)
                return this->owner->handleEvent(this, this->viewport(), e, &HostedArea::callViewport);
            break;
        default:
            break;
        }
        return Base::viewportEvent(e);
    }

private:
    static bool callViewport(QWidget* self, QEvent* e) { return static_cast<HostedArea*>(self)->Base::viewportEvent(e); }
};

// A plain widget that its control draws.
class Canvas : public Hosted<QWidget> {
public:
    explicit Canvas(QWidget* parent) : Hosted<QWidget>(parent) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!owner)
            return;
        QPainter p(this);
        owner->paint(p);
    }
};

} // namespace vb::detail
