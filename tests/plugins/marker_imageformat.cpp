// An image-format plugin that reads nothing: when it is loaded it leaves an empty file beside
// itself (its own path & ".loaded"), so a test can tell whether a program loaded it. It claims
// the formats the program's pictures come in, so the first picture read loads it wherever the
// toolkit looks for plugins.

#include <QImageIOPlugin>

#include <cstdio>
#include <dlfcn.h>
#include <string>

namespace {

void leaveMarker()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&leaveMarker), &info) == 0 || !info.dli_fname)
        return;
    const std::string path = std::string(info.dli_fname) + ".loaded";
    if (std::FILE* f = std::fopen(path.c_str(), "w"))
        std::fclose(f);
}

// Runs as the library is loaded, before the toolkit asks it anything.
const bool marked = (leaveMarker(), true);

} // namespace

class MarkerImageFormat : public QImageIOPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "marker_imageformat.json")
public:
    Capabilities capabilities(QIODevice*, const QByteArray&) const override { return {}; }
    QImageIOHandler* create(QIODevice*, const QByteArray&) const override { return nullptr; }
};

#include "marker_imageformat.moc"
