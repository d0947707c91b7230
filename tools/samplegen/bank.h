#pragma once
// The practice units of the sample: real spreadsheet tasks, each a run of step records over
// pictures of the simulated window that show the cells the task names. The units are written
// as scripts of candidate actions (bank_units.cpp); the builder turns every action into its
// step record, draws the backgrounds and dialogs it needs, and numbers the hint and answer
// texts after the hand-written lines of the text table.

#include "model.h"
#include "sheet.h"
#include "step_line.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace samplegen::bank {

using model::Traced;

struct Question {
    QString text;
    std::vector<StepLine> steps;
    std::vector<Traced> trace;
};

using Unit = std::vector<Question>;

using model::Dialog;

class Builder {
public:
    // Text lines from firstTextLine on are the builder's.
    explicit Builder(int firstTextLine);

    void unit();
    void question(const QString& text);

    // The state the question starts from and the following steps are drawn from; an action
    // changes it (model.h).
    model::State& state() { return state_; }
    // What the last action changed beyond what the builder sees from its target: the script
    // calls the model's operation on state() and hands its changes here.
    void after(const std::vector<model::Change>& changes);
    // The last action changes nothing the window shows, for a reason.
    void stays(const QString& why) { after(model::stays(why)); }
    // The last action opened a dialog (shown over the following steps, slot 2), or closed it.
    void dialog(const Dialog& d) { after(model::showDialog(state_, d)); }
    // A step that typed into a field and closed the dialog (Enter, or its button) leaves no
    // field to see: the typed text went with the dialog.
    void noDialog();

    // One step for each action of the candidate; every step names its hint text. A jump
    // letter other than '0' moves past the following steps. Clicks on cells, drags, typing
    // into cells and dialog fields, location choices and dialog-tab clicks change the state by
    // themselves.
    void click(const QRect& px, const QString& hint, QChar jump = u'0');
    void doubleClick(const QRect& px, const QString& hint);
    void rightClick(const QRect& px, const QString& hint);
    void hover(const QRect& px, const QString& hint);
    // A click with a button and modifiers (9000 + shift * 100 + button).
    void clickWith(int shift, int button, const QRect& px, const QString& hint);
    void rangeDrag(const QRect& from, const QRect& to, int shift, const QString& hint);
    // A key 6SKK, and up to three further keys that the step accepts as well.
    void key(int code, const QString& hint, const QList<int>& alternatives = {});
    // A menu or toolbar choice by its target code, and one that a floating pane or palette
    // offers, opened by the step itself at a place on the window (the pane the code's element).
    void menu(const QString& target, const QString& hint);
    void paneChoice(QPoint px, const QString& target, const QString& hint);
    // A context menu: on target 1 (code 3000-5999) or, for the toolbars' menu, on the blank
    // end of the toolbars' dock.
    void context(const QRect& px, int code, const QString& hint);
    void toolbarContext(int code, const QString& hint);
    // A plain right click on target 1 whose route code names the context menu and its choice.
    void routedContext(const QRect& px, int code, const QString& hint);
    // Typing with a code 0020-0028 into an editor at px; answer alternatives split by "|".
    // target is the click that completes a 0022, 0026 or 0028 step.
    void type(const QString& code, const QRect& px, const QString& answer, const QString& initial = {},
              const QRect& target = {});
    void selectText(const QRect& px, const QString& initial, const QString& part);
    // The last typing step's editor takes the look of a comment note: 宋体 of 9 points, black on
    // the table's light yellow.
    void noteEditor();
    // The tabbed format dialog: shown on tab `shown`, worked on tab `expected`, the click on a
    // place of the dialog (its pixels).
    void dialogTab(int shown, int expected, const QRect& inDialog, const QString& hint);
    void list(const QRect& px, const QStringList& items, int first, int answer, const QString& hint);
    void location(const QRect& px, int shown, int entry, const QString& hint);
    // A step that moves on by itself after a second, with a picture shown at a place.
    void automatic(const QString& hint, const QString& picture = {}, QPoint px = {});
    // A drag of a picture (8001 left, 8002 right: past an x; 8003 up, 8004 down: past a y) from
    // where it stands.
    void pictureDrag(int code, const QString& picture, QPoint from, int past, const QString& hint);
    void end();

    // Pictures the units name (drawn by the builder, or registered by the units).
    QString picture(const QString& key, const QImage& image);

    const std::vector<Unit>& units() const { return units_; }
    const QStringList& texts() const { return texts_; }
    const std::vector<std::pair<QString, QImage>>& pictures() const { return pictures_; }

private:
    int text(const QString& t);
    // A step drawn from the state reached so far, or from the one given.
    StepLine next(QStringView code, const model::State* drawFrom = nullptr);
    QString dialogPictureCode(const Dialog& d);
    // Every hint goes through here: it is moved left, where needed, to end before the question
    // panel, so that the candidate can read it whole.
    void hintAt(StepLine& s, QPoint px, const QString& hint);
    void hintBeside(StepLine& s, const QRect& px, const QString& hint, const std::vector<QRect>& clear = {});
    // A step with no target of its own: its hint stands at one place of the window.
    StepLine aside(QStringView code, const QString& hint);
    // A step done with the pointer on one target, its hint beside the target.
    void pointed(QStringView code, const QRect& px, const QString& hint, QChar jump, QChar pointerKind, int pointerNumber);
    void push(StepLine s);

    int firstTextLine_;
    QStringList texts_;
    std::vector<Unit> units_;
    std::vector<std::pair<QString, QImage>> pictures_;
    std::map<QString, QString> pictureCodes_;
    model::State state_;
    model::State drawnFrom_;
    int stepNo_ = 0;
};

// The units of the sample, built in order.
Builder units(int firstTextLine);

// The hint label as the window shows it: a typing step's hint is the answer, which the window
// words into an instruction of its own.
QString shownHint(QStringView code, const QString& hint);
// The size of a shown hint ("|" breaks its lines) at its largest, in pixels, as the
// demonstration's bold 宋体 of 11 points takes it: at most 16 a CJK character, 8 a Latin one and
// 18 a line.
QSize hintSize(const QString& shown);

// Rectangles of the window that the tasks name (pixels).
QRect cell(QStringView address);
QRect range(QStringView from, QStringView to);

// Dialog pictures.
QImage dialogPicture(const QString& title, QSize size, const std::vector<std::pair<QString, QRect>>& fields,
                     const std::vector<std::pair<QString, QRect>>& buttons, const std::map<int, QString>& values = {},
                     const std::vector<int>& lists = {});

} // namespace samplegen::bank
