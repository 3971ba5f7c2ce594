#include "CommandIds.h"
#include "MruHelper.h"
#include "RegistryKey.h"

#include <gtest/gtest.h>

namespace {

QStringList Paths(std::initializer_list<const char*> names)
{
    QStringList list;
    for (const char* n : names)
        list << QStringLiteral("/t/") + QString::fromUtf8(n);
    return list;
}

TEST(MruHelper, NewestFirstWithoutDuplicatesAndCapped)
{
    MruHelper mru(ID_FILE_MRU_FIRST, 3, QStringLiteral("MruOrder"));
    EXPECT_EQ(mru.GetBaseId(), ID_FILE_MRU_FIRST);
    EXPECT_TRUE(mru.GetList().isEmpty());
    mru.AddFilename(QStringLiteral("/t/a.gpx"));
    mru.AddFilename(QStringLiteral("/t/b.gpx"));
    mru.AddFilename(QStringLiteral("/t/c.gpx"));
    EXPECT_EQ(mru.GetList(), Paths({"c.gpx", "b.gpx", "a.gpx"}));
    mru.AddFilename(QStringLiteral("/t/a.gpx")); // moves up, no second entry
    EXPECT_EQ(mru.GetList(), Paths({"a.gpx", "c.gpx", "b.gpx"}));
    mru.AddFilename(QStringLiteral("/t/x/../d.gpx")); // the oldest drops out
    EXPECT_EQ(mru.GetList(), Paths({"d.gpx", "a.gpx", "c.gpx"}));
    mru.AddFilename(QStringLiteral("/t/./c.gpx")); // another spelling of c
    EXPECT_EQ(mru.GetList(), Paths({"c.gpx", "d.gpx", "a.gpx"}));
    mru.RemoveFilename(QStringLiteral("/t/d.gpx"));
    mru.RemoveFilename(QStringLiteral("/t/none.gpx"));
    EXPECT_EQ(mru.GetList(), Paths({"c.gpx", "a.gpx"}));
}

TEST(MruHelper, PersistsAndDropsRemovedEntriesFromTheStore)
{
    {
        MruHelper mru(100, 4, QStringLiteral("MruPersist"));
        mru.AddFilename(QStringLiteral("/t/a.gpx"));
        mru.AddFilename(QStringLiteral("/t/b.gpx"));
        mru.AddFilename(QStringLiteral("/t/c.gpx"));
        mru.RemoveFilename(QStringLiteral("/t/b.gpx"));
    }
    MruHelper again(100, 4, QStringLiteral("MruPersist"));
    EXPECT_EQ(again.GetList(), Paths({"c.gpx", "a.gpx"}));
    EXPECT_FALSE(RegistryKey(QStringLiteral("MruPersist")).HasValue(QStringLiteral("File3")));

    // A shorter list reads only as many entries as it has room for.
    MruHelper shorter(100, 1, QStringLiteral("MruPersist"));
    EXPECT_EQ(shorter.GetList(), Paths({"c.gpx"}));
}

TEST(MruHelper, MenuTextsAndCommandsInTheRange)
{
    MruHelper mru(ID_FILE_MRU_FIRST, 10, QStringLiteral("MruMenu"));
    for (int i = 10; i >= 1; --i)
        mru.AddFilename(QStringLiteral("/t/f%1.gpx").arg(i));
    const QStringList texts = mru.GetMenuTexts();
    ASSERT_EQ(texts.size(), 10);
    EXPECT_EQ(texts[0], QStringLiteral("&1 /t/f1.gpx"));
    EXPECT_EQ(texts[9], QStringLiteral("1&0 /t/f10.gpx"));
    EXPECT_EQ(MruHelper::MenuText(2, QStringLiteral("/t/Tom & Jerry.gpx")), QStringLiteral("&2 /t/Tom && Jerry.gpx"));

    QStringList picked;
    mru.SetCallback([&](const QString& name) {
        picked << name;
        mru.AddFilename(name); // what opening a recent file does
    });
    EXPECT_TRUE(mru.OnCommand(ID_FILE_MRU_FIRST + 2));
    EXPECT_EQ(picked, QStringList{QStringLiteral("/t/f3.gpx")});
    EXPECT_EQ(mru.GetList().front(), QStringLiteral("/t/f3.gpx"));
    EXPECT_FALSE(mru.OnCommand(ID_FILE_MRU_FIRST - 1));
    EXPECT_FALSE(mru.OnCommand(ID_FILE_MRU_FIRST + 10));
    mru.RemoveFilename(QStringLiteral("/t/f10.gpx"));
    EXPECT_FALSE(mru.OnCommand(ID_FILE_MRU_FIRST + 9)); // in range, but no entry
    EXPECT_EQ(picked.size(), 1);
}

} // namespace
