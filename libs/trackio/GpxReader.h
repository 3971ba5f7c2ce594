#pragma once

#include "ExpatStreamReader.h"
#include "Gpx10Metadata.h"
#include "GpxKeptMarkup.h"
#include "GpxPointReader.h"
#include "GpxPointRuns.h"
#include "GpxPrefixMap.h"
#include "PagesAhead.h"
#include "PointMarkupTable.h"
#include "TrackData.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

// Reads GPX 1.0 and 1.1 into the tree: a folder per track, named by its
// <name> or "Track N", a segment per track segment. Elements are matched by
// local name in any namespace or none, since real files get the namespace
// wrong. What the tree does not model is kept as GPX 1.1 markup with its
// node (GpxKeptMarkup): the file's metadata, waypoints, routes and
// extensions with the file, a track's other children with its folder, a
// segment's extensions with the segment, a point's other children and
// extensions in the file's PointMarkupTable under a tag in the point.
//
// A route is not a track, so routes are kept as markup; but a file that has
// routes and no track point at all is read as its routes, one folder per
// route with one segment, as route planners' files are meant to be seen.
class GpxReader : public ExpatStreamReader
{
public:
    explicit GpxReader(LoadContext& context);

    long long GetPointsReadAhead() const override { return m_pointsReadAhead; }

protected:
    void OnStartElement(const Name& name, const char** attributes) override;
    void OnEndElement(const Name& name) override;
    XmlReadAhead* StartReadAhead(const QIODevice& device, long long stretchBytes) override;
    // Takes a run of points read ahead where one opens in a segment.
    long long OnReadAhead(long long at) override;

private:
    // What the open element is.
    enum class In : uint8_t {
        Gpx,
        FileField,       // a GPX 1.0 description field in <gpx>
        FileExtensions,  // <extensions> of <gpx>; its children are kept
        Track,
        TrackName,
        Segment,
        Point,
        PointValue,
        PointExtensionList, // the point's <extensions>
        PointExtensions,    // read ones, any depth
        Route,           // kept, and its points read
        RoutePoint,      // kept, and read
        Kept,
        Skipped,
    };

    struct Route
    {
        QString name;
        TrackData points;
    };

    void StartDocument(const Name& name);
    void StartInGpx(const Name& name, const char** attributes);
    void StartInTrack(const Name& name, const char** attributes);
    void StartInSegment(const Name& name, const char** attributes);
    void StartInPoint(const Name& name, const char** attributes);
    void StartInPointExtensions(const Name& name, const char** attributes);
    void StartKept(GpxKeptMarkup& markup, const Name& name, const char** attributes, In kind);
    void EndKept(In kind, In parent, const Name& name);

    void StartTrack();
    void OpenTrackFolder();
    void FinishTrack();
    void StartSegment();
    void FinishSegment();
    void StartPoint(const char** attributes);
    void FinishPoint();
    // Before morePoints are appended to the segment.
    void MapInAhead(size_t morePoints);
    // Sizes the segment's array for the points the rest of the file may
    // hold, judged from count points up to offset here; first for at most
    // twice the longest segment before it, so that a file of many segments
    // does not hold that room in each; then, if it outgrows that, for the
    // whole rest.
    void ReserveForRest(int count, long long here);
    // Whether the array is to be sized (again) before it holds count points.
    bool NeedsReserving(size_t count) const;
    // Leaves the finished segment's array with little unused room.
    void ReleaseSpareRoom();
    // The tag under which the open point's kept markup went, 0 for none.
    uint32_t KeepPointMarkup();
    void ReadPointValue(const Name& name);
    void FinishDocument();
    void AddRoutesAsTracks();
    void SetExtras(int tid, const std::string& head, const std::string& tail, const std::vector<int>& bindings);

    std::vector<In> m_stack;
    bool m_stopped = false;
    GpxPrefixMap m_prefixes;
    GpxPointReader m_point;
    Gpx10Metadata m_metadata10;
    bool m_hasMetadata = false;

    // Kept markup: the file's parts, in GPX 1.1 order, and the open
    // track's and segment's.
    GpxKeptMarkup m_metadata;
    GpxKeptMarkup m_waypoints;
    GpxKeptMarkup m_routes;
    GpxKeptMarkup m_fileExtensions;
    GpxKeptMarkup m_trackHead;
    GpxKeptMarkup m_segmentTail;
    GpxKeptMarkup m_pointFields;
    GpxKeptMarkup m_pointExtensions;
    GpxKeptMarkup* m_keep = nullptr;
    std::shared_ptr<PointMarkupTable> m_pointMarkup = std::make_shared<PointMarkupTable>();
    std::vector<int> m_pointBindings;
    bool m_segmentHasMarkup = false;

    int m_trackCount = 0;
    QString m_trackName;
    int m_folderTid = -1;
    // A track with points straight in <trk> gets one segment for them.
    bool m_implicitSegment = false;
    int m_segmentTid = -1;
    TrackData* m_segment = nullptr;
    long long m_segmentStartByte = 0;
    bool m_segmentReserved = false;
    size_t m_longestSegment = 0;
    PagesAhead m_pagesAhead; // of the segment's array
    long long m_trackPoints = 0;
    std::unique_ptr<GpxPointRuns> m_runs;
    long long m_pointsReadAhead = 0;

    std::vector<Route> m_routeList;
};
