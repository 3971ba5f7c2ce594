#include "FilterReasons.h"
#include "OblDlgBase.h"
#include "PointFields.h"
#include "PointList.h"
#include "PointListDlg.h"
#include "PointPropCtrl.h"
#include "PointPropDlg.h"
#include "RegistryKey.h"
#include "ReportModel.h"
#include "AppTracksFixture.h"
#include "TimeZones.h"
#include "Translator.h"

#include <QTreeWidgetItem>

// The point list and the point properties show the fields of the table of
// point fields, in its order, under its titles and with its texts.

namespace {

class PointFieldViewsTest : public AppTracksFixture
{
protected:
    void SetUp() override
    {
        AppTracksFixture::SetUp();
        TimeZones::GetInstance().SetTZSettings(TimeZoneSettings(TimeZoneSettings::Utc));
        RegistryKey(OblDlgBase::GetLayoutSection(QStringLiteral("PointList"))).ClearSection();
        // Receiver values on every other point, one point filtered and one
        // added by the user, the last without elevation.
        std::vector<TrackPoint> points;
        for (int i = 0; i < 6; ++i) {
            TrackPoint point = At(130.0 * i, Time(2024, 5, 1, 10, i, 7 * i) + TimeSpan::FromMicroseconds(250000 * i));
            TrackPointGpsParams& gps = point.GetGpsParams();
            if (i % 2 == 0) {
                gps.SetGpsSpeed(10.0 + 3.3 * i);
                gps.SetGpsAzimuth(61.7 * i);
                gps.SetHdop(1.25 + i);
                gps.SetVdop(2.5 + i);
                gps.SetPdop(3.05 + i);
                gps.SetSatCount(4 + i);
                gps.SetFixType(PositionFixType::Fix3D);
                gps.SetHeartRate(120 + i);
                gps.SetCadence(80 + i);
                gps.SetTemperature(-3.25f + 5 * i);
            }
            points.push_back(point);
        }
        points[3].GetStatus().SetFilterReason(12);
        points[4].GetStatus().SetMode(TrackPointStatus::AddedByUser, true);
        points[5].ClearElevation();
        m_segment = Segments(AddFile({points})).front();
        Holder().SetSelection({m_segment});
    }

    void TearDown() override
    {
        OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Metric));
        RegistryKey(OblDlgBase::GetLayoutSection(QStringLiteral("PointList"))).ClearSection();
        AppTracksFixture::TearDown();
        TimeZones::GetInstance().SetTZSettings(TimeZoneSettings());
    }

    // Every cell of the list against the table; the count of texts compared.
    static int ExpectListShowsTheTable(PointList& list)
    {
        const ReportModel& model = list.GetModel();
        const PtListNavI* nav = list.GetNav();
        EXPECT_NE(nav, nullptr);
        if (!nav)
            return 0;
        EXPECT_EQ(static_cast<size_t>(model.columnCount()), PointFields::ListColumns().size());
        int compared = 0;
        for (const PointFieldInfo* field : PointFields::ListColumns()) {
            SCOPED_TRACE(field->id);
            const int column = model.FindColumn(field->id);
            EXPECT_GE(column, 0);
            EXPECT_EQ(model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(),
                      Translator::GetInstance().LoadStr(field->column.titleId) + PointFields::ListTitleSuffix(*field));
            if (field->id == PointField::Status)
                continue; // a picture
            for (int row = 0; row < model.rowCount(); ++row) {
                TrackPointEx point;
                nav->GetPoint(row, point);
                PointFieldContext context;
                context.index = nav->RowToIndex(row);
                context.start = nav->GetStartTime();
                const QString expected = PointFields::ListText(*field, point, context);
                EXPECT_EQ(model.index(row, column).data(Qt::DisplayRole).toString(), expected) << "row " << row;
                compared += expected.isEmpty() ? 0 : 1;
            }
        }
        return compared;
    }

    int m_segment = -1;
};

} // namespace

TEST_F(PointFieldViewsTest, TheListShowsTheTablesColumnsAndTexts)
{
    PointListDlg dlg([](const TrackPosition&) {});
    dlg.resize(900, 400);
    dlg.show();
    PointList& list = dlg.GetList();
    ASSERT_EQ(list.GetModel().rowCount(), 6);
    // Most cells have a text; odd points lack the receiver's values.
    const int cells = 6 * (list.GetModel().columnCount() - 1);
    EXPECT_GT(ExpectListShowsTheTable(list), cells * 2 / 3);
    // Columns in the table's order, those not shown by default hidden.
    const std::vector<const PointFieldInfo*>& columns = PointFields::ListColumns();
    for (size_t place = 0; place < columns.size(); ++place) {
        EXPECT_EQ(list.GetModel().FindColumn(columns[place]->id), static_cast<int>(place));
        EXPECT_EQ(list.GetColumns().IsColumnVisible(columns[place]->id), columns[place]->column.shown);
    }

    OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Nautical));
    list.OnUnitsChanged();
    EXPECT_GT(ExpectListShowsTheTable(list), cells * 2 / 3);
}

TEST_F(PointFieldViewsTest, ThePropertiesShowTheTablesRowsAndTexts)
{
    PointPropDlg dlg;
    PointPropCtrl& sheet = dlg.GetSheet();
    // The groups and their rows, in the table's order.
    std::vector<std::pair<int, int>> shown;
    for (int g = 0; g < sheet.topLevelItemCount(); ++g) {
        const QTreeWidgetItem* node = sheet.topLevelItem(g);
        for (int r = 0; r < node->childCount(); ++r)
            shown.emplace_back(g, r);
    }
    const std::vector<const PointFieldInfo*>& rows = PointFields::SheetRows();
    ASSERT_EQ(shown.size(), rows.size());
    EXPECT_EQ(sheet.topLevelItemCount(), 4);
    for (size_t i = 0; i < rows.size(); ++i) {
        const QTreeWidgetItem* node = sheet.topLevelItem(shown[i].first);
        EXPECT_EQ(node->text(0),
                  Translator::GetInstance().LoadStr(PointFields::SheetGroupTitleId(rows[i]->sheet.group)));
        EXPECT_EQ(node->child(shown[i].second), sheet.FindItem(rows[i]->sheet.titleId)) << rows[i]->id;
    }

    int compared = 0;
    const TrackPtr track = Model().GetTrack(m_segment);
    for (int index = 0; index < track->GetPointCount(); ++index) {
        Holder().SetCurrentPoint(m_segment, index);
        TrackPointEx point;
        track->GetPointEx(index, point);
        PointFieldContext context;
        context.index = index;
        context.reasonText = [](int key) { return FilterReasons::GetInstance().GetText(key).text; };
        for (const PointFieldInfo* field : rows) {
            const QString expected = PointFields::SheetText(*field, point, context);
            EXPECT_EQ(sheet.GetItemText(field->sheet.titleId), expected) << "point " << index << " field " << field->id;
            compared += expected.isEmpty() ? 0 : 1;
        }
    }
    EXPECT_GT(compared, static_cast<int>(rows.size()) * 6 * 2 / 3);
}
