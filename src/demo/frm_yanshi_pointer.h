#pragma once
// The player of the demonstration window: the drawn pointer and its timers. It aims the pointer
// at each step's target, moves it tick by tick, clicks with a ring, types, drags, opens the
// menus and the drawn context menus, and ends each step. Files: frm_yanshi_pointer.cpp (aim,
// travel, arrival, typing, drag, pause, ring, step advance), frm_yanshi_context.cpp (the drawn
// context menu and submenu and the travel to their rows).

#include "demo/demo_player.h"
#include "platform/vb_array.h"
#include "platform/vb_controls.h"

#include <QSize>

class FrmYanShi;
struct YanShiState;

namespace demo {
struct ContextCode;
}

class YanShiPointer : public DemoPlayer {
public:
    explicit YanShiPointer(FrmYanShi& window);

    void doNext() override;
    void GoStep(const QString& code) override;
    void MuBiaoWei() override;
    void aim(int x, int y, platform::Timer& travel) override;
    // The pointer jumps onto its target and the arrival of the travel (or pause) under way runs.
    void arrive() override;

    // The drawn arrow (outline and fill) and the range-drag cursor picture.
    vb::ControlArray<vb::Line> LPoint; // 0-7
    vb::ControlArray<vb::Line> LPoinB; // 0-5
    vb::Image* ImgICO = nullptr;

    // Redraws the arrow at the pointer and keeps the window on top.
    void pointMove();

    // The timers' ticks.
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void Timer5_Timer();
    void Timer6_Timer();
    void Timer7_Timer();
    void TimerRM_Timer();
    void TimerRS_Timer();

    // The drawn context menu at the pointer, and the submenu that its travel opens.
    void RightKeyMenu();
    void RightKeySub();

private:
    QString code() const;
    // One travel tick: the move and the redraw; true when the pointer has arrived.
    bool travelTick();
    // The ring around the pointer, blinking.
    void placeRing();
    // The arrivals.
    void arrival2();
    void arrival3();
    // The pointer moves by (dx, dy) and the dragged picture with it.
    void carryPicture(int dx, int dy);
    void arrival6();
    void arrival7();
    void arrivalRM();
    void arrivalRS();
    void setUpTyping();
    void secondLegTo(QPoint target);
    QSize labelSize(const QString& caption);

    FrmYanShi& w_;
    YanShiState& st_;
    // The pointer is on its way to the step's final point (the mark the step set-up clears).
    bool secondLeg_ = false;
    vb::Label* measure_ = nullptr;
};
