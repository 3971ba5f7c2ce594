#include "CsvExport.h"
#include "OpenTracksTestBench.h"
#include "PointFields.h"
#include "TestSupport.h"
#include "TrackI.h"
#include "TrackPointEx.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

// The CSV export writes the table of point fields' CSV columns: their
// headers, and for each kept point their texts.

namespace {

class CsvFieldsTest : public OpenTracksTest
{};

std::string Quoted(const std::string& text)
{
    return text.find_first_of(",\"") == std::string::npos ? text : "\"" + text + "\"";
}

} // namespace

TEST_F(CsvFieldsTest, EveryLineIsTheTablesTexts)
{
    SourceTree source(QStringLiteral("ride"));
    std::vector<TrackPoint> points = MakePoints(5, Time(2024, 5, 1, 8), 7.5);
    points[1].GetGpsParams().SetHeartRate(150);
    points[2].GetGpsParams().SetGpsSpeed(25.0);
    points[3].GetStatus().SetFilterReason(12);
    source.Segment(source.file, points);
    const std::vector<int> segments = Segments(Open(source));
    ASSERT_EQ(segments.size(), 1u);
    const int tid = segments.front();

    for (const MeasuringSystem system : {MeasuringSystem::Metric, MeasuringSystem::Nautical}) {
        const QString path = QDir(MakeTempDir()).filePath(QStringLiteral("ride.csv"));
        QString error;
        ASSERT_TRUE(CsvExport::Write(model, {tid}, path, system, error)) << error.toStdString();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const std::string written = file.readAll().toStdString();

        const std::vector<const PointFieldInfo*>& fields = PointFields::CsvColumns();
        std::string expected;
        for (size_t k = 0; k < fields.size(); ++k)
            expected += (k ? "," : "") + Quoted(PointFields::CsvHeader(*fields[k], system).toStdString());
        expected += "\r\n";
        const TrackPtr track = model.GetTrack(tid);
        PointFieldContext context;
        context.system = system;
        int kept = 0;
        for (int i = 0; i < track->GetPointCount(); ++i) {
            TrackPointEx point;
            track->GetPointEx(i, point);
            if (i == 0)
                context.start = point.GetTime();
            if (!point.IsValid())
                continue;
            ++kept;
            for (size_t k = 0; k < fields.size(); ++k) {
                if (k)
                    expected += ',';
                PointFields::AppendCsv(expected, *fields[k], point, context);
            }
            expected += "\r\n";
        }
        EXPECT_EQ(kept, 4) << "the filtered point is left out";
        EXPECT_EQ(written, expected);
    }
}
