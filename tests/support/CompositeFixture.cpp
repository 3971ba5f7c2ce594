#include "CompositeFixture.h"

#include "TrackTestSupport.h"

namespace tracktest {

CompositeFixture::CompositeFixture()
    : s0(std::make_shared<Track>(Points(0, 2), S0, FileTid))
    , s1(std::make_shared<Track>(Points(2, 3), S1, FolderTid))
    , s2(std::make_shared<Track>(Points(5, 2), S2, FolderTid))
    , s3(std::make_shared<Track>(Points(7, 4), S3, FileTid))
    , folder(std::make_shared<TrackX>(FolderTid, FileTid))
    , file(std::make_shared<TrackX>(FileTid, -1))
{
    folder->AddPart(s1);
    folder->AddPart(s2);
    file->AddPart(s0);
    file->AddPart(folder);
    file->AddPart(s3);
}

TrackDataPtr CompositeFixture::Points(int first, int count)
{
    std::vector<TrackPoint> points;
    for (int i = first; i < first + count; ++i)
        points.push_back(PointAt(i / 1000.0, 10.0 * i));
    return MakeData(std::move(points));
}

std::map<int, std::shared_ptr<TrackI>> CompositeFixture::ByTid() const
{
    return {{FileTid, file}, {FolderTid, folder}, {S0, s0}, {S1, s1}, {S2, s2}, {S3, s3}};
}

} // namespace tracktest
