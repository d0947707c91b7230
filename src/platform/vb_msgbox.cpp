#include "platform/vb_msgbox.h"

#include "platform/vb_control.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
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
};

std::vector<Answer> answersOf(int set)
{
    using B = QMessageBox;
    switch (set) {
    case vbOKCancel: return {{B::Ok, vbOK}, {B::Cancel, vbCancel}};
    case vbAbortRetryIgnore: return {{B::Abort, vbAbort}, {B::Retry, vbRetry}, {B::Ignore, vbIgnore}};
    case vbYesNoCancel: return {{B::Yes, vbYes}, {B::No, vbNo}, {B::Cancel, vbCancel}};
    case vbYesNo: return {{B::Yes, vbYes}, {B::No, vbNo}};
    case vbRetryCancel: return {{B::Retry, vbRetry}, {B::Cancel, vbCancel}};
    default: return {{B::Ok, vbOK}};
    }
}

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
    QMessageBox box(QApplication::activeWindow());
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
