// The simulated context menus: the pop-up built from a block of the context-menu file, and the
// choice of one of its entries.

#include "simwindow/frm_main.h"

#include "platform/files.h"
#include "session_state/session_state.h"
#include "simmenus/menu_rules.h"
#include "simwindow/step_record.h"

#include <array>

void FrmMain::wirePopupHandlers()
{
    sMivoSub1.Click = [this](int i) { sMivoSub1_Click(i); };
    sMivoInde1.Click = [this](int i) { sMivoInde1_Click(i); };
    sMivoSub2.Click = [this](int i) { sMivoSub2_Click(i); };
    sMivoInde2.Click = [this](int i) { sMivoInde2_Click(i); };
    sMivoSub3.Click = [this](int i) { sMivoSub3_Click(i); };
    sMivoInde3.Click = [this](int i) { sMivoInde3_Click(i); };
    sMivoSub4.Click = [this](int i) { sMivoSub4_Click(i); };
    sMivoSub5.Click = [this](int i) { sMivoSub5_Click(i); };
    sMivoInde4.Click = [this](int i) { sMivoInde4_Click(i); };
}

void FrmMain::systemMenu()
{
    // The pop-up's entries by group position 1-9 (the tens digit of a context-menu code).
    const std::array<vb::ControlArray<vb::Menu>*, 9> groups{&sMivoSub1, &sMivoInde1, &sMivoSub2,
                                                            &sMivoInde2, &sMivoSub3, &sMivoInde3,
                                                            &sMivoSub4, &sMivoSub5, &sMivoInde4};
    const std::array<vb::Menu*, 9> submenus{sMivoMain1, nullptr, sMivoMain2, nullptr, sMivoMain3,
                                            nullptr, sMivoMain4, sMivoMain5, nullptr};
    popupBuilt_ = false;
    // Every member goes, the first one too: an absent group must not show an earlier pop-up's
    // item or the design caption.
    for (auto* items : groups)
        for (const int i : items->indices())
            (*items)(i).setVisible(false);
    for (vb::Menu* m : submenus)
        if (m)
            m->setVisible(false);

    ExpectedCode = simmenus::contextCode(currentRecord());
    // Without the context-menu file there is nothing to show, and the step stays as it is.
    const auto lines = platform::readLines(platform::resolvePath(installPath(u"sMenu.sys")));
    if (!lines)
        return;
    const QStringList block = simmenus::contextBlock(*lines, simmenus::contextBlockStart(ExpectedCode, MenuContext));
    for (const simmenus::PopupGroup& g : simmenus::contextPopup(block)) {
        if (!g.present)
            continue;
        const auto at = static_cast<std::size_t>(g.position - 1);
        if (vb::Menu* sub = submenus[at]) {
            sub->setVisible(true);
            sub->setCaption(g.caption);
        }
        vb::ControlArray<vb::Menu>& items = *groups[at];
        for (int i = 0; i < g.items.size(); ++i) {
            items(i).setCaption(g.items[i]);
            items(i).setVisible(true);
        }
    }
    popupBuilt_ = true;
}

void FrmMain::popUpContextMenu()
{
    systemMenu();
    if (popupBuilt_)
        PopupMenu(*wm100);
}

void FrmMain::contextChoice(int position, int index)
{
    ExpectedCode = simmenus::contextCode(currentRecord());
    if (simmenus::contextChoiceMatches(ExpectedCode, MenuContext, position, index))
        doNext();
}

void FrmMain::sMivoSub1_Click(int index) { contextChoice(1, index); }
void FrmMain::sMivoInde1_Click(int index) { contextChoice(2, index); }
void FrmMain::sMivoSub2_Click(int index) { contextChoice(3, index); }
void FrmMain::sMivoInde2_Click(int index) { contextChoice(4, index); }
void FrmMain::sMivoSub3_Click(int index) { contextChoice(5, index); }
void FrmMain::sMivoInde3_Click(int index) { contextChoice(6, index); }
void FrmMain::sMivoSub4_Click(int index) { contextChoice(7, index); }
void FrmMain::sMivoSub5_Click(int index) { contextChoice(8, index); }
void FrmMain::sMivoInde4_Click(int index) { contextChoice(9, index); }
