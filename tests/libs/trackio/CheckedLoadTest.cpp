#include "CheckedLoad.h"
#include "TrackLoaderBase.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

// The checks the fuzz targets rely on must see each kind of broken outcome.
namespace {

class ScriptedLoader : public TrackLoaderBase
{
public:
    explicit ScriptedLoader(std::function<bool(LoadContext&)> script) : m_script(std::move(script)) {}
    TrackFileType GetFileType() const override { return TrackFileGpx; }

protected:
    bool ReadContent(QIODevice&, LoadContext& context) override { return m_script(context); }

private:
    std::function<bool(LoadContext&)> m_script;
};

TrackPoint At(double lon, double lat)
{
    TrackPoint point;
    point.Set2D({lon, lat});
    return point;
}

CheckedLoad LoadScripted(std::function<bool(LoadContext&)> script)
{
    ScriptedLoader loader(std::move(script));
    return CheckedLoad::Run(loader, QByteArray("ignored"));
}

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

TEST(CheckedLoad, SoundOutcomesPass)
{
    const CheckedLoad loaded = LoadScripted([](LoadContext& c) {
        c.AddSegment(c.AddFolder(c.GetFileTid(), "track"), "").Append(At(180, -90));
        return true;
    });
    EXPECT_EQ(loaded.status, TrackLoaderI::Success);
    EXPECT_EQ(loaded.points, 1);
    EXPECT_EQ(loaded.violation, "");

    const CheckedLoad nothing = LoadScripted([](LoadContext&) { return true; });
    EXPECT_EQ(nothing.status, TrackLoaderI::NoTrack);
    EXPECT_EQ(nothing.violation, "");

    const CheckedLoad failed = LoadScripted([](LoadContext& c) {
        c.AddSegment(c.GetFileTid(), "").Append(At(NaN, 0)); // thrown away with the failed load
        c.FailAtLine(3, "bad");
        return false;
    });
    EXPECT_EQ(failed.status, TrackLoaderI::ReadError);
    EXPECT_EQ(failed.violation, "");
}

TEST(CheckedLoad, ReadErrorWithoutMessage)
{
    // A reader that gives up without saying why.
    const CheckedLoad loaded = LoadScripted([](LoadContext&) { return false; });
    EXPECT_EQ(loaded.status, TrackLoaderI::ReadError);
    EXPECT_EQ(loaded.violation, "a read error without a message");
}

TEST(CheckedLoad, EmptySegmentInALoadedFile)
{
    const CheckedLoad loaded = LoadScripted([](LoadContext& c) {
        c.AddSegment(c.GetFileTid(), "").Append(At(1, 2));
        c.AddSegment(c.GetFileTid(), "left empty");
        return true;
    });
    EXPECT_EQ(loaded.violation, "an empty segment in a loaded file");
}

TEST(CheckedLoad, PointsThatCannotBeShown)
{
    const auto onePoint = [](TrackPoint point) {
        return LoadScripted([point](LoadContext& c) {
            c.AddSegment(c.GetFileTid(), "").Append(point);
            return true;
        });
    };
    EXPECT_EQ(onePoint(At(NaN, 0)).violation, "a coordinate is not finite");
    EXPECT_EQ(onePoint(At(0, Inf)).violation, "a coordinate is not finite");
    EXPECT_EQ(onePoint(At(180.5, 0)).violation, "a position is out of range");
    EXPECT_EQ(onePoint(At(0, -90.001)).violation, "a position is out of range");
    TrackPoint high = At(1, 2);
    high.SetElevation(NaN);
    EXPECT_EQ(onePoint(high).violation, "a coordinate is not finite");
    TrackPoint fast = At(1, 2);
    fast.GetGpsParams().SetGpsSpeed(Inf);
    EXPECT_EQ(onePoint(fast).violation, "a receiver value is not finite");
}

TEST(CheckedLoad, ArraysLeftBehindByARemovedSegment)
{
    // Points the tree no longer shows still count as loaded: a success
    // could then show nothing.
    const CheckedLoad loaded = LoadScripted([](LoadContext& c) {
        int tid = -1;
        c.AddSegment(c.GetFileTid(), "", tid).Append(At(1, 2));
        dynamic_cast<TrackTreeEditorI&>(c.GetCreator()).Remove(tid);
        return true;
    });
    EXPECT_EQ(loaded.status, TrackLoaderI::Success);
    EXPECT_EQ(loaded.violation, "point arrays that belong to no segment");
}

} // namespace
