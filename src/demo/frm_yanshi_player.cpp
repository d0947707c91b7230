// The stand-in player: the step advance, the jump and the choice of the step's target as the
// window needs them, with a pointer that does not travel. The travel timers are switched on
// but their ticks do nothing; `arrive()` does what the pointer's arrival does. The animated
// player replaces it.

#include "demo/demo_player.h"
#include "demo/frm_yanshi.h"

#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "simwindow/jump_code.h"
#include "simwindow/step_record.h"

#include <cmath>
#include <cstdlib>

namespace {

int roundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

class StandInPlayer : public DemoPlayer {
public:
    explicit StandInPlayer(FrmYanShi& w) : w_(w) {}

    void doNext() override
    {
        if (!S().DemoRunning)
            return;
        for (platform::Timer* t : {w_.Timer1, w_.Timer2, w_.Timer3, w_.Timer4, w_.Timer5, w_.Timer6, w_.Timer7})
            t->setEnabled(false);
        if (codes::field(S().StepRecord, 8, 4) == u"9999") {
            w_.Shape5->Move(-500, -500);
            w_.st.PtX = -500;
            w_.st.PtY = -500;
            w_.TimEnd->setEnabled(true);
            return;
        }
        ++w_.st.StepNo;
        w_.setData();
    }

    void GoStep(const QString& code) override
    {
        const std::optional<int> offset = simwindow::jumpOffset(code);
        if (!offset)
            return;
        w_.st.StepNo += *offset;
        w_.setData();
    }

    void MuBiaoWei() override
    {
        if (!S().DemoRunning)
            return;
        YanShiState& st = w_.st;
        const simwindow::StepRecord rec = simwindow::StepRecord::fromLine(S().StepRecord);
        const QString code = rec.OperationCode;
        if (code == u"8888" || code.startsWith(u'6')) {
            st.TickCount = 0;
            w_.Timer4->setEnabled(true);
            return;
        }
        vb::Control* target = w_.Label1;
        if (code == u"7000" && w_.LblZHU.exists(st.ZhuNo)) {
            target = &w_.LblZHU(st.ZhuNo);
            w_.Shape1->Move(target->Left(), target->Top(), target->Width(), target->Height());
            w_.Shape1->setVisible(true);
        } else if (rec.isDialogTab() && codes::field(rec.TabSpec, 3, 1) != codes::field(rec.TabSpec, 4, 1) &&
                   w_.LblXXK.exists(st.ExpectedTab)) {
            target = &w_.LblXXK(st.ExpectedTab);
        }
        aim(centreOf(*target).x(), centreOf(*target).y(), *w_.Timer2);
    }

    void aim(int x, int y, platform::Timer& travel) override
    {
        YanShiState& st = w_.st;
        st.TargetX = x;
        st.TargetY = y;
        const double dx = st.TargetX - st.PtX;
        const double dy = st.TargetY - st.PtY;
        st.PtSpeed = std::sqrt(dx * dx + dy * dy) / 15;
        if (std::abs(dx) > std::abs(dy)) {
            st.StepX = roundEven(st.PtSpeed);
            st.StepY = roundEven(std::abs(dy) * st.PtSpeed / std::abs(dx));
        } else {
            st.StepX = dy == 0 ? 0 : roundEven(std::abs(dx) * st.PtSpeed / std::abs(dy));
            st.StepY = roundEven(st.PtSpeed);
        }
        if (dx < 0)
            st.StepX = -st.StepX;
        if (dy < 0)
            st.StepY = -st.StepY;
        travel.setEnabled(true);
    }

    void arrive() override
    {
        YanShiState& st = w_.st;
        if (!S().DemoRunning)
            return;
        const bool travelling = w_.Timer2->Enabled() || w_.Timer6->Enabled() || w_.Timer7->Enabled();
        if (travelling) {
            st.PtX = st.TargetX;
            st.PtY = st.TargetY;
        }
        if (w_.Timer7->Enabled()) {
            w_.Timer7->setEnabled(false);
            w_.Demo2JClick(st.Item2J);
        } else if (w_.Timer6->Enabled()) {
            w_.Timer6->setEnabled(false);
            w_.Demo1JClick(st.Item1J);
        } else if (w_.Timer2->Enabled()) {
            w_.Timer2->setEnabled(false);
            if (codes::field(S().StepRecord, 8, 4) == u"7000")
                w_.DemoZhuClick(st.ZhuNo);
            else
                doNext();
        } else if (w_.Timer4->Enabled()) {
            doNext();
        }
    }

private:
    FrmYanShi& w_;
};

} // namespace

std::unique_ptr<DemoPlayer> makeStandInPlayer(FrmYanShi& window) { return std::make_unique<StandInPlayer>(window); }
