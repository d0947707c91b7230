#include "session_state/session_state.h"

#include <QtMath>

SessionState& S()
{
    static SessionState s;
    return s;
}

void resetSession() { S() = SessionState{}; }

QString installPath(QStringView relative) { return S().AppPath + u'/' + relative.toString(); }

bool isPlainFolderName(QStringView name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(u'\\');
}

int scaledX(double designTw) { return qRound(designTw * S().ScaleX); }
int scaledY(double designTw) { return qRound(designTw * S().ScaleY); }
