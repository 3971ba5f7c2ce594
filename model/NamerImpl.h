#pragma once

#include "TimePeriod.h"

#include <QString>

#include <boost/signals2/connection.hpp>

#include <vector>

class GEventManagerImpl;
class OpenTracksModel;

// Default names of files and folders, from the time span of their points:
// "GPS_2024-05-01_10-15-00" for a span of less than half a day (date and
// start time), "GPS_2024-05-01+2days" for longer ones, "Empty" without
// times. Listens to tree changes in the second group and names every new
// file or folder that came without a name, so that the lists see the name
// with the new node.
class NamerImpl
{
public:
    // The process-wide namer, made with the model.
    static NamerImpl& GetInstance();

    NamerImpl(OpenTracksModel& model, GEventManagerImpl& events);
    NamerImpl(const NamerImpl&) = delete;
    NamerImpl& operator=(const NamerImpl&) = delete;

    // The name of the points of the segments beneath tids, taken in tree
    // order as one track (a merge, a new file saved from parts).
    QString GetDefaultName(const std::vector<int>& tids) const;
    // From the first and last time (UTC); date and time are shown in the
    // user's time zone. The time has no colons, as the name may become a
    // file name.
    static QString MakeName(const TimePeriod& span);

private:
    void OnTreeChanged();
    // From the first to the last valid point.
    TimePeriod GetSpan(const std::vector<int>& tids) const;

    OpenTracksModel& m_model;
    GEventManagerImpl& m_events;
    boost::signals2::scoped_connection m_subscription;
};
