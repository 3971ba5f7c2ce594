#include "CleaningCapture.h"

#include "CleaningLog.h"
#include "OpenTracksModel.h"
#include "StatisticsOptions.h"
#include "TrackTreeAlg.h"

CleaningCapture::CleaningCapture(CleaningLog* log, OpenTracksModel& model, const std::vector<int>& fileTids)
    : m_log(log)
    , m_model(model)
{
    if (!m_log)
        return;
    const StatisticsParams params = StatisticsOptions::GetInstance().GetParams();
    for (const int file : fileTids)
        m_files.emplace_back(model, file, params, true);
}

std::vector<int> CleaningCapture::FilesOf(const OpenTracksModel& model, const std::vector<int>& items)
{
    return TrackTreeAlg(model.GetReader().get()).GetParentFileIds(items);
}

void CleaningCapture::CountBeforeDelete(int segmentTid)
{
    const int file = TrackTreeAlg(m_model.GetReader().get()).GetFileId(segmentTid);
    for (CleaningReportBuilder& builder : m_files) {
        if (builder.GetFileTid() == file)
            builder.CountBeforeDelete(segmentTid);
    }
}

void CleaningCapture::Done(int nameId, const std::vector<RecipeStep>& steps)
{
    if (!m_log)
        return;
    std::vector<CleaningLog::FileReport> reports;
    for (CleaningReportBuilder& builder : m_files) {
        // A file that the command closed has nothing left to report.
        const TrackInfo::Node* node = m_model.GetReader()->GetNode(builder.GetFileTid());
        if (node)
            reports.push_back({node->GetName(), builder.Finish()});
    }
    for (const RecipeStep& step : steps)
        m_log->Record(step);
    m_log->Publish(nameId, std::move(reports));
}
