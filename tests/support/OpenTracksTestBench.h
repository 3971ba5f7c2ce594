#pragma once

#include "GEventManagerImpl.h"
#include "NamerImpl.h"
#include "OpenTracksModel.h"
#include "TrackPoint.h"
#include "TrackPtNavI.h"
#include "TrackTree.h"
#include "TracksStateHolderImpl.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// A tree and point arrays as a loader fills them, for a file named name
// at /data/name.gpx.
struct SourceTree
{
    explicit SourceTree(const QString& name = QStringLiteral("walk"));

    int Folder(int parent, const QString& name = QString());
    int Segment(int parent, const std::vector<TrackPoint>& points);

    TrackTree tree;
    std::shared_ptr<TrackDataSetImpl> data = std::make_shared<TrackDataSetImpl>();
    int file = -1;
    QString path;
};

// The source opened in model as a loaded GPX file; its file node.
int OpenSource(OpenTracksModel& model, const SourceTree& source);

// What tests ask of a model, a test's own or the program's:
// the segments beneath tid, in tree order;
std::vector<int> SegmentsOf(const OpenTracksModel& model, int tid);
// the number of points of each of them;
std::vector<int> SegmentSizes(const OpenTracksModel& model, int tid);
// and all their points one after another, read from the segments' arrays.
std::vector<TrackPoint> AllPoints(const OpenTracksModel& model, int tid);

// count points stepSeconds apart from start, heading east from lon; each
// point's longitude tells it apart.
std::vector<TrackPoint> MakePoints(int count, const Time& start, double stepSeconds = 10.0, double lon = 10.0);

// What one announcement carried, as a subscriber of the last group saw it.
struct SeenEvent
{
    int kind = -1;
    std::vector<int> added;
    std::vector<int> removed;
    std::vector<int> changed;
};

// A model with its own event manager, state and namer, so that every test
// starts from nothing: no files, the colour cycle at its start.
class OpenTracksTest : public ::testing::Test
{
protected:
    OpenTracksTest();

    int Open(SourceTree& source);
    std::vector<int> Kinds() const;
    // The announcements of one kind.
    std::vector<SeenEvent> Seen(int kind) const;
    const TracksStateI& State() const { return holder.GetState(); }
    TrackTreeReaderPtr Reader() const { return model.GetReader(); }
    std::vector<int> Segments(int tid) const { return SegmentsOf(model, tid); }
    // Every point of the segments beneath tid, in tree order.
    std::vector<TrackPoint> PointsOf(int tid) const { return AllPoints(model, tid); }
    // Each composite of the file shows the points, validity and segments of
    // the segments beneath it, one after another.
    void ExpectCompositesAgree(int fileTid) const;

    GEventManagerImpl events;
    OpenTracksModel model{events};
    TracksStateHolderImpl holder{model, events};
    NamerImpl namer{model, events};
    std::vector<SeenEvent> seen;
    // Names of the added nodes as the last group saw them.
    std::vector<QString> namesSeen;

private:
    void Record();

    boost::signals2::scoped_connection m_recorder;
};
