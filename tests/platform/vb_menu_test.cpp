// Menus as a candidate sees them: an item captioned "-" is drawn as the toolkit's own separator
// line, with no text beside it, and still answers to its caption.

#include "support/events.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QMenu>

namespace {

class WithSeparator : public vb::Form {
public:
    vb::Menu* popup = new vb::Menu(this, QStringLiteral("popup"));
    vb::Menu* separator = nullptr;
    WithSeparator()
    {
        new vb::Menu(popup, QStringLiteral("剪切(T)"));
        separator = new vb::Menu(popup, QStringLiteral("-"));
        new vb::Menu(popup, QStringLiteral("粘贴(P)"));
    }
};

TEST(Menus, AnItemCaptionedDashIsASeparatorLineOnly)
{
    auto& f = vb::Forms::get<WithSeparator>();
    EXPECT_EQ(f.separator->Caption(), QStringLiteral("-"));
    QMenu* shown = f.popup->menu();
    ASSERT_EQ(shown->actions().size(), 3);
    EXPECT_TRUE(shown->actions()[1]->isSeparator());

    // Drawn exactly as the same menu made with the toolkit's own separator.
    QMenu plain;
    plain.setFont(shown->font());
    plain.addAction(QStringLiteral("剪切(T)"));
    plain.addSeparator();
    plain.addAction(QStringLiteral("粘贴(P)"));
    shown->adjustSize();
    plain.adjustSize();
    ASSERT_EQ(shown->size(), plain.size());
    EXPECT_EQ(shown->grab().toImage(), plain.grab().toImage());

    // Given a caption again, the item is an ordinary entry with its text.
    f.separator->setCaption(QStringLiteral("复制(C)"));
    EXPECT_FALSE(shown->actions()[1]->isSeparator());
    EXPECT_EQ(shown->actions()[1]->text(), QStringLiteral("复制(C)"));
    vb::Forms::unloadAll();
}

} // namespace
