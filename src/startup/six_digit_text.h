#pragma once
// The six-digit text encoding of the configuration files: every character is a group of six
// decimal digits holding its GBK code plus 200000 (or plus 500000; both forms occur), groups
// written one after the other; a group of all zeros stands for nothing.

#include <QString>
#include <QStringList>
#include <QStringView>

struct SixDigitText {
    QString text;              // the decoded characters, untrimmed
    QStringList invalidGroups; // groups that name no character code, in line order

    // Decodes one line. A group that gives no valid code (a short trailing group, 500000
    // itself) is left out and listed in invalidGroups; the rest of the line still decodes.
    static SixDigitText decode(QStringView line);
};
