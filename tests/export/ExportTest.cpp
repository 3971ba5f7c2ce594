#include "CsvExport.h"
#include "ExportFieldNames.h"
#include "ExportSelection.h"
#include "NmeaExport.h"
#include "NmeaExportOptions.h"
#include "NmeaTrackWriter.h"
#include "OpenTracksTestBench.h"
#include "RegistryKey.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QStringList Lines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    if (lines.size() == 1)
        lines = lines.front().split(QLatin1Char('\n'));
    lines.removeAll(QString());
    return lines;
}

class ExportTest : public OpenTracksTest
{
protected:
    // One file: a folder with two segments, and a segment of three points
    // all filtered.
    void SetUp() override
    {
        SourceTree source(QStringLiteral("day"));
        const int morning = source.Folder(source.file, QStringLiteral("morning"));
        source.Segment(morning, MakePoints(4, Time(2024, 5, 1, 8)));
        const int evening = source.Folder(source.file, QStringLiteral("evening"));
        source.Segment(evening, MakePoints(3, Time(2024, 5, 1, 18)));
        std::vector<TrackPoint> filtered = MakePoints(3, Time(2024, 5, 1, 20));
        for (TrackPoint& point : filtered)
            point.GetStatus().SetFilterReason(12);
        source.Segment(source.file, filtered);
        m_file = Open(source);
        const std::vector<int>& children = model.GetReader()->GetChildren(m_file);
        m_morning = children.at(0);
        m_evening = children.at(1);
    }

    QString Out(const QString& name) const { return QDir(m_dir).filePath(name); }

    int m_file = -1;
    int m_morning = -1;
    int m_evening = -1;
    QString m_dir = MakeTempDir();
};

} // namespace

TEST(CsvExport, HeadersCarryTheUnitsOfTheMeasuringSystem)
{
    const std::vector<std::string> metric = CsvExport::Headers(MeasuringSystem::Metric);
    ASSERT_EQ(metric.size(), 17u);
    EXPECT_EQ(metric[0], "Date/time");
    EXPECT_EQ(metric[1], "Latitude");
    EXPECT_EQ(metric[3], "Elevation (m)");
    EXPECT_EQ(metric[4], "Speed (km/h)");
    EXPECT_EQ(metric[5], "Heading");
    EXPECT_EQ(metric[6], "Leg length (m)");
    EXPECT_EQ(metric[7], "From start (km)");
    EXPECT_EQ(metric[8], "Elapsed time");
    EXPECT_EQ(metric[12], "GPS speed (km/h)");
    const std::vector<std::string> imperial = CsvExport::Headers(MeasuringSystem::Imperial);
    EXPECT_EQ(imperial[3], "Elevation (ft)");
    EXPECT_EQ(imperial[4], "Speed (mph)");
    EXPECT_EQ(imperial[7], "From start (mi)");
    EXPECT_EQ(ExportFieldName(7), QStringLiteral("Acceleration"));
    EXPECT_TRUE(ExportFieldName(24).isEmpty());
    EXPECT_TRUE(ExportFieldName(-1).isEmpty());
}

TEST_F(ExportTest, CsvWritesTheKeptPointsOfBothFoldersUnderOneHeader)
{
    const std::vector<int> segments = ExportSelection::SegmentsOf(model, {m_morning, m_evening, m_file});
    ASSERT_EQ(segments.size(), 3u);
    QString error;
    ASSERT_TRUE(CsvExport::Write(model, segments, Out(QStringLiteral("day.csv")), MeasuringSystem::Metric, error))
        << error.toStdString();
    const QStringList lines = Lines(Out(QStringLiteral("day.csv")));
    // The header, 4 morning points, 3 evening points; the filtered segment
    // gives none.
    ASSERT_EQ(lines.size(), 1 + 4 + 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Date/time,Latitude,Longitude,Elevation (m)")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("2024-05-01T08:00:00Z"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[5].startsWith(QStringLiteral("2024-05-01T18:00:00Z"))) << lines[5].toStdString();
    // Elapsed time starts again with each segment.
    EXPECT_TRUE(lines[5].contains(QStringLiteral(",00:00:00,"))) << lines[5].toStdString();
    EXPECT_TRUE(lines[4].contains(QStringLiteral(",00:00:30,"))) << lines[4].toStdString();
}

TEST_F(ExportTest, NmeaWritesTheChosenSentencesForEveryPoint)
{
    const std::vector<int> segments = ExportSelection::SegmentsOf(model, {m_morning});
    QString error;
    const QString path = Out(QStringLiteral("morning.nmea"));
    ASSERT_TRUE(NmeaExport::Write(model, segments, path, NmeaTrackWriter::MessageRmc | NmeaTrackWriter::MessageGll,
                                  error));
    const QStringList lines = Lines(path);
    ASSERT_EQ(lines.size(), 8);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("$GPRMC")));
    EXPECT_EQ(lines.filter(QStringLiteral("$GPGLL")).size(), 4);
    EXPECT_TRUE(lines.filter(QStringLiteral("$GPGGA")).isEmpty());

    // A file that cannot be written is reported, and nothing is left.
    const QString blocked = Out(QStringLiteral("no/such/folder/x.nmea"));
    EXPECT_FALSE(NmeaExport::Write(model, segments, blocked, NmeaTrackWriter::MessageRmc, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(blocked));
    EXPECT_FALSE(CsvExport::Write(model, segments, blocked, MeasuringSystem::Metric, error));
}

TEST_F(ExportTest, TheSelectionsFilesDecideWhetherItCanBeExported)
{
    SourceTree other(QStringLiteral("other"));
    other.Segment(other.file, MakePoints(2, Time(2024, 5, 2, 8)));
    const int second = Open(other);
    EXPECT_EQ(ExportSelection::FilesOf(model, {m_morning, m_evening}), std::vector<int>{m_file});
    EXPECT_EQ(ExportSelection::FilesOf(model, {m_morning, second}).size(), 2u);
}

TEST(NmeaExportOptions, SentencesMakeTheMessageSet)
{
    RegistryKey(QStringLiteral("Settings\\ExportNmea")).ClearSection();
    NmeaExportOptions options;
    EXPECT_EQ(options.GetMessageSet(), NmeaTrackWriter::MessageRmc | NmeaTrackWriter::MessageGga);
    options.gll.Set(true);
    options.gga.Set(false);
    EXPECT_EQ(options.GetMessageSet(), NmeaTrackWriter::MessageRmc | NmeaTrackWriter::MessageGll);
    // Stored: a new reader sees the choice.
    EXPECT_EQ(NmeaExportOptions().GetMessageSet(), NmeaTrackWriter::MessageRmc | NmeaTrackWriter::MessageGll);
    RegistryKey(QStringLiteral("Settings\\ExportNmea")).ClearSection();
}
