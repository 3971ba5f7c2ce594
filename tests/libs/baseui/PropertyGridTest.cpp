#include "PropertyGrid.h"
#include "StringIds.h"
#include "Translator.h"

#include <QHeaderView>

#include <gtest/gtest.h>

namespace {

// The sheet of the track list: File and Parameters groups.
void FillTrackSheet(PropertyGrid& grid)
{
    QTreeWidgetItem* file = grid.AddNodeItem(IDS_TRACK_PROP_FILE, true);
    grid.AddChildItem(file, IDS_TRACK_PROP_NAME);
    grid.AddChildItem(file, IDS_TRACK_PROP_PATH);
    QTreeWidgetItem* params = grid.AddNodeItem(IDS_TRACK_PROP_PARAMETERS, false);
    grid.AddChildItem(params, IDS_TRACK_PROP_POINTS, PropertyGrid::ValueType::Number);
    grid.AddChildItem(params, IDS_TRACK_PROP_DISTANCE, PropertyGrid::ValueType::Number);
}

TEST(PropertyGrid, GroupsAndRowsCarryTheirCaptions)
{
    PropertyGrid grid;
    FillTrackSheet(grid);
    const Translator& tr = Translator::GetInstance();
    ASSERT_EQ(grid.topLevelItemCount(), 2);
    EXPECT_EQ(grid.topLevelItem(0)->text(0), tr.LoadStr(IDS_TRACK_PROP_FILE));
    EXPECT_TRUE(grid.topLevelItem(0)->isExpanded());
    EXPECT_FALSE(grid.topLevelItem(1)->isExpanded());
    ASSERT_EQ(grid.topLevelItem(1)->childCount(), 2);
    EXPECT_EQ(grid.topLevelItem(1)->child(1)->text(0), tr.LoadStr(IDS_TRACK_PROP_DISTANCE));
    EXPECT_EQ(grid.FindItem(IDS_TRACK_PROP_DISTANCE), grid.topLevelItem(1)->child(1));
    EXPECT_TRUE(Qt::Alignment(grid.FindItem(IDS_TRACK_PROP_POINTS)->textAlignment(1)) & Qt::AlignRight);
    EXPECT_FALSE(Qt::Alignment(grid.FindItem(IDS_TRACK_PROP_NAME)->textAlignment(1)) & Qt::AlignRight);
}

TEST(PropertyGrid, UpdateItemFindsTheRowByCaptionId)
{
    PropertyGrid grid;
    FillTrackSheet(grid);
    EXPECT_TRUE(grid.UpdateItem(IDS_TRACK_PROP_PATH, QStringLiteral("/home/a/tracks")));
    EXPECT_TRUE(grid.UpdateItem(IDS_TRACK_PROP_POINTS, QStringLiteral("120 / 3")));
    EXPECT_EQ(grid.GetItemText(IDS_TRACK_PROP_PATH), QStringLiteral("/home/a/tracks"));
    EXPECT_EQ(grid.FindItem(IDS_TRACK_PROP_POINTS)->text(1), QStringLiteral("120 / 3"));
    EXPECT_TRUE(grid.GetItemText(IDS_TRACK_PROP_NAME).isEmpty());
    // A group caption and an unknown id are not value rows.
    EXPECT_FALSE(grid.UpdateItem(IDS_TRACK_PROP_FILE, QStringLiteral("x")));
    EXPECT_FALSE(grid.UpdateItem(99999, QStringLiteral("x")));
    EXPECT_EQ(grid.topLevelItem(0)->text(1), QString());
}

TEST(PropertyGrid, ClearAllItemsForgetsTheRows)
{
    PropertyGrid grid;
    FillTrackSheet(grid);
    grid.UpdateItem(IDS_TRACK_PROP_NAME, QStringLiteral("a.gpx"));
    grid.ClearAllItems();
    EXPECT_EQ(grid.topLevelItemCount(), 0);
    EXPECT_FALSE(grid.UpdateItem(IDS_TRACK_PROP_NAME, QStringLiteral("b.gpx")));
    FillTrackSheet(grid);
    EXPECT_TRUE(grid.UpdateItem(IDS_TRACK_PROP_NAME, QStringLiteral("b.gpx")));
    EXPECT_EQ(grid.GetItemText(IDS_TRACK_PROP_NAME), QStringLiteral("b.gpx"));
}

TEST(PropertyGrid, KeepsItsColumnWidthUnderItsSection)
{
    {
        PropertyGrid grid;
        grid.SetRegSection(QStringLiteral("Layout\\Dialogs\\GridTest"));
        FillTrackSheet(grid);
        grid.header()->resizeSection(0, 173);
    }
    PropertyGrid again;
    const int defaultWidth = again.header()->sectionSize(0);
    ASSERT_NE(defaultWidth, 173);
    again.SetRegSection(QStringLiteral("Layout\\Dialogs\\GridTest"));
    EXPECT_EQ(again.header()->sectionSize(0), 173);

    PropertyGrid other;
    other.SetRegSection(QStringLiteral("Layout\\Dialogs\\GridTestOther"));
    EXPECT_EQ(other.header()->sectionSize(0), defaultWidth);
}

} // namespace
