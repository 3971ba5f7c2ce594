#pragma once

#include "TrackI.h"

#include <QElapsedTimer>
#include <QString>

#include <functional>
#include <vector>

class GEventNotifyI;
class OpenTracksModel;
class TracksStateI;

// The bookkeeping of one filter command: the nodes it works on (taken from
// the selection when it begins), the time it takes, and at the end the
// modified files, the closing message and the announcement.
class FilterRun
{
public:
    enum class Scope {
        // Every segment beneath the selected items.
        Segments,
        // The selected items themselves, without those beneath another one.
        Adults,
        // The current segment alone (the one the Histogram pane charts).
        CurrentSegment,
    };

    using TrackOperation = std::function<void(const TrackPtr& track)>;

    FilterRun(OpenTracksModel& model, const TracksStateI& state, GEventNotifyI& events,
              Scope scope = Scope::Segments);

    // The tids the run works on, in tree order for segments.
    const std::vector<int>& GetTids() const { return m_tids; }

    // Applies the operation to the track of every tid; returns the number of
    // valid points the tracks lost. Over segments, the composites above them
    // lay out once, at the end.
    int Run(const TrackOperation& operation);

    // Marks the files holding the tids as modified, shows the count and the
    // elapsed time when show is set, and announces that points changed.
    void End(int count, bool show);

    // "N points removed.\nTime: T ms."
    static QString FormatMessage(int count, qint64 milliseconds);

private:
    OpenTracksModel& m_model;
    GEventNotifyI& m_events;
    Scope m_scope;
    std::vector<int> m_tids;
    QElapsedTimer m_timer;
};
