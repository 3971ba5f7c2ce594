#include "CutMap.h"
#include "RebuildTreeOptions.h"
#include "RegistryKey.h"
#include "RestructureTestSupport.h"
#include "TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace restructuretest;

namespace {

// The thresholds as the settings file holds them, read by fresh options.
RestructureParams Stored(int folderMinutes, int segmentMinutes)
{
    RegistryKey::SetStorageFile(QDir(MakeTempDir()).filePath(QStringLiteral("rebuild.ini")));
    RegistryKey key(QStringLiteral("Settings\\RebuildTree"));
    key.WriteDword(QStringLiteral("FolderThreshold"), static_cast<uint32_t>(folderMinutes));
    key.WriteDword(QStringLiteral("SegThreshold"), static_cast<uint32_t>(segmentMinutes));
    return RebuildTreeOptions().GetParams();
}

} // namespace

TEST(RebuildTreeOptions, StoredThresholdsAreBroughtIntoTheDialogsRanges)
{
    const struct
    {
        int folder, segment, expectedFolder, expectedSegment;
    } cases[] = {
        {0, 0, 10, 1},
        {-5, -1, 10, 1},
        {5, 30, 10, 10},
        {100000, 100000, 600, 10},
        {90, 3, 90, 3},
        {10, 1, 10, 1},
        {600, 10, 600, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.folder << ", " << c.segment);
        const RestructureParams params = Stored(c.folder, c.segment);
        EXPECT_EQ(params.folderMinutes, c.expectedFolder);
        EXPECT_EQ(params.segmentMinutes, c.expectedSegment);
    }
}

TEST(RebuildTreeOptions, ZeroThresholdsInTheSettingsDoNotCutAtEveryPoint)
{
    // Points 10 s apart with one gap of 3 minutes: a new segment there, as
    // with the smallest gaps the dialog offers, and no folder per point.
    std::vector<TrackPoint> points = TimedRun(30);
    AppendRun(points, 30, TimeSpan(TimeSpan::Minutes, 3));
    CutMap map(points, Stored(0, 0), {});
    map.DropShortSegments();
    EXPECT_EQ(map.GetCuts(), (std::map<int, CutMap::Kind>{{29, CutMap::NewSegment}, {59, CutMap::End}}));
}
