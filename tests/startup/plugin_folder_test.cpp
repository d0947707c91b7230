// The program takes no plugins and no toolkit configuration from its installation folder, which
// the updater writes: started on a copy of the sample installation, it loads an image plugin
// from the toolkit's plugin path, but it never looks for plugins under the installation folder
// (the toolkit's own log of the folders it searches says so) nor loads the same plugin placed
// in <installation>/imageformats/, and a qt.conf there pointing elsewhere changes nothing.

#include <gtest/gtest.h>

#include "support/http_server.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

bool copyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + u'/' + QDir(from).relativeFilePath(path);
        if (it.fileInfo().isDir() ? !QDir().mkpath(target) : !QFile::copy(path, target))
            return false;
    }
    return true;
}

// The plugin copied into `folder`/imageformats; the path its marker will have.
QString placePlugin(const QString& folder)
{
    QDir().mkpath(folder + QStringLiteral("/imageformats"));
    const QString plugin = folder + QStringLiteral("/imageformats/") + QFileInfo(QStringLiteral(TALVESK_MARKER_PLUGIN)).fileName();
    EXPECT_TRUE(QFile::copy(QStringLiteral(TALVESK_MARKER_PLUGIN), plugin));
    // The toolkit loads it by its canonical path, and the marker lies beside what it loaded.
    return QFileInfo(plugin).canonicalFilePath() + QStringLiteral(".loaded");
}

} // namespace

TEST(PluginFolders, ThePluginsOfTheInstallationFolderAreNeverLoaded)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString inst = tmp.filePath(QStringLiteral("inst"));
    for (const char* part : {"data", "examdata", "ksdata"})
        ASSERT_TRUE(copyTree(QStringLiteral(TALVESK_SAMPLE_DIR "/") + QLatin1String(part), inst + u'/' + QLatin1String(part))) << part;
    for (const QFileInfo& f : QDir(QStringLiteral(TALVESK_SAMPLE_DIR)).entryInfoList({QStringLiteral("*.CUR"), QStringLiteral("ver.txt"), QStringLiteral("sMenu.sys")}, QDir::Files))
        ASSERT_TRUE(QFile::copy(f.filePath(), inst + u'/' + f.fileName()));
    const QString program = inst + QStringLiteral("/talvesk");
    ASSERT_TRUE(QFile::copy(QStringLiteral(TALVESK_EXE), program));

    // The same plugin in three places: on the toolkit's plugin path (it must load: the program
    // has searched for image plugins and read a picture), in the installation folder, and where
    // a qt.conf in the installation folder points.
    const QString loadedFromPluginPath = placePlugin(tmp.filePath(QStringLiteral("pluginpath")));
    const QString loadedFromInstallation = placePlugin(inst);
    const QString loadedThroughQtConf = placePlugin(tmp.filePath(QStringLiteral("elsewhere")));
    QFile conf(inst + QStringLiteral("/qt.conf"));
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
    conf.write("[Paths]\nPrefix=" + QFile::encodeName(tmp.path()) + "\nPlugins=elsewhere\n");
    conf.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_PLUGIN_PATH"), tmp.filePath(QStringLiteral("pluginpath")));
    env.insert(QStringLiteral("QT_DEBUG_PLUGINS"), QStringLiteral("1"));
    // A lock and a value store of this run's own.
    env.insert(QStringLiteral("TMPDIR"), tmp.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), tmp.filePath(QStringLiteral("config")));
    env.remove(QStringLiteral("TALVESK_UPDATE_URL"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, {});
    ASSERT_TRUE(p.waitForStarted());
    const bool pictured = testsupport::waitForIo([&] { return QFile::exists(loadedFromPluginPath) || p.state() == QProcess::NotRunning; }, 60000);
    const bool running = p.state() == QProcess::Running;
    p.kill();
    p.waitForFinished();
    const QString log = QString::fromLocal8Bit(p.readAll());
    ASSERT_TRUE(pictured && running) << "the program did not start or read no picture:\n" << log.toStdString();
    // The image plugins' folders are all searched before the first of them is loaded.
    const QString searched = QStringLiteral("checking directory path \"");
    EXPECT_TRUE(log.contains(searched + QFileInfo(tmp.filePath(QStringLiteral("pluginpath"))).canonicalFilePath() + QStringLiteral("/imageformats")));
    EXPECT_FALSE(log.contains(searched + QFileInfo(inst).canonicalFilePath() + QStringLiteral("/imageformats")))
        << "the installation folder was searched";
    EXPECT_FALSE(log.contains(searched + QFileInfo(tmp.filePath(QStringLiteral("elsewhere"))).canonicalFilePath())) << "the qt.conf was read";
    EXPECT_FALSE(QFile::exists(loadedFromInstallation));
    EXPECT_FALSE(QFile::exists(loadedThroughQtConf));
}
