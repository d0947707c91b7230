#include "cover/cover_faces.h"

#include "platform/vb_picture.h"
#include "startup/face_picture.h"


namespace cover {

QStringList coverFaceNames()
{
    QStringList names{QStringLiteral("l62011"), QStringLiteral("l20060"), QStringLiteral("l20051"), QStringLiteral("l20052"),
                      QStringLiteral("l20053")};
    for (int i = 0; i <= 48; ++i)
        names << QStringLiteral("l200%1").arg(i, 2, 10, QChar(u'0'));
    names << QStringLiteral("l20054") << QStringLiteral("l20086") << QStringLiteral("l20055") << QStringLiteral("l20087")
          << QStringLiteral("l20064") << QStringLiteral("l20065") << QStringLiteral("l20066") << QStringLiteral("l20057")
          << QStringLiteral("l20090") << QStringLiteral("l20058") << QStringLiteral("l20092");
    return names;
}

void prefetchCoverFaces()
{
    QStringList paths;
    for (const QString& name : coverFaceNames())
        paths << facePath(name);
    vb::decodeAhead(paths);
}

} // namespace cover
