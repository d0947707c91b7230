#pragma once
// Control arrays: like controls sharing one name and one set of handlers, addressed by index.
// Members made with the form are added with create() (each in its own container); members made
// at run time with Load(), which copies the lowest member's kind and properties, hidden, into
// the same container (a menu item right after the previous member of its parent menu).
//
// The array's events carry the index first:
//     LblZHU.MouseUp = [this](int i, int b, int s, double x, double y) { LblZHU_MouseUp(i, b, s, x, y); };
//
// A missing index never crashes: operator() then answers a detached stand-in that nothing
// shows and that raises nothing (the old program skipped such a statement as a failed one).

#include "platform/vb_control.h"
#include "platform/vb_menu.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <type_traits>
#include <vector>

namespace vb {

namespace detail {
// A hidden container that no form shows: the home of arrays' stand-ins.
vb::Container* limbo();
} // namespace detail

template <class T>
class ControlArray {
    static constexpr bool isMenu = std::is_base_of_v<Menu, T>;

public:
    ControlArray() = default;
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;
    ~ControlArray() { delete standIn_.data(); }

    // A member made with the form, in `parent` (a container, or the parent menu of a menu item).
    template <class P>
    T* create(int index, P parent)
    {
        if (exists(index))
            return members_[index];
        return adopt(index, new T(parent));
    }
    // Takes a member made elsewhere.
    T* adopt(int index, T* member)
    {
        member->index_ = index;
        members_[index] = member;
        wire(member);
        return member;
    }

    // The member at `index`; a detached stand-in when there is none.
    T& operator()(int index)
    {
        if (T* m = find(index))
            return *m;
        if (!standIn_) {
            if constexpr (isMenu)
                standIn_ = new T(static_cast<Menu*>(nullptr));
            else
                standIn_ = new T(detail::limbo());
        }
        return *standIn_;
    }
    bool exists(int index) const { return find(index) != nullptr; }

    // Creates member `index` at run time (nothing when it exists or the array is empty).
    T* Load(int index)
    {
        if (T* m = find(index))
            return m;
        T* source = lowest();
        if (!source)
            return nullptr;
        T* member = nullptr;
        if constexpr (isMenu) {
            T* previous = source;
            for (const auto& [i, m] : members_)
                if (i < index && m)
                    previous = m;
            member = static_cast<T*>(source->cloneAfter(previous));
        } else {
            member = static_cast<T*>(source->clone());
        }
        loaded_.push_back(index);
        return adopt(index, member);
    }
    // Removes a member made by Load (members made with the form stay, as they did).
    void Unload(int index)
    {
        const auto it = std::find(loaded_.begin(), loaded_.end(), index);
        T* m = find(index);
        if (it == loaded_.end() || !m)
            return;
        loaded_.erase(it);
        members_.erase(index);
        if constexpr (!isMenu)
            m->unloaded_ = true;
        m->setVisible(false);
        detail::deleteSoon(m);
    }

    int lbound() const
    {
        for (const auto& [i, m] : members_)
            if (m)
                return i;
        return 0;
    }
    int ubound() const
    {
        for (auto it = members_.rbegin(); it != members_.rend(); ++it)
            if (it->second)
                return it->first;
        return -1;
    }
    int count() const
    {
        int n = 0;
        for (const auto& [i, m] : members_)
            n += m ? 1 : 0;
        return n;
    }
    // The indices of the members, ascending.
    std::vector<int> indices() const
    {
        std::vector<int> v;
        for (const auto& [i, m] : members_)
            if (m)
                v.push_back(i);
        return v;
    }

    // Events, the index first.
    std::function<void(int index, int button, int shift, double x, double y)> MouseDown, MouseMove, MouseUp;
    std::function<void(int index)> Click, DblClick, GotFocus, LostFocus, Change;
    std::function<void(int index, int& keyCode, int shift)> KeyDown, KeyUp;
    std::function<void(int index, int& keyAscii)> KeyPress;

private:
    T* find(int index) const
    {
        const auto it = members_.find(index);
        return it == members_.end() ? nullptr : it->second.data();
    }
    T* lowest() const
    {
        for (const auto& [i, m] : members_)
            if (m)
                return m;
        return nullptr;
    }

    // Each member's events call the array's handler of the moment with the member's index.
    void wire(T* m)
    {
        const int i = m->Index();
        m->Click = [this, i] { if (auto h = Click) h(i); };
        if constexpr (!isMenu) {
            m->MouseDown = [this, i](int b, int s, double x, double y) { if (auto h = MouseDown) h(i, b, s, x, y); };
            m->MouseMove = [this, i](int b, int s, double x, double y) { if (auto h = MouseMove) h(i, b, s, x, y); };
            m->MouseUp = [this, i](int b, int s, double x, double y) { if (auto h = MouseUp) h(i, b, s, x, y); };
            m->DblClick = [this, i] { if (auto h = DblClick) h(i); };
            m->GotFocus = [this, i] { if (auto h = GotFocus) h(i); };
            m->LostFocus = [this, i] { if (auto h = LostFocus) h(i); };
            m->Change = [this, i] { if (auto h = Change) h(i); };
            m->KeyDown = [this, i](int& k, int s) { if (auto h = KeyDown) h(i, k, s); };
            m->KeyUp = [this, i](int& k, int s) { if (auto h = KeyUp) h(i, k, s); };
            m->KeyPress = [this, i](int& k) { if (auto h = KeyPress) h(i, k); };
        }
    }

    std::map<int, QPointer<T>> members_;
    std::vector<int> loaded_;
    QPointer<T> standIn_;
};

} // namespace vb
