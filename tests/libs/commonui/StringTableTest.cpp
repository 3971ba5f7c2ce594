#include "CommandIds.h"
#include "StringIds.h"
#include "StringTable.h"
#include "Translator.h"

#include <QRegularExpression>
#include <QStringList>

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

TEST(StringTable, EachTextHasAtMostOneMnemonic)
{
    for (const StringTableEntry& e : GetStringTable()) {
        // "&&" is an ampersand; "&" before a space ("Date & time") is one too.
        const QString text = QString::fromUtf16(e.text).remove(QStringLiteral("&&"));
        int mnemonics = 0;
        for (qsizetype i = text.indexOf(QLatin1Char('&')); i >= 0; i = text.indexOf(QLatin1Char('&'), i + 1)) {
            ASSERT_LT(i + 1, text.size()) << "id " << e.id << " ends in &";
            mnemonics += text.at(i + 1).isLetterOrNumber() ? 1 : 0;
        }
        EXPECT_LE(mnemonics, 1) << "id " << e.id;
    }
}

TEST(StringTable, AShortcutFollowsTheOnlyTabOfAText)
{
    const QRegularExpression shortcut(QStringLiteral("^((Ctrl|Shift|Alt)\\+)*([A-Z0-9]|F[0-9]{1,2}|Del|Ins)$"));
    int withShortcut = 0;
    for (const StringTableEntry& e : GetStringTable()) {
        const QStringList parts = QString::fromUtf16(e.text).split(QLatin1Char('\t'));
        if (parts.size() == 1)
            continue;
        ++withShortcut;
        ASSERT_EQ(parts.size(), 2) << "id " << e.id;
        EXPECT_FALSE(parts[0].isEmpty()) << "id " << e.id;
        EXPECT_TRUE(shortcut.match(parts[1]).hasMatch()) << "id " << e.id << ": " << parts[1].toStdString();
    }
    EXPECT_GT(withShortcut, 0);
}

TEST(StringTable, TextsThatCodeJoinsOrSplitsKeepTheirExactForm)
{
    const Expected expected[] = {
        // the menu text the Save shortcut is read from
        {ID_FILE_SAVE, u"&Save\tCtrl+S"},
        // starts of filter rules that the value follows, with their trailing
        // and missing spaces
        {IDS_VALUE_RULE_MIN_SPEED, u"Speed < "},
        {IDS_VALUE_RULE_MAX_SPEED, u"Speed >"},
    };
    for (const Expected& e : expected)
        EXPECT_EQ(Load(e.id), QString::fromUtf16(e.text)) << "id " << e.id;
}

TEST(StringTable, IdsThatTakeTheirTextsCrosswise)
{
    // Filter reasons 3 and 4, and columns 14 and 15, look their texts up
    // the other way round; these pin which text each id holds.
    EXPECT_EQ(Load(IDS_REASON_HIGH_FORWARD_ACCEL), QStringLiteral("High forward accel."));
    EXPECT_EQ(Load(IDS_REASON_HIGH_BRAKE_ACCEL), QStringLiteral("High brake accel."));
    EXPECT_EQ(Load(IDS_PTLIST_FROM_START), QStringLiteral("From start"));
    EXPECT_EQ(Load(IDS_PTLIST_ELAPSED), QStringLiteral("Elapsed time"));
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
    // Where a command's own string is its prompt, the menu text has an id
    // of its own; elsewhere the command id is the text's id.
    for (const int command : {ID_TRACK_RESTRUCTURE, ID_TRACK_MERGE}) {
        EXPECT_NE(MenuTextId(command), command);
        EXPECT_TRUE(Translator::GetInstance().HasStr(MenuTextId(command))) << command;
        EXPECT_NE(Load(MenuTextId(command)), Load(command)) << command;
        EXPECT_TRUE(Load(MenuTextId(command)).contains(QLatin1Char('&'))) << command;
    }
    EXPECT_EQ(Load(MenuTextId(ID_TRACK_RESTRUCTURE)), QStringLiteral("&Restructure..."));
    EXPECT_EQ(MenuTextId(ID_FILE_OPEN), ID_FILE_OPEN);
    EXPECT_EQ(MenuTextId(ID_TRACK_REVERSE), ID_TRACK_REVERSE);
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
