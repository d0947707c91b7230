#pragma once
// Menus: a form's top-level menus (the program shows them only as pop-ups) and their items,
// which may hold items of their own (a submenu). A caption of "-" makes a separator.
//     wm100 = new vb::Menu(this);                 // a top-level menu of the form
//     sMivoMain1 = new vb::Menu(wm100, "...");    // an item (a submenu once it holds items)
// Items are owned by their parent menu, top-level menus by their form.

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class QAction;

namespace vb {

class Form;

class Menu : public QObject {
    Q_OBJECT
public:
    // A top-level menu of a form.
    explicit Menu(Form* form, const QString& caption = {});
    // An item of a menu; with a null parent a detached item that nothing shows.
    explicit Menu(Menu* parent, const QString& caption = {});
    ~Menu() override;
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    bool Visible() const { return visible_; }
    void setVisible(bool on);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool on);
    bool Checked() const { return checked_; }
    void setChecked(bool on);
    int Index() const { return index_; }
    Menu* Parent() const { return parent_; }
    const std::vector<Menu*>& Items() const { return items_; }

    // A new item of the same caption and state right after this one in the same parent, hidden
    // (a menu array's Load).
    Menu* cloneAfter(Menu* after) const;

    // The chosen-item event.
    std::function<void()> Click;
    // Raises Click (the toolkit, when the item has been chosen); false when the item is gone.
    bool raiseClick();

    // The Qt objects: the item's action in its parent, and its submenu (built on demand).
    QAction* action() const { return action_; }
    QMenu* menu();

private:
    void insertItem(Menu* item, Menu* after);
    void removeItem(Menu* item);
    void applyAction();
    template <class> friend class ControlArray;
    Form* form_ = nullptr;
    Menu* parent_ = nullptr;
    QAction* action_;
    QPointer<QMenu> menu_;
    std::vector<Menu*> items_;
    QString caption_;
    bool visible_ = true, enabled_ = true, checked_ = false;
    int index_ = -1;
};

// The item that a QAction of a menu stands for.
Menu* menuOfAction(QAction* action);

} // namespace vb
