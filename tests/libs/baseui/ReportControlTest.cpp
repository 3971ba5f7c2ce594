#include "RecordItemColor.h"
#include "ReportControl.h"
#include "ReportVirtualRecordI.h"

#include <QApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

// Rows show every other point: row r is point 2r, like a list of valid
// points only. Counts the cells it is asked for.
class EvenPointsRecord : public ReportVirtualRecordI
{
public:
    QVariant GetItemMetrics(int row, int columnId, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        ++cellsAsked;
        return QStringLiteral("%1:%2").arg(columnId).arg(GetRowId(row));
    }
    int GetRowId(int row) const override { return 2 * row; }
    int GetIdRow(int id) const override { return id % 2 == 0 ? id / 2 : -1; }

    mutable long long cellsAsked = 0;
};

void AddColumns(ReportControl& list, int count)
{
    for (int i = 0; i < count; ++i) {
        ReportColumn column;
        column.id = 10 + i;
        column.caption = QStringLiteral("C%1").arg(i);
        column.width = 60;
        list.GetModel().AddColumn(column);
    }
}

constexpr int kMillion = 1000000;

TEST(ReportControlVirtual, AMillionRowsCostOnlyTheVisibleCells)
{
    EvenPointsRecord record;
    ReportControl list;
    AddColumns(list, 5);
    list.resize(600, 400);
    QElapsedTimer timer;
    timer.start();
    list.SetVirtualMode(&record, kMillion);
    list.show();
    QApplication::processEvents();
    list.scrollToBottom();
    QApplication::processEvents();
    list.SelectAll();
    const std::vector<int> all = list.GetSelectedIds();
    const qint64 elapsed = timer.elapsed();

    EXPECT_EQ(list.GetModel().rowCount(), kMillion);
    ASSERT_EQ(all.size(), static_cast<size_t>(kMillion));
    EXPECT_EQ(all.front(), 0);
    EXPECT_EQ(all.back(), 2 * (kMillion - 1));
    // Two screens of rows at most, not a million.
    EXPECT_LT(record.cellsAsked, 5 * 200);
    EXPECT_GT(record.cellsAsked, 0);
    EXPECT_LT(elapsed, 3000) << "ms for showing, scrolling and selecting a million rows";
}

TEST(ReportControlVirtual, RowsAndIdsMapThroughTheRecord)
{
    EvenPointsRecord record;
    ReportControl list;
    AddColumns(list, 2);
    list.SetVirtualMode(&record, kMillion);
    EXPECT_EQ(list.GetId(0), 0);
    EXPECT_EQ(list.GetId(kMillion - 1), 2 * (kMillion - 1));
    EXPECT_EQ(list.GetId(kMillion), -1); // past the end
    EXPECT_EQ(list.FindRow(1234568).row(), 617284);
    EXPECT_FALSE(list.FindRow(7).isValid());           // an odd point has no row
    EXPECT_FALSE(list.FindRow(2 * kMillion).isValid()); // beyond the last row
    EXPECT_EQ(list.GetModel().index(5, 1).data().toString(), QStringLiteral("11:10"));
    EXPECT_EQ(record.cellsAsked, 1);
}

TEST(ReportControlVirtual, SelectMergesRunsAndSkipsUnknownIds)
{
    EvenPointsRecord record;
    ReportControl list;
    AddColumns(list, 3);
    list.SetVirtualMode(&record, kMillion);
    std::vector<int> ids;
    for (int id = 200000; id < 400000; id += 2) // one run of 100000 rows
        ids.push_back(id);
    ids.push_back(3);          // no row
    ids.push_back(1999998);    // the last row
    list.Select(ids);
    EXPECT_EQ(list.selectionModel()->selection().size(), 2);
    const std::vector<int> selected = list.GetSelectedIds();
    ASSERT_EQ(selected.size(), 100001u);
    EXPECT_EQ(selected.front(), 200000);
    EXPECT_EQ(selected[99999], 399998);
    EXPECT_EQ(selected.back(), 1999998);

    // Selecting again replaces the selection.
    list.Select({10});
    EXPECT_EQ(list.GetSelectedIds(), std::vector<int>{10});
    list.Select({});
    EXPECT_TRUE(list.GetSelectedIds().empty());
}

TEST(ReportControlVirtual, FocusFollowsIdsAndReportsChanges)
{
    EvenPointsRecord record;
    ReportControl list;
    AddColumns(list, 2);
    list.SetVirtualMode(&record, 100);
    std::vector<int> focused;
    list.SetOnFocusChanged([&](int id) { focused.push_back(id); });
    EXPECT_EQ(list.GetFocusedId(), -1);
    EXPECT_TRUE(list.SetFocusedId(40));
    EXPECT_EQ(list.GetFocusedId(), 40);
    EXPECT_TRUE(list.GetSelectedIds().empty()); // focus alone selects nothing
    EXPECT_FALSE(list.SetFocusedId(41));
    EXPECT_EQ(list.GetFocusedId(), 40);
    EXPECT_EQ(focused, std::vector<int>{40});
    // A shorter list keeps no row beyond its end.
    list.SetVirtualMode(&record, 10);
    EXPECT_FALSE(list.FindRow(40).isValid());
    EXPECT_EQ(list.GetFocusedId(), -1);
}

// A file with a folder of two segments, and a second file.
std::vector<std::unique_ptr<ReportRecord>> MakeTree()
{
    const auto named = [](int id) {
        auto r = std::make_unique<ReportRecord>(id);
        r->SetItem(0, std::make_unique<ReportRecordItemText>(QStringLiteral("n%1").arg(id)));
        return r;
    };
    std::vector<std::unique_ptr<ReportRecord>> roots;
    roots.push_back(named(1));
    ReportRecord* folder = roots[0]->AddChild(named(2));
    folder->AddChild(named(3));
    folder->AddChild(named(4));
    roots.push_back(named(5));
    return roots;
}

TEST(ReportControlRecords, TreeRowsAreFoundByIdAtAnyDepth)
{
    ReportControl list;
    AddColumns(list, 1);
    list.GetModel().GetColumn(0).id = 0;
    list.SetRecords(MakeTree());
    EXPECT_EQ(list.GetModel().rowCount(), 2);
    const QModelIndex seg = list.FindRow(4);
    ASSERT_TRUE(seg.isValid());
    EXPECT_EQ(seg.row(), 1);
    EXPECT_EQ(list.GetId(seg.parent()), 2);
    EXPECT_EQ(list.GetId(seg.parent().parent()), 1);
    EXPECT_EQ(seg.data().toString(), QStringLiteral("n4"));
    EXPECT_EQ(list.GetId(1), 5);
    EXPECT_FALSE(list.FindRow(99).isValid());
}

TEST(ReportControlRecords, ExpandUpOpensEveryParent)
{
    ReportControl list;
    AddColumns(list, 1);
    list.SetRecords(MakeTree());
    const QModelIndex seg = list.FindRow(3);
    EXPECT_FALSE(list.isExpanded(seg.parent()));
    list.ExpandUp(seg);
    EXPECT_TRUE(list.isExpanded(seg.parent()));
    EXPECT_TRUE(list.isExpanded(seg.parent().parent()));
    EXPECT_FALSE(list.isExpanded(list.FindRow(5)));
}

TEST(ReportControlRecords, SelectionByIdsAcrossLevels)
{
    ReportControl list;
    AddColumns(list, 2);
    list.SetRecords(MakeTree());
    int notified = 0;
    list.SetOnSelectionChanged([&] { ++notified; });
    list.Select({3, 4, 5, 42});
    std::vector<int> ids = list.GetSelectedIds();
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<int>{3, 4, 5}));
    EXPECT_GT(notified, 0);
    list.SelectAll();
    ids = list.GetSelectedIds();
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<int>{1, 2, 3, 4, 5}));
}

// A check box that refuses the mixed state, as the track list's name cell
// does for a user's click.
class CheckItem : public ReportRecordItem
{
public:
    QVariant GetData(int role) const override
    {
        return role == Qt::CheckStateRole ? QVariant(state) : QVariant();
    }
    bool SetData(const QVariant& value, int role) override
    {
        if (role != Qt::CheckStateRole || value.toInt() == Qt::PartiallyChecked)
            return false;
        state = value.toInt();
        return true;
    }
    Qt::ItemFlags GetFlags() const override { return Qt::ItemIsUserCheckable; }

    int state = Qt::Unchecked;
};

TEST(ReportControlRecords, EditsGoToTheItemAndAreReported)
{
    ReportControl list;
    AddColumns(list, 2);
    std::vector<std::unique_ptr<ReportRecord>> roots;
    roots.push_back(std::make_unique<ReportRecord>(9));
    auto check = std::make_unique<CheckItem>();
    CheckItem* item = check.get();
    roots[0]->SetItem(11, std::move(check));
    list.SetRecords(std::move(roots));
    ReportModel& model = list.GetModel();
    std::vector<std::pair<int, int>> changed;
    model.SetOnItemChanged([&](int id, int columnId) { changed.emplace_back(id, columnId); });

    const QModelIndex cell = model.index(0, 1);
    EXPECT_TRUE(model.flags(cell) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsUserCheckable); // no item there
    EXPECT_TRUE(model.setData(cell, Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(item->state, Qt::Checked);
    EXPECT_FALSE(model.setData(cell, Qt::PartiallyChecked, Qt::CheckStateRole));
    EXPECT_FALSE(model.setData(model.index(0, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(changed, (std::vector<std::pair<int, int>>{{9, 11}}));
}

TEST(RecordItemColor, ClickOpensTheChooserAndReportsTheNewColour)
{
    ReportControl list;
    AddColumns(list, 1);
    list.GetModel().GetColumn(0).id = 3;
    std::vector<std::unique_ptr<ReportRecord>> roots;
    roots.push_back(std::make_unique<ReportRecord>(7));
    auto color = std::make_unique<RecordItemColor>();
    RecordItemColor* item = color.get();
    roots[0]->SetItem(3, std::move(color));
    list.SetRecords(std::move(roots));
    const QModelIndex cell = list.FindRow(7);
    EXPECT_FALSE(cell.data(ReportControl::ColorSwatchRole).isValid()); // no colour known yet

    std::vector<std::pair<int, int>> changed;
    list.GetModel().SetOnItemChanged([&](int id, int columnId) { changed.emplace_back(id, columnId); });
    uint32_t offered = 0;
    const ColorChooser previous = RecordItemColor::SetColorChooser([&](uint32_t& c, QWidget*) {
        offered = c;
        c = 0x0000FF; // COLORREF red
        return true;
    });
    list.clicked(cell);
    EXPECT_EQ(offered, 0xC0C0C0u);
    EXPECT_EQ(item->GetColor(), 0x0000FFu);
    EXPECT_EQ(cell.data(ReportControl::ColorSwatchRole).value<QColor>(), QColor(255, 0, 0));
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0], std::make_pair(7, 3));

    // Cancelled: nothing changes, nobody is told.
    RecordItemColor::SetColorChooser([](uint32_t&, QWidget*) { return false; });
    list.clicked(cell);
    EXPECT_EQ(item->GetColor(), 0x0000FFu);
    EXPECT_EQ(changed.size(), 1u);
    RecordItemColor::SetColorChooser(previous);
}

} // namespace
