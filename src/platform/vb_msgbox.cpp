#include "platform/vb_msgbox.h"

#include "platform/vb_control.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <vector>

namespace vb {
namespace {

QString& defaultTitle()
{
    static QString t;
    return t;
}

std::function<int(const QString&, int, const QString&)>& responder()
{
    static std::function<int(const QString&, int, const QString&)> r;
    return r;
}

struct Answer {
    QMessageBox::StandardButton button;
    int code;
    // The button's caption as the system's own boxes write it: the prompts name these.
    const char16_t* caption;
};

std::vector<Answer> answersOf(int set)
{
    using B = QMessageBox;
    const Answer ok{B::Ok, vbOK, u"确定"}, cancel{B::Cancel, vbCancel, u"取消"};
    const Answer yes{B::Yes, vbYes, u"是(&Y)"}, no{B::No, vbNo, u"否(&N)"};
    const Answer retry{B::Retry, vbRetry, u"重试(&R)"};
    switch (set) {
    case vbOKCancel: return {ok, cancel};
    case vbAbortRetryIgnore: return {{B::Abort, vbAbort, u"中止(&A)"}, retry, {B::Ignore, vbIgnore, u"忽略(&I)"}};
    case vbYesNoCancel: return {yes, no, cancel};
    case vbYesNo: return {yes, no};
    case vbRetryCancel: return {retry, cancel};
    default: return {ok};
    }
}

// The box stands in the middle of the screen, as the system's boxes do, whichever window is
// active: placed once it has taken its final size.
class CentredBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* e) override
    {
        QMessageBox::showEvent(e);
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
};

} // namespace

void setDefaultMsgBoxTitle(const QString& title) { defaultTitle() = title; }
QString defaultMsgBoxTitle() { return defaultTitle(); }

void setMsgBoxResponder(std::function<int(const QString&, int, const QString&)> r) { responder() = std::move(r); }

int MsgBox(const QString& prompt, int buttons, const QString& title)
{
    const QString shownTitle = title.isEmpty() ? defaultTitle() : title;
    if (auto r = responder())
        return r(prompt, buttons, shownTitle);

    detail::DispatchScope scope;
    // Owned by none of the program's windows, like its dialogs: the window manager then takes the
    // box for a dialog of the whole program, whose minimise takes no window with it, and no
    // window's unload takes the box away while it waits for its answer. As it holds every window
    // until it is answered, it stands above them all, also above those that stay on top (the
    // update window, the question panel), which would otherwise hide the only thing that can be
    // answered.
    CentredBox box;
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.setWindowTitle(shownTitle);
    box.setText(prompt);
    switch (buttons & 0x70) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    const auto answers = answersOf(buttons & 0x7);
    QMessageBox::StandardButtons set;
    for (const auto& a : answers)
        set |= a.button;
    box.setStandardButtons(set);
    for (const auto& a : answers)
        box.button(a.button)->setText(QString::fromUtf16(a.caption));
    const std::size_t defaultIndex = (buttons & 0x300) >> 8;
    box.setDefaultButton(answers[std::min(defaultIndex, answers.size() - 1)].button);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const auto& a : answers)
        if (a.button == clicked)
            return a.code;
    // Closed without a button: the old box answered Cancel where it had one, else its only button.
    for (const auto& a : answers)
        if (a.code == vbCancel)
            return vbCancel;
    return answers.front().code;
}

} // namespace vb
