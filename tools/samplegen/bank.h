#pragma once
// The practice units of the sample: real spreadsheet tasks, each a run of step records over
// pictures of the simulated window that show the cells the task names. The units are written
// as scripts of candidate actions (bank_units.cpp); the builder turns every action into its
// step record, draws the backgrounds and dialogs it needs, and numbers the hint and answer
// texts after the hand-written lines of the text table.

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

struct Question {
    QString text;
    std::vector<StepLine> steps;
};

using Unit = std::vector<Question>;

// A dialog of the simulated program drawn over the window: its picture code and where it
// stands (pixels of the window).
struct Dialog {
    QString picture;
    QPoint pos;
    QRect on(const QRect& inDialog) const { return inDialog.translated(pos); }
};

class Builder {
public:
    // Text lines from firstTextLine on are the builder's.
    explicit Builder(int firstTextLine);

    void unit();
    void question(const QString& text);

    // The background of the following steps.
    void view(const sheet::View& v);
    // The dialog shown over the following steps (slot 2), or none.
    void dialog(const Dialog& d) { dialog_ = d; }
    void noDialog() { dialog_.reset(); }

    // One step for each action of the candidate; every step names its hint text. A jump
    // letter other than '0' moves past the following steps.
    void click(const QRect& px, const QString& hint, QChar jump = u'0');
    void doubleClick(const QRect& px, const QString& hint);
    void rightClick(const QRect& px, const QString& hint);
    void hover(const QRect& px, const QString& hint);
    // A click with a button and modifiers (9000 + shift * 100 + button).
    void clickWith(int shift, int button, const QRect& px, const QString& hint);
    void rangeDrag(const QRect& from, const QRect& to, int shift, const QString& hint);
    // A key 6SKK.
    void key(int code, const QString& hint);
    // A menu or toolbar choice by its target code, and one that a floating pane offers, the
    // pane opened by the step itself at a place on the window.
    void menu(const QString& target, const QString& hint);
    void paneChoice(int pane, QPoint px, const QString& target, const QString& hint);
    // A context menu: on target 1 (code 3000-5999) or, for the toolbars' menu, on a toolbar.
    void context(const QRect& px, int code, const QString& hint);
    void toolbarContext(int code, const QString& hint);
    // A plain right click on target 1 whose route code names the context menu and its choice.
    void routedContext(const QRect& px, int code, const QString& hint);
    // Typing with a code 0020-0028 into an editor at px; answer alternatives split by "|".
    // target is the click that completes a 0022, 0026 or 0028 step.
    void type(const QString& code, const QRect& px, const QString& answer, const QString& initial = {},
              const QRect& target = {});
    void selectText(const QRect& px, const QString& initial, const QString& part);
    // The tabbed format dialog: shown on tab `shown`, worked on tab `expected`, the click on a
    // place of the dialog (its pixels).
    void dialogTab(int shown, int expected, const QRect& inDialog, const QString& hint);
    void list(const QRect& px, const QStringList& items, int first, int answer, const QString& hint);
    void location(const QRect& px, int shown, int entry, const QString& hint);
    // A step that moves on by itself after a second, with a picture shown at a place.
    void automatic(const QString& hint, const QString& picture = {}, QPoint px = {});
    // A drag of a picture (8002 right, 8004 down) from where it stands past a point.
    void pictureDrag(int code, const QString& picture, QPoint from, QPoint past, const QString& hint);
    void end();

    // Pictures the units name (drawn by the builder, or registered by the units).
    QString picture(const QString& key, const QImage& image);

    const std::vector<Unit>& units() const { return units_; }
    const QStringList& texts() const { return texts_; }
    const std::vector<std::pair<QString, QImage>>& pictures() const { return pictures_; }

private:
    int text(const QString& t);
    StepLine next(QStringView code);
    // Every hint goes through here: it is moved left, where needed, to end before the question
    // panel, so that the candidate can read it whole.
    void hintAt(StepLine& s, QPoint px, const QString& hint);
    void hintBeside(StepLine& s, const QRect& px, const QString& hint);
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
    QString back_;
    std::optional<Dialog> dialog_;
    int stepNo_ = 0;
};

// The units of the sample, built in order.
Builder units(int firstTextLine);

// Rectangles of the window that the tasks name (pixels).
QRect cell(QStringView address);
QRect range(QStringView from, QStringView to);

// Dialog pictures.
QImage dialogPicture(const QString& title, QSize size, const std::vector<std::pair<QString, QRect>>& fields,
                     const std::vector<std::pair<QString, QRect>>& buttons);
QImage chartPicture();

} // namespace samplegen::bank
