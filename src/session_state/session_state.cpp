#include "session_state/session_state.h"

#include <QtMath>

#include <algorithm>

SessionState& S()
{
    static SessionState s;
    return s;
}

void resetSession() { S() = SessionState{}; }

QString installPath(QStringView relative) { return S().AppPath + u'/' + relative.toString(); }

bool isPlainFolderName(QStringView name)
{
    const auto control = [](QChar c) { return c.category() == QChar::Other_Control; };
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(u'\\')
        && std::none_of(name.begin(), name.end(), control);
}

int scaledX(double designTw) { return qRound(designTw * S().ScaleX); }
int scaledY(double designTw) { return qRound(designTw * S().ScaleY); }
