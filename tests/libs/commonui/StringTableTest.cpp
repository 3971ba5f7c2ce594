#include "CommandIds.h"
#include "StringIds.h"
#include "StringTable.h"
#include "Translator.h"

#include <gtest/gtest.h>

namespace {

struct Expected
{
    int id;
    const char16_t* text;
};

QString Load(int id)
{
    return Translator::GetInstance().LoadStr(id);
}

TEST(StringTable, IdsAreStrictlyAscendingSoLookupCanBisect)
{
    const auto table = GetStringTable();
    ASSERT_FALSE(table.empty());
    for (size_t i = 1; i < table.size(); ++i)
        EXPECT_LT(table[i - 1].id, table[i].id) << "entry " << i << " (id " << table[i].id << ")";
}

TEST(StringTable, NoTextIsEmpty)
{
    for (const StringTableEntry& e : GetStringTable()) {
        ASSERT_NE(e.text, nullptr) << e.id;
        EXPECT_FALSE(QString::fromUtf16(e.text).isEmpty()) << e.id;
    }
}

TEST(StringTable, OwnIdsFormOneBlockFrom70001)
{
    int expected = 70001;
    for (const StringTableEntry& e : GetStringTable()) {
        if (e.id < 70000)
            continue;
        EXPECT_EQ(e.id, expected);
        expected = e.id + 1;
    }
    EXPECT_GT(expected, 70001);
}

TEST(StringTable, EveryEntryIsFoundByItsId)
{
    for (const StringTableEntry& e : GetStringTable()) {
        EXPECT_TRUE(Translator::GetInstance().HasStr(e.id)) << e.id;
        EXPECT_EQ(Load(e.id), QString::fromUtf16(e.text)) << e.id;
    }
}

TEST(StringTable, TextsThatCodeLooksUpByNumber)
{
    const Expected expected[] = {
        // load statuses of the opening queue
        {62221, u"The file does not exist."},
        {62222, u"The file is blocked by another application or process."},
        {62223, u"The file format cannot be recognized."},
        {62224, u"The file contains no tracks."},
        {62225, u"GPX and KML files larger than 100 MB are not supported."},
        {62226, u"Unknown error."},
        // options dialog
        {61650, u"Sample:"},
        {61651, u"Decimal degrees"},
        {61652, u"Degrees, decimal minutes"},
        {61653, u"Degrees, minutes, seconds"},
        {61654, u"UTM-zone, meters, meters"},
        {61655, u"Plus/minus"},
        {61656, u"N/S/W/E"},
        // restructuring question with its line break
        {62802, u"This command is applicable for files only.\nDo you want to restructure track files "
                u"that contain all the selected items?"},
        // filter reasons: codes 3 and 4 use the ids the other way round
        {62903, u"High forward accel."},
        {62904, u"High brake accel."},
        {62911, u"Wrong time"},
        {62917, u"Very local inconsistency"},
        // menu text with its tab, a title, a task-dialog button
        {32803, u"&Save\tCtrl+S"},
        {100, u"Quorvel v1.15.141"},
        {60053, u"Skip &all"},
        // trailing and missing spaces are part of the texts
        {62571, u"Speed < "},
        {62572, u"Speed >"},
        {60206, u"An error occurred while checking for updates. \nPlease ensure an Internet connection is "
                u"available and/or try again later."},
        // columns 14 and 15 take the ids crosswise
        {61714, u"From start"},
        {61715, u"Elapsed time"},
        {62651, u"#"},
        // a command without menu entry keeps its prompt and tooltip
        {32903, u"Filter spikes from the track\nFilter spikes"},
        {33001, u"Rebuild structure of the selected tracks"},
        {1701, u"Speed:"},
        {62502, u"Segments"},
        {32830, u"<No items>"},
    };
    for (const Expected& e : expected)
        EXPECT_EQ(Load(e.id), QString::fromUtf16(e.text)) << "id " << e.id;
}

TEST(StringTable, TextsThatCodeLooksUpByName)
{
    EXPECT_EQ(Load(IDS_LOAD_FILE_MISSING), QStringLiteral("The file does not exist."));
    EXPECT_EQ(Load(IDS_POINTS_REMOVED), QStringLiteral(" points removed."));
    EXPECT_EQ(Load(IDS_FILTER_TIME), QStringLiteral("\nTime: "));
    EXPECT_EQ(Load(IDS_STATUS_OPENING), QStringLiteral("Opening "));
    EXPECT_EQ(Load(IDS_FILES_SELECTED), QStringLiteral(" files selected"));
    EXPECT_EQ(Load(IDS_FPS), QStringLiteral(" fps"));
    EXPECT_EQ(Load(IDS_EXPORT_NMEA_PARAMS), QStringLiteral("Ouput parameters:"));
    const QString installNow = Load(IDS_UPDATE_INSTALL_NOW);
    EXPECT_TRUE(installNow.startsWith(QStringLiteral("&Download && install now ")));
    EXPECT_EQ(installNow.back(), QChar(0x00BB));
}

TEST(StringTable, MenuTextOfACommand)
{
    EXPECT_EQ(Load(MenuTextId(ID_TRACK_RESTRUCTURE)), QStringLiteral("&Restructure..."));
    EXPECT_EQ(Load(MenuTextId(ID_TRACK_MERGE)), QStringLiteral("&Merge"));
    EXPECT_EQ(MenuTextId(ID_FILE_OPEN), ID_FILE_OPEN);
    EXPECT_EQ(Load(MenuTextId(ID_FILE_OPEN)), QStringLiteral("&Open track..."));
    EXPECT_EQ(Load(MenuTextId(ID_TRACK_REVERSE)), QStringLiteral("Re&verse"));
}

TEST(StringTable, MissingIdsGiveEmptyTextAndAreDetectable)
{
    const Translator& tr = Translator::GetInstance();
    for (int id : {0, -1, 99, 104, 62220, 62915 + 100, 69999, 2'000'000'000}) {
        EXPECT_FALSE(tr.HasStr(id)) << id;
        EXPECT_TRUE(tr.LoadStr(id).isEmpty()) << id;
    }
    EXPECT_TRUE(tr.HasStr(IDS_REASON_NO_TIME));
    EXPECT_TRUE(tr.HasStr(GetStringTable().front().id));
    EXPECT_TRUE(tr.HasStr(GetStringTable().back().id));
}

} // namespace
