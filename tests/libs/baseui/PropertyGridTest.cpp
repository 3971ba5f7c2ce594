#include "PropertyGrid.h"
#include "Translator.h"

#include <QHeaderView>

#include <gtest/gtest.h>

namespace {

// The sheet of the track list: File and Parameters groups.
void FillTrackSheet(PropertyGrid& grid)
{
    QTreeWidgetItem* file = grid.AddNodeItem(61500, true);
    grid.AddChildItem(file, 61501);
    grid.AddChildItem(file, 61502);
    QTreeWidgetItem* params = grid.AddNodeItem(61505, false);
    grid.AddChildItem(params, 61506, PropertyGrid::ValueType::Number);
    grid.AddChildItem(params, 61509, PropertyGrid::ValueType::Number);
}

TEST(PropertyGrid, GroupsAndRowsCarryTheirCaptions)
{
    PropertyGrid grid;
    FillTrackSheet(grid);
    const Translator& tr = Translator::GetInstance();
    ASSERT_EQ(grid.topLevelItemCount(), 2);
    EXPECT_EQ(grid.topLevelItem(0)->text(0), tr.LoadStr(61500));
    EXPECT_TRUE(grid.topLevelItem(0)->isExpanded());
    EXPECT_FALSE(grid.topLevelItem(1)->isExpanded());
    ASSERT_EQ(grid.topLevelItem(1)->childCount(), 2);
    EXPECT_EQ(grid.topLevelItem(1)->child(1)->text(0), tr.LoadStr(61509));
    EXPECT_EQ(grid.FindItem(61509), grid.topLevelItem(1)->child(1));
    EXPECT_TRUE(Qt::Alignment(grid.FindItem(61506)->textAlignment(1)) & Qt::AlignRight);
    EXPECT_FALSE(Qt::Alignment(grid.FindItem(61501)->textAlignment(1)) & Qt::AlignRight);
}

TEST(PropertyGrid, UpdateItemFindsTheRowByCaptionId)
{
    PropertyGrid grid;
    FillTrackSheet(grid);
    EXPECT_TRUE(grid.UpdateItem(61502, QStringLiteral("/home/a/tracks")));
    EXPECT_TRUE(grid.UpdateItem(61506, QStringLiteral("120 / 3")));
    EXPECT_EQ(grid.GetItemText(61502), QStringLiteral("/home/a/tracks"));
    EXPECT_EQ(grid.FindItem(61506)->text(1), QStringLiteral("120 / 3"));
    EXPECT_TRUE(grid.GetItemText(61501).isEmpty());
    // A group caption and an unknown id are not value rows.
    EXPECT_FALSE(grid.UpdateItem(61500, QStringLiteral("x")));
    EXPECT_FALSE(grid.UpdateItem(99999, QStringLiteral("x")));
    EXPECT_EQ(grid.topLevelItem(0)->text(1), QString());
}

TEST(PropertyGrid, ClearAllItemsForgetsTheRows)
{
    PropertyGrid grid;
    FillTrackSheet(grid);
    grid.UpdateItem(61501, QStringLiteral("a.gpx"));
    grid.ClearAllItems();
    EXPECT_EQ(grid.topLevelItemCount(), 0);
    EXPECT_FALSE(grid.UpdateItem(61501, QStringLiteral("b.gpx")));
    FillTrackSheet(grid);
    EXPECT_TRUE(grid.UpdateItem(61501, QStringLiteral("b.gpx")));
    EXPECT_EQ(grid.GetItemText(61501), QStringLiteral("b.gpx"));
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
