#include <gtest/gtest.h>

#include "platform/value_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::ValueStore;

namespace {

class ValueStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ValueStore::setFilePathOverride(dir.filePath(QStringLiteral("cfg/registry.ini")));
    }
    void TearDown() override { ValueStore::setFilePathOverride({}); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(ValueStoreTest, KeepsRawBytesUnderTheirKeyPath)
{
    const QByteArray gbk("C:\\\xb2\xd9\xd7\xf7***", 11); // double-byte text, as stored
    const QByteArray withZero("a\0b", 3);
    ASSERT_TRUE(ValueStore::setValue(QStringLiteral("Software\\mivo"), QStringLiteral("ProPath07"), gbk));
    ASSERT_TRUE(ValueStore::setValue(QStringLiteral("Software\\mivo"), QStringLiteral("Bin"), withZero));
    ASSERT_TRUE(ValueStore::setValue(QStringLiteral("Software\\mivo"), QStringLiteral("Empty"), QByteArray()));

    EXPECT_EQ(ValueStore::value(QStringLiteral("Software\\mivo"), QStringLiteral("ProPath07")), gbk);
    EXPECT_EQ(ValueStore::value(QStringLiteral("Software\\mivo"), QStringLiteral("Bin")), withZero);
    EXPECT_EQ(ValueStore::value(QStringLiteral("Software\\mivo"), QStringLiteral("Empty")), QByteArray());
    EXPECT_EQ(ValueStore::value(QStringLiteral("Software\\mivo"), QStringLiteral("Missing")), std::nullopt);
    EXPECT_EQ(ValueStore::value(QStringLiteral("Software\\other"), QStringLiteral("ProPath07")), std::nullopt);
    EXPECT_TRUE(QFile::exists(ValueStore::filePath()));
}

TEST_F(ValueStoreTest, CreatesTheWholeKeyPathEvenWithoutValues)
{
    ASSERT_TRUE(ValueStore::createKey(QStringLiteral("Software\\Deep\\Er\\Est")));
    EXPECT_TRUE(ValueStore::keyExists(QStringLiteral("Software")));
    EXPECT_TRUE(ValueStore::keyExists(QStringLiteral("Software\\Deep")));
    EXPECT_TRUE(ValueStore::keyExists(QStringLiteral("Software\\Deep\\Er\\Est")));
    EXPECT_FALSE(ValueStore::keyExists(QStringLiteral("Software\\Other")));

    // Creating an existing key again changes nothing of its values.
    ASSERT_TRUE(ValueStore::setValue(QStringLiteral("Software\\Deep"), QStringLiteral("v"), "1"));
    ASSERT_TRUE(ValueStore::createKey(QStringLiteral("Software\\Deep")));
    EXPECT_EQ(ValueStore::value(QStringLiteral("Software\\Deep"), QStringLiteral("v")), QByteArray("1"));
}

TEST_F(ValueStoreTest, RefusesWhatItCannotStore)
{
    EXPECT_FALSE(ValueStore::setValue(QStringLiteral("Software"), QString(), "x"));
    EXPECT_FALSE(ValueStore::setValue(QStringLiteral("\\\\"), QStringLiteral("n"), "x"));
    EXPECT_FALSE(ValueStore::createKey(QString()));

    // A folder that cannot be made: the store's folder would be a file.
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ValueStore::setFilePathOverride(dir.filePath(QStringLiteral("blocker/registry.ini")));
    EXPECT_FALSE(ValueStore::setValue(QStringLiteral("Software\\mivo"), QStringLiteral("n"), "x"));
    EXPECT_FALSE(ValueStore::createKey(QStringLiteral("Software\\mivo")));
}

TEST_F(ValueStoreTest, DefaultFileIsInTheUsersConfigurationFolder)
{
    ValueStore::setFilePathOverride({});
    EXPECT_EQ(ValueStore::filePath(),
              QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/talvesk/registry.ini"));
}

namespace {

// Values with every byte, and the characters the INI form quotes or escapes.
std::vector<std::pair<QString, QByteArray>> awkwardValues()
{
    QByteArray everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += char(b);
    return {
        {QStringLiteral("Software/mivo/ProPath07"), QByteArray("C:\\\xb2\xd9\xd7\xf7***", 11)},
        {QStringLiteral("Software/mivo/Bytes"), everyByte},
        {QStringLiteral("Software/mivo/Digits"), QByteArray("\0" "12\x01" "f\x7f" "a", 7)},
        {QStringLiteral("Software/mivo/Spaces"), QByteArray("  lead, and trail; = \"q\"  ")},
        {QStringLiteral("Software/mivo/.key"), QByteArray()},
        {QStringLiteral("Software/Deep/Er/v"), QByteArray("1")},
        {QStringLiteral("General/x"), QByteArray("g")},
        {QStringLiteral("Soft ware/名字 %/v"), QByteArray("named")},
    };
}

} // namespace

// The stores written before, by Qt's settings class, read the same; and what the store writes
// reads the same there.
TEST_F(ValueStoreTest, ReadsAndWritesTheFilesOfQtsSettingsClass)
{
    {
        QSettings qt(ValueStore::filePath(), QSettings::IniFormat);
        for (const auto& [key, bytes] : awkwardValues())
            qt.setValue(key, bytes);
        qt.sync();
        ASSERT_EQ(qt.status(), QSettings::NoError);
    }
    for (const auto& [key, bytes] : awkwardValues()) {
        const QString group = key.section(u'/', 0, -2), name = key.section(u'/', -1);
        EXPECT_EQ(ValueStore::value(group, name), bytes) << key.toStdString();
    }

    QFile::remove(ValueStore::filePath());
    for (const auto& [key, bytes] : awkwardValues())
        ASSERT_TRUE(ValueStore::setValue(key.section(u'/', 0, -2), key.section(u'/', -1), bytes)) << key.toStdString();
    QSettings qt(ValueStore::filePath(), QSettings::IniFormat);
    for (const auto& [key, bytes] : awkwardValues())
        EXPECT_EQ(qt.value(key).toByteArray(), bytes) << key.toStdString();
    EXPECT_EQ(qt.allKeys().size(), static_cast<qsizetype>(awkwardValues().size()));
}

// A save that fails part-way (the file size limit of a child process, which fails a write as a
// full disk does) keeps the old file whole, and says that it failed.
TEST_F(ValueStoreTest, ASaveThatFailsPartWayKeepsTheOldFile)
{
    ASSERT_TRUE(ValueStore::setValue(QStringLiteral("Software\\mivo"), QStringLiteral("ProPath07"), "C:\\old"));
    QFile f(ValueStore::filePath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();

    const pid_t pid = ::fork();
    if (pid == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit r {};
        ::getrlimit(RLIMIT_FSIZE, &r);
        r.rlim_cur = 4096;
        ::setrlimit(RLIMIT_FSIZE, &r);
        ::_exit(ValueStore::setValue(QStringLiteral("Software\\mivo"), QStringLiteral("Big"), QByteArray(20000, 'x')) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status)) << "the child survived the failed write";
    EXPECT_EQ(WEXITSTATUS(status), 1) << "the failed save is told";
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_EQ(QDir(QFileInfo(f).absolutePath()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("registry.ini")});
    EXPECT_EQ(ValueStore::value(QStringLiteral("Software\\mivo"), QStringLiteral("ProPath07")), QByteArray("C:\\old"));
}
