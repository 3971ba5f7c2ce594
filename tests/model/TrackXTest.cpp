#include "AppTick.h"
#include "CalcDataGeneralI.h"
#include "CompositeFixture.h"
#include "LayoutDeferral.h"
#include "TimeOrderCheck.h"
#include "TrackPointEx.h"
#include "TrackPtNav.h"
#include "TrackTestSupport.h"

#include <gtest/gtest.h>

using namespace tracktest;

namespace {

using F = CompositeFixture;

void Tick(int count = 2)
{
    for (int i = 0; i < count; ++i)
        AppTick::GetInstance().Raise();
}

// A navigator over all the composite's points in one array, to hold the
// composite's navigator against.
TrackPtNav FlatNavigator(const TrackI& composite)
{
    return TrackPtNav(TrackData(PointsOf(composite)));
}

void ExpectSameNavigation(const TrackPtNavI& composite, const TrackPtNavI& flat)
{
    EXPECT_EQ(composite.GetFirstValid(), flat.GetFirstValid());
    EXPECT_EQ(composite.GetLastValid(), flat.GetLastValid());
    EXPECT_EQ(composite.GetValidCount(), flat.GetValidCount());
    EXPECT_EQ(composite.GetFilteredCount(), flat.GetFilteredCount());
    EXPECT_EQ(composite.GetCount(), flat.GetCount());
    for (int index = -3; index <= flat.GetCount() + 3; ++index) {
        for (int mode = 0; mode <= 3; ++mode) {
            ASSERT_EQ(composite.GetNext(index, mode), flat.GetNext(index, mode)) << index << " mode " << mode;
            ASSERT_EQ(composite.GetPrev(index, mode), flat.GetPrev(index, mode)) << index << " mode " << mode;
        }
        ASSERT_EQ(composite.GetValidOrdinal(index), flat.GetValidOrdinal(index)) << index;
        ASSERT_EQ(composite.GetValidIndex(index), flat.GetValidIndex(index)) << index;
    }
}

} // namespace

TEST(TrackX, NumbersThePartsOneAfterAnother)
{
    const F f;
    EXPECT_EQ(f.file->GetPointCount(), 11);
    EXPECT_EQ(f.folder->GetPointCount(), 5);
    EXPECT_EQ(f.file->GetParentOffset(), 0);
    EXPECT_EQ(f.folder->GetParentOffset(), 2);
    EXPECT_EQ(f.s1->GetParentOffset(), 0);
    EXPECT_EQ(f.s2->GetParentOffset(), 3);
    EXPECT_EQ(f.s3->GetParentOffset(), 7);
    for (int i = 0; i < 11; ++i) {
        TrackPoint point;
        ASSERT_TRUE(f.file->GetPoint(i, point));
        EXPECT_EQ(point.GetLon(), i / 1000.0);
    }
    EXPECT_EQ(f.file->GetSegmentTid(0), F::S0);
    EXPECT_EQ(f.file->GetSegmentTid(2), F::S1);
    EXPECT_EQ(f.file->GetSegmentTid(6), F::S2);
    EXPECT_EQ(f.file->GetSegmentTid(7), F::S3);
    EXPECT_EQ(f.file->GetSegmentTid(11), -1);
    EXPECT_EQ(f.file->GetSegmentTid(-1), -1);
    ExpectCompositeAgrees(*f.file, true);
    ExpectCompositeAgrees(*f.folder, true);
}

TEST(TrackX, ConvertsIndicesIntoItsSubtree)
{
    const F f;
    EXPECT_EQ(f.file->ConvertIndex(6, F::S2), 1);
    EXPECT_EQ(f.file->ConvertIndex(6, F::FolderTid), 4);
    EXPECT_EQ(f.file->ConvertIndex(2, F::FolderTid), 0);
    EXPECT_EQ(f.file->ConvertIndex(7, F::S3), 0);
    // The point is not in that node.
    EXPECT_EQ(f.file->ConvertIndex(7, F::FolderTid), -1);
    EXPECT_EQ(f.file->ConvertIndex(1, F::S2), -1);
    EXPECT_EQ(f.file->ConvertIndex(11, F::FileTid), -1);
    EXPECT_EQ(f.file->ConvertIndex(3, 99), -1);
    EXPECT_EQ(f.folder->ConvertIndex(3, F::S2), 0);
    EXPECT_EQ(f.folder->ConvertIndex(3, F::S1), -1);
}

TEST(TrackX, NavigatesAcrossPartsLikeOneArray)
{
    F f;
    // s0 all filtered, s1 partly, s2 valid, s3 ends filtered.
    f.s0->GetPointStatus(0)->SetFilterReason(7);
    f.s0->GetPointStatus(1)->SetFilterReason(7);
    f.s1->GetPointStatus(1)->SetFilterReason(7);
    f.s3->GetPointStatus(2)->SetFilterReason(7);
    f.s3->GetPointStatus(3)->SetFilterReason(7);
    f.file->Refresh(false);
    ExpectSameNavigation(f.file->GetPtNav(), FlatNavigator(*f.file));
    ExpectSameNavigation(f.folder->GetPtNav(), FlatNavigator(*f.folder));
    EXPECT_EQ(f.file->GetPtNav().GetFirstValid(), 2);
    EXPECT_EQ(f.file->GetPtNav().GetNext(2, 1), 4);
    EXPECT_EQ(f.file->GetPtNav().GetPrev(4, 1), 2);
    EXPECT_EQ(f.file->GetPtNav().GetLastValid(), 8);
    EXPECT_EQ(f.file->GetPtNav().GetNext(8, 1), -1);
    ExpectCompositeAgrees(*f.file, true);
}

TEST(TrackX, EmptyPartsAreSkipped)
{
    F f;
    f.s1->GetTrackDataPtr()->Clear();
    f.s1->Refresh(false);
    f.s3->GetPointStatus(0)->SetFilterReason(7);
    f.s3->Refresh(false);
    EXPECT_EQ(f.file->GetPointCount(), 8);
    EXPECT_EQ(f.s2->GetParentOffset(), 0);
    EXPECT_EQ(f.folder->GetParentOffset(), 2);
    EXPECT_EQ(f.file->GetSegmentTid(2), F::S2);
    ExpectSameNavigation(f.file->GetPtNav(), FlatNavigator(*f.file));
    ExpectCompositeAgrees(*f.file, true);
}

TEST(TrackX, EmptyCompositeAnswersNone)
{
    TrackX composite(5, -1);
    EXPECT_EQ(composite.GetPointCount(), 0);
    EXPECT_EQ(composite.GetPtNav().GetFirstValid(), -1);
    EXPECT_EQ(composite.GetPtNav().GetNext(-1, 0), -1);
    EXPECT_EQ(composite.GetPtNav().GetPrev(3, 2), -1);
    EXPECT_EQ(composite.GetPtNav().GetValidOrdinal(0), -1);
    EXPECT_EQ(composite.GetPtNav().GetValidIndex(0), -1);
    TrackPoint point;
    TrackPointEx pointEx;
    EXPECT_FALSE(composite.GetPoint(0, point));
    EXPECT_FALSE(composite.GetPointEx(0, pointEx));
    EXPECT_EQ(composite.GetPointStatus(0), nullptr);
    EXPECT_EQ(composite.GetSegmentTid(0), -1);
    EXPECT_EQ(composite.ConvertIndex(0, 5), -1);
    composite.InsertPoints(0, {PointAt(0, 0)});
    composite.DeletePoint(0);
    composite.DeleteFiltered();
    composite.RestoreFiltered();
    composite.Refresh(true);
    EXPECT_EQ(composite.GetPointCount(), 0);
    EXPECT_EQ(composite.GetCalcData().GetTotalDistance(), 0.0);
    EXPECT_EQ(composite.GetCalcData().GetMaxSpeed(), 0.0);
    EXPECT_TRUE(composite.GetCalcData().GetValidBounds().IsEmpty());
    EXPECT_EQ(composite.GetCalcData().GetPointParams(0), CalcTrackParams());
}

TEST(TrackX, ChangeThroughTheCompositeShowsInThePart)
{
    F f;
    TrackPoint point;
    ASSERT_TRUE(f.file->GetPoint(6, point));
    point.Set2D({0.0062, 0.0003});
    point.GetStatus().SetFilterReason(7);
    f.file->SetPoint(6, point);
    TrackPoint inPart;
    ASSERT_TRUE(f.s2->GetPoint(1, inPart));
    EXPECT_EQ(inPart, point);
    EXPECT_EQ(FilteredIndices(f.s2->GetPtNav()), (std::vector<int>{1}));
    EXPECT_EQ(FilteredIndices(f.folder->GetPtNav()), (std::vector<int>{4}));
    EXPECT_EQ(FilteredIndices(f.file->GetPtNav()), (std::vector<int>{6}));
    ExpectConsistent(*f.s2, PointsOf(*f.s2), false);
    ExpectCompositeAgrees(*f.file, false);
    TrackPointEx pointEx;
    ASSERT_TRUE(f.file->GetPointEx(6, pointEx));
    EXPECT_EQ(pointEx.GetCalcParams(), f.file->GetCalcData().GetPointParams(6));

    // A status written through the composite, then announced to it.
    f.file->GetPointStatus(3)->SetFilterReason(6);
    f.file->Refresh(false);
    EXPECT_EQ(FilteredIndices(f.s1->GetPtNav()), (std::vector<int>{1}));
    ExpectCompositeAgrees(*f.file, true);
    ExpectCompositeAgrees(*f.folder, true);
}

TEST(TrackX, DeletingMovesTheLaterParts)
{
    F f;
    f.file->DeletePoint(0);
    EXPECT_EQ(f.s0->GetPointCount(), 1);
    EXPECT_EQ(f.folder->GetParentOffset(), 1);
    EXPECT_EQ(f.s3->GetParentOffset(), 6);
    // Straight through a segment: both composites above it follow.
    f.s1->DeletePoint(1);
    EXPECT_EQ(f.folder->GetPointCount(), 4);
    EXPECT_EQ(f.file->GetPointCount(), 9);
    EXPECT_EQ(f.s2->GetParentOffset(), 2);
    EXPECT_EQ(f.s3->GetParentOffset(), 5);
    EXPECT_EQ(f.file->ConvertIndex(4, F::S2), 1);
    Tick();
    ExpectCompositeAgrees(*f.file, true);
    ExpectCompositeAgrees(*f.folder, true);
}

TEST(TrackX, InsertGoesToThePartHoldingTheIndex)
{
    F f;
    f.file->InsertPoints(2, {PointAt(0.0015, 15)});
    EXPECT_EQ(f.s1->GetPointCount(), 4);
    EXPECT_EQ(f.s0->GetPointCount(), 2);
    f.file->InsertPoints(100, {PointAt(0.011, 110)});
    EXPECT_EQ(f.s3->GetPointCount(), 5);
    TrackPoint last;
    ASSERT_TRUE(f.file->GetPoint(12, last));
    EXPECT_EQ(last.GetLon(), 0.011);
    f.file->InsertPoints(-5, {PointAt(-0.001, -10)});
    EXPECT_EQ(f.s0->GetPointCount(), 3);
    EXPECT_EQ(f.s3->GetParentOffset(), 9);
    ExpectCompositeAgrees(*f.file, true);
}

TEST(TrackX, DistanceFromStartRunsAcrossParts)
{
    F f;
    const CalcDataGeneralI& calc = f.file->GetCalcData();
    const double first = f.s0->GetCalcData().GetTotalDistance();
    EXPECT_GT(first, 0.0);
    EXPECT_EQ(calc.GetPointParams(2).DistFromStart, f.s1->GetCalcData().GetPointParams(0).DistFromStart + first);
    double total = 0;
    for (const auto& part : {f.s0, f.s1, f.s2, f.s3})
        total += part->GetCalcData().GetTotalDistance();
    EXPECT_EQ(calc.GetTotalDistance(), total);
    EXPECT_EQ(calc.GetPointParams(11), CalcTrackParams());
    EXPECT_EQ(calc.GetPointParams(-1), CalcTrackParams());
    double maxSpeed = 0;
    for (const auto& part : {f.s0, f.s1, f.s2, f.s3})
        maxSpeed = std::max(maxSpeed, part->GetCalcData().GetMaxSpeed());
    EXPECT_GT(maxSpeed, 0.0);
    EXPECT_EQ(calc.GetMaxSpeed(), maxSpeed);
    const PointBounds bounds = calc.GetValidBounds();
    EXPECT_EQ(bounds.minX, 0.0);
    EXPECT_EQ(bounds.maxX, 0.01);

    // A longer leg in s0 reaches the composite's offsets on the ticks.
    TrackPoint point;
    f.s0->GetPoint(1, point);
    point.Set2D({0.0015, 0});
    f.file->SetPoint(1, point);
    Tick();
    EXPECT_GT(f.s0->GetCalcData().GetTotalDistance(), first);
    ExpectCompositeAgrees(*f.file, true);
}

TEST(TrackX, WholeCompositeOperationsReachEveryPart)
{
    F f;
    // Out of order in s1 (20 30 -> 25) and s3.
    TrackPoint point;
    f.s1->GetPoint(1, point);
    point.SetTime(BaseTime() + TimeSpan::FromSeconds(45));
    f.s1->SetPoint(1, point);
    f.s3->GetPoint(2, point);
    point.SetTime(BaseTime());
    f.s3->SetPoint(2, point);
    f.file->Refresh(true);
    EXPECT_EQ(FilteredIndices(f.file->GetPtNav()), (std::vector<int>{3, 9}));
    EXPECT_EQ(f.s3->GetPointStatus(2)->GetFilterReason(), TimeOrderCheck::ReasonWrongTime);
    ExpectCompositeAgrees(*f.file, true);

    f.file->DeleteFiltered();
    EXPECT_EQ(f.file->GetPointCount(), 9);
    EXPECT_EQ(f.s3->GetParentOffset(), 6);
    EXPECT_EQ(f.folder->GetParentOffset(), 2);
    ExpectCompositeAgrees(*f.file, true);
    ExpectCompositeAgrees(*f.folder, true);

    f.folder->GetPointStatus(0)->SetFilterReason(7);
    f.folder->Refresh(false);
    EXPECT_EQ(FilteredIndices(f.file->GetPtNav()), (std::vector<int>{2}));
    f.file->RestoreFiltered();
    EXPECT_EQ(f.file->GetPtNav().GetFilteredCount(), 0);
    ExpectCompositeAgrees(*f.file, true);
}

TEST(TrackX, RawPointsWrittenThroughTheCompositeLandInTheParts)
{
    F f;
    TrackDataI& data = f.file->GetTrackData();
    data.GetTrackPoint(8).GetStatus().SetFilterReason(7);
    f.file->Refresh(false);
    EXPECT_EQ(FilteredIndices(f.s3->GetPtNav()), (std::vector<int>{1}));
    ExpectCompositeAgrees(*f.file, true);
}

TEST(TrackX, ClearedAndRefilledCompositeLeavesOldPartsAlone)
{
    F f;
    f.file->ClearParts();
    EXPECT_EQ(f.file->GetPointCount(), 0);
    f.file->AddPart(f.s3);
    f.file->AddPart(f.file);
    EXPECT_EQ(f.file->GetPointCount(), 4);
    EXPECT_EQ(f.s3->GetParentOffset(), 0);
    f.s0->DeletePoint(0);
    EXPECT_EQ(f.file->GetPointCount(), 4);
    EXPECT_EQ(f.s3->GetParentOffset(), 0);
    // Copies of the handle see the same parts.
    const TrackX copy = *f.file;
    f.s3->DeletePoint(0);
    EXPECT_EQ(copy.GetPointCount(), 3);
    ExpectCompositeAgrees(*f.file, true);
}

TEST(TrackX, NestedFoldersConvertThroughEachLevel)
{
    // file (1): sA (20) 2 points, outer (2) [inner (3) [sB (21) 3 points]]
    auto sA = std::make_shared<Track>(F::Points(0, 2), 20, 1);
    auto sB = std::make_shared<Track>(F::Points(2, 3), 21, 3);
    auto inner = std::make_shared<TrackX>(3, 2);
    inner->AddPart(sB);
    auto outer = std::make_shared<TrackX>(2, 1);
    outer->AddPart(inner);
    auto file = std::make_shared<TrackX>(1, -1);
    file->AddPart(sA);
    file->AddPart(outer);
    EXPECT_EQ(outer->GetParentOffset(), 2);
    EXPECT_EQ(inner->GetParentOffset(), 0);
    EXPECT_EQ(file->ConvertIndex(3, 3), 1);
    EXPECT_EQ(file->ConvertIndex(3, 21), 1);
    EXPECT_EQ(file->ConvertIndex(1, 3), -1);
    sA->DeletePoint(0);
    EXPECT_EQ(outer->GetParentOffset(), 1);
    EXPECT_EQ(file->ConvertIndex(2, 3), 1);
}

TEST(TrackX, DeferredLayoutComesWhenTheOutermostDeferralEnds)
{
    F f;
    {
        const LayoutDeferral outer;
        {
            const LayoutDeferral inner;
            f.s1->DeletePoint(1);
            f.s3->DeletePoint(0);
        }
        // Still the old numbering: the composites have not laid out yet.
        EXPECT_EQ(f.file->GetPointCount(), 11);
        EXPECT_EQ(f.s3->GetParentOffset(), 7);
        f.s0->DeletePoint(0);
    }
    EXPECT_EQ(f.folder->GetPointCount(), 4);
    EXPECT_EQ(f.file->GetPointCount(), 8);
    EXPECT_EQ(f.folder->GetParentOffset(), 1);
    EXPECT_EQ(f.s2->GetParentOffset(), 2);
    EXPECT_EQ(f.s3->GetParentOffset(), 5);
    Tick();
    ExpectCompositeAgrees(*f.file, true);
    ExpectCompositeAgrees(*f.folder, true);
}
