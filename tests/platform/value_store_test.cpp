#include <gtest/gtest.h>

#include "platform/value_store.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

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
