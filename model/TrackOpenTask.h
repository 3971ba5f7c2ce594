#pragma once

#include "Time.h"
#include "TrackDataSet.h"
#include "TrackTreeInterfaces.h"

#include <QString>

#include <memory>

class PreparedSegments;

// A file that finished loading, as the opening queue hands it to listeners.
class TrackOpenTask
{
public:
    virtual ~TrackOpenTask() = default;
    virtual const QString& GetFileName() const = 0;
    virtual TrackTreeReaderPtr GetTree() const = 0;
    virtual std::shared_ptr<TrackDataSetImpl> GetData() const = 0;
    virtual const Time& GetModificationTime() const = 0;
    // The segments, checked and calculated already; for the model to take.
    virtual std::shared_ptr<PreparedSegments> GetPrepared() const = 0;
};
