#include "platform/vb_menu.h"

#include "platform/vb_form.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <algorithm>

namespace vb {

Menu::Menu(Form* form, const QString& caption) : QObject(form), form_(form), action_(new QAction(this)), caption_(caption)
{
    applyAction();
}

Menu::Menu(Menu* parent, const QString& caption)
    : QObject(parent), form_(parent ? parent->form_ : nullptr), parent_(parent), action_(new QAction(this)), caption_(caption)
{
    applyAction();
    if (parent_)
        parent_->insertItem(this, parent_->items_.empty() ? nullptr : parent_->items_.back());
}

Menu::~Menu()
{
    // The items go with this menu (they are its QObject children) and must not reach back into
    // it while it is being torn down.
    for (Menu* item : items_)
        item->parent_ = nullptr;
    if (parent_)
        parent_->removeItem(this);
    delete menu_.data();
}

// A menu's widget is made when it is first shown: a window's menus laid out beforehand would
// load the fonts of their captions and keep their widgets for nothing.
QMenu* Menu::menu()
{
    if (!menu_) {
        menu_ = new QMenu(form_);
        for (Menu* item : items_) {
            if (!item->items_.empty())
                item->menu();
            menu_->addAction(item->action_);
        }
        action_->setMenu(menu_);
    }
    return menu_;
}

void Menu::insertItem(Menu* item, Menu* after)
{
    auto pos = std::find(items_.begin(), items_.end(), after);
    pos = pos == items_.end() ? items_.end() : std::next(pos);
    QAction* before = pos == items_.end() ? nullptr : (*pos)->action_;
    items_.insert(pos, item);
    if (menu_)
        menu_->insertAction(before, item->action_);
    else if (parent_ && parent_->menu_)
        menu(); // a submenu now, inside a menu made already
}

void Menu::removeItem(Menu* item)
{
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    if (menu_)
        menu_->removeAction(item->action_);
}

void Menu::applyAction()
{
    // A separator is a line only: the styles draw a separator's text as a heading beside it.
    const bool separator = caption_ == QLatin1String("-");
    action_->setText(separator ? QString() : caption_);
    action_->setSeparator(separator);
    action_->setVisible(visible_);
    action_->setEnabled(enabled_);
    action_->setCheckable(checked_);
    action_->setChecked(checked_);
}

void Menu::setCaption(const QString& caption)
{
    caption_ = caption;
    applyAction();
}

void Menu::setVisible(bool on)
{
    visible_ = on;
    applyAction();
}

void Menu::setEnabled(bool on)
{
    enabled_ = on;
    applyAction();
}

void Menu::setChecked(bool on)
{
    checked_ = on;
    applyAction();
}

Menu* Menu::cloneAfter(Menu* after) const
{
    auto* m = new Menu(static_cast<Menu*>(nullptr), caption_);
    m->form_ = form_;
    m->enabled_ = enabled_;
    m->checked_ = checked_;
    m->visible_ = false;
    m->applyAction();
    if (parent_) {
        m->setParent(parent_);
        m->parent_ = parent_;
        parent_->insertItem(m, after);
    } else if (form_) {
        m->setParent(form_);
    }
    return m;
}

bool Menu::raiseClick()
{
    if (!Click)
        return true;
    QPointer<Menu> self(this);
    const auto handler = Click;
    handler();
    return !self.isNull();
}

Menu* menuOfAction(QAction* action) { return action ? qobject_cast<Menu*>(action->parent()) : nullptr; }

} // namespace vb
