#pragma once

#include "CleaningReportBuilder.h"
#include "RecipeStep.h"

#include <vector>

class CleaningLog;
class OpenTracksModel;

// One cleaning command of the program over the files it works on: the
// figures before it runs and, when it is done, the reports handed to the
// log and the steps recorded, so that a recipe replays what the user did.
// A command cancelled before Done leaves the log as it was.
class CleaningCapture
{
public:
    // Without a log nothing is taken.
    CleaningCapture(CleaningLog* log, OpenTracksModel& model, const std::vector<int>& fileTids);

    // The files that hold the items (tids) of a selection.
    static std::vector<int> FilesOf(const OpenTracksModel& model, const std::vector<int>& items);

    // Before the filtered points of segment tid are deleted.
    void CountBeforeDelete(int segmentTid);
    // nameId names the cleaning in the report; steps are what a recipe
    // would run for it.
    void Done(int nameId, const std::vector<RecipeStep>& steps);

private:
    CleaningLog* m_log;
    OpenTracksModel& m_model;
    std::vector<CleaningReportBuilder> m_files;
};
