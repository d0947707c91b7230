#pragma once
// The question panel's list of unfinished questions. It has one line of room in the clock row:
// a list longer than the line ends with " ..." after the last whole number that fits, and
// nothing of it wraps under the row (the tooltip gives the whole list).

#include "platform/vb_controls.h"

class UnfinishedListView : public vb::Label {
public:
    using vb::Label::Label;
    // The line as it is drawn; the caption keeps the whole list.
    QString shownText() const;
    void paint(QPainter& p) override;
};
