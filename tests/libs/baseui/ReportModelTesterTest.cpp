#include "RecordItemColor.h"
#include "ReportControl.h"
#include "ReportVirtualRecordI.h"

#include <QAbstractItemModelTester>
#include <QAbstractListModel>
#include <QApplication>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstring>

namespace {

// QAbstractItemModelTester in its warning mode goes on checking after a
// violation; this collects what it reports so that the test fails with the
// message, rather than aborting the whole program as the fatal mode does.
class ModelViolations
{
public:
    ModelViolations()
    {
        s_current = this;
        m_previous = qInstallMessageHandler(&Handle);
    }
    ~ModelViolations()
    {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }
    ModelViolations(const ModelViolations&) = delete;
    ModelViolations& operator=(const ModelViolations&) = delete;

    // Those found since the last call.
    QStringList Take() { return std::exchange(m_found, {}); }

private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (s_current && context.category && std::strcmp(context.category, "qt.modeltest") == 0) {
            s_current->m_found.append(message);
            return;
        }
        if (s_current && s_current->m_previous)
            s_current->m_previous(type, context, message);
    }

    static inline ModelViolations* s_current = nullptr;
    QtMessageHandler m_previous = nullptr;
    QStringList m_found;
};

#define EXPECT_NO_VIOLATION(violations, step)                                                                          \
    do {                                                                                                               \
        const QStringList found = (violations).Take();                                                                 \
        EXPECT_TRUE(found.isEmpty()) << (step) << ":\n" << found.join(QLatin1Char('\n')).toStdString();                \
    } while (false)

// A name cell as the track list has one: checkable and editable in place.
class NameItem : public ReportRecordItemText
{
public:
    using ReportRecordItemText::ReportRecordItemText;

    QVariant GetData(int role) const override
    {
        if (role == Qt::CheckStateRole)
            return m_checked ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::EditRole)
            return GetText();
        return ReportRecordItemText::GetData(role);
    }
    bool SetData(const QVariant& value, int role) override
    {
        if (role == Qt::CheckStateRole)
            m_checked = value.toInt() == Qt::Checked;
        else if (role == Qt::EditRole)
            SetText(value.toString());
        else
            return false;
        return true;
    }
    Qt::ItemFlags GetFlags() const override { return Qt::ItemIsUserCheckable | Qt::ItemIsEditable; }

private:
    bool m_checked = true;
};

enum Column {
    Name = 1,
    Points = 2,
    Color = 3
};

void AddColumns(ReportModel& model)
{
    for (const auto& [id, caption, alignment] :
         {std::tuple{Name, "Name", 0}, std::tuple{Points, "Points", 2}, std::tuple{Color, "", 1}}) {
        ReportColumn column;
        column.id = id;
        column.caption = QString::fromLatin1(caption);
        column.alignment = alignment;
        model.AddColumn(column);
    }
}

std::unique_ptr<ReportRecord> Row(int id, int points)
{
    auto record = std::make_unique<ReportRecord>(id);
    record->SetItem(Name, std::make_unique<NameItem>(QStringLiteral("node %1").arg(id)));
    record->SetItem(Points, std::make_unique<ReportRecordItemText>(QString::number(points)));
    record->SetItem(Color, std::make_unique<RecordItemColor>(0x0000FF, true));
    return record;
}

// Rows as the track list makes them from the open files: per file a row,
// under it its folders and segments. Ids are 100 * file + place.
std::vector<std::unique_ptr<ReportRecord>> Files(int count, int foldersPerFile)
{
    std::vector<std::unique_ptr<ReportRecord>> files;
    for (int f = 1; f <= count; ++f) {
        auto file = Row(100 * f, 30);
        for (int d = 1; d <= foldersPerFile; ++d) {
            ReportRecord* folder = file->AddChild(Row(100 * f + 10 * d, 20));
            folder->AddChild(Row(100 * f + 10 * d + 1, 10));
            folder->AddChild(Row(100 * f + 10 * d + 2, 10));
        }
        file->AddChild(Row(100 * f + 99, 10));
        files.push_back(std::move(file));
    }
    return files;
}

// The point list's record: one row per point, every cell computed.
class PointsRecord : public ReportVirtualRecordI
{
public:
    QVariant GetItemMetrics(int row, int columnId, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        return QStringLiteral("%1/%2").arg(row).arg(columnId);
    }
};

TEST(ReportModelTester, TreeRowsOfTheTrackListThroughEveryChange)
{
    ModelViolations violations;
    ReportControl list;
    ReportModel& model = list.GetModel();
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    AddColumns(model);
    EXPECT_NO_VIOLATION(violations, "columns added to an empty model");

    list.SetRecords(Files(2, 1));
    list.expandAll();
    list.show();
    QApplication::processEvents();
    ASSERT_EQ(model.rowCount(), 2);
    ASSERT_EQ(model.rowCount(model.FindId(110)), 2);
    EXPECT_NO_VIOLATION(violations, "two files with a folder each");

    // Files opened and closed: the list sets all its rows again.
    list.SetRecords(Files(4, 2));
    list.expandAll();
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_NO_VIOLATION(violations, "more files and folders");
    list.SetRecords(Files(1, 0));
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.rowCount(model.FindId(100)), 1);
    EXPECT_NO_VIOLATION(violations, "fewer files, no folder");

    list.SetRecords(Files(3, 1));
    list.expandAll();
    list.RefreshAll();
    list.RefreshId(311);
    model.NotifyHeaderChanged();
    EXPECT_NO_VIOLATION(violations, "redraws and a new header");

    // A rename and a check box toggled in place.
    const QModelIndex segment = model.FindId(211).siblingAtColumn(model.FindColumn(Name));
    ASSERT_TRUE(model.setData(segment, QStringLiteral("renamed"), Qt::EditRole));
    ASSERT_TRUE(model.setData(segment, Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(segment.data().toString(), QStringLiteral("renamed"));
    EXPECT_FALSE(model.setData(model.FindId(211).siblingAtColumn(model.FindColumn(Points)), 5, Qt::EditRole));
    EXPECT_NO_VIOLATION(violations, "edits");

    list.SetRecords({});
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_NO_VIOLATION(violations, "every file closed");
}

TEST(ReportModelTester, VirtualRowsOfThePointListThroughEveryChange)
{
    ModelViolations violations;
    PointsRecord record;
    ReportControl list;
    ReportModel& model = list.GetModel();
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    AddColumns(model);
    list.SetVirtualMode(&record, 1000);
    list.show();
    QApplication::processEvents();
    EXPECT_EQ(model.rowCount(), 1000);
    EXPECT_NO_VIOLATION(violations, "a segment of 1000 points");

    // Points added, deleted, another segment chosen, none.
    for (const int rows : {1500, 10, 0, 1, 200}) {
        list.SetVirtualMode(&record, rows);
        list.RefreshAll();
        EXPECT_EQ(model.rowCount(), rows);
        EXPECT_NO_VIOLATION(violations, "a segment of " + std::to_string(rows) + " points");
    }
    list.RefreshId(150);
    EXPECT_NO_VIOLATION(violations, "a point redrawn");

    list.SetVirtualMode(nullptr, 0);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_NO_VIOLATION(violations, "no segment");

    // The same model from virtual rows to records and back.
    list.SetRecords(Files(2, 1));
    EXPECT_NO_VIOLATION(violations, "records after virtual rows");
    list.SetVirtualMode(&record, 30);
    EXPECT_FALSE(model.GetRecord(model.index(0, 0)));
    EXPECT_NO_VIOLATION(violations, "virtual rows after records");
}

// A tree whose children name no parent: the tester must catch that, or the
// tests above prove nothing.
class ChildrenWithoutParent : public QAbstractItemModel
{
public:
    QModelIndex index(int row, int column, const QModelIndex& parent) const override
    {
        return hasIndex(row, column, parent) ? createIndex(row, column, parent.isValid() ? 1 : 0) : QModelIndex();
    }
    QModelIndex parent(const QModelIndex&) const override { return {}; }
    int rowCount(const QModelIndex& parent) const override
    {
        return !parent.isValid() ? 1 : parent.internalId() == 0 ? 2 : 0;
    }
    int columnCount(const QModelIndex&) const override { return 1; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        return role == Qt::DisplayRole ? QVariant(index.row()) : QVariant();
    }
};

TEST(ReportModelTester, ABrokenModelIsReported)
{
    ModelViolations violations;
    ChildrenWithoutParent broken;
    QAbstractItemModelTester tester(&broken, QAbstractItemModelTester::FailureReportingMode::Warning);
    EXPECT_FALSE(violations.Take().isEmpty());
}

} // namespace
