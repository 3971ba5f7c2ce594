#include "RecipeRunner.h"

#include "FilterManager.h"
#include "FilterReasons.h"
#include "IncreaseFrequency.h"
#include "LocalInconsistencyFilter.h"
#include "OpenTracksModel.h"
#include "ParameterFilterImpl.h"
#include "RecipeStepKind.h"
#include "SpikeFilter.h"
#include "StopFilter.h"
#include "StringIds.h"
#include "TrackTimeEdits.h"
#include "TrackRestructure.h"
#include "TrackTreeAlg.h"
#include "Translator.h"
#include "ValueFilterRows.h"

#include <QLocale>

#include <algorithm>

namespace {

using namespace RecipeSteps;

// The reason of points that have no time, which the time check gives them
// when the file is read.
constexpr int kNoTimeReason = 16;

// The text a point's reason is counted under: the rule's own text for the
// filter by value, the plain reason for a local inconsistency, whose key
// also carries a score.
QString ReasonText(int key)
{
    switch (key % 100) {
    case 91:
        return Translator::GetInstance().LoadStr(IDS_REASON_LOCAL_INCONSISTENCY);
    case 92:
        return Translator::GetInstance().LoadStr(IDS_REASON_VERY_LOCAL_INCONSISTENCY);
    default:
        return FilterReasons::GetInstance().GetText(key).text;
    }
}

// Points without time keep their places as valid points: a route or a
// recording without times would otherwise be deleted whole.
void ValidateUntimed(TrackI& segment)
{
    const TrackDataI& points = segment.GetTrackData();
    for (int i = 0; i < points.GetPointCount(); ++i) {
        if (points.GetTrackPoint(i).GetStatus().GetFilterReason() == kNoTimeReason)
            segment.GetPointStatus(i)->SetValid();
    }
}

bool SameFigures(const TrackStatistics& a, const TrackStatistics& b)
{
    return a.points == b.points && a.filtered == b.filtered && a.distance == b.distance && a.duration == b.duration
        && a.movingTime == b.movingTime && a.maxSpeed == b.maxSpeed && a.ascent == b.ascent
        && a.descent == b.descent;
}

// The state of one run over one file: the steps' operations on the model
// and what the report needs of the points before they change.
class FileCleaning
{
public:
    FileCleaning(OpenTracksModel& model, int file, const StatisticsParams& params)
        : m_model(model)
        , m_file(file)
        , m_params(params)
    {
        const std::vector<int> segments = Segments();
        for (size_t i = 0; i < segments.size(); ++i) {
            CleaningSegment& entry = m_byTid[segments[i]];
            entry.beforePosition = static_cast<int>(i);
            entry.before = Figures(segments[i]);
        }
    }

    std::vector<int> Segments() const
    {
        std::vector<int> segments;
        TrackTreeAlg(m_model.GetReader().get()).GetSubsegmentIds(m_file, segments);
        return segments;
    }

    TrackPtr Segment(int tid) const { return m_model.GetTrack(tid); }

    // The reasons of the points a deletion is about to remove.
    void CountBeforeDelete(int tid)
    {
        const TrackDataI& points = Segment(tid)->GetTrackData();
        for (int i = 0; i < points.GetPointCount(); ++i) {
            const TrackPoint& point = points.GetTrackPoint(i);
            if (!point.IsValid())
                ++m_byTid[tid].removed[ReasonText(point.GetStatus().GetFilterReason())];
        }
    }

    CleaningReport Finish(QString error)
    {
        CleaningReport report;
        report.error = std::move(error);
        const std::vector<int> segments = Segments();
        std::vector<CleaningSegment> gone;
        for (size_t i = 0; i < segments.size(); ++i) {
            CleaningSegment entry = m_byTid[segments[i]];
            m_byTid.erase(segments[i]);
            entry.afterPosition = static_cast<int>(i);
            entry.after = Figures(segments[i]);
            const TrackDataI& points = Segment(segments[i])->GetTrackData();
            for (int p = 0; p < points.GetPointCount(); ++p) {
                if (!points.GetTrackPoint(p).IsValid())
                    ++entry.filtered[ReasonText(points.GetTrackPoint(p).GetStatus().GetFilterReason())];
            }
            report.after.Add(*entry.after);
            Keep(entry, report);
        }
        for (auto& [tid, entry] : m_byTid)
            gone.push_back(entry);
        std::sort(gone.begin(), gone.end(), [](const CleaningSegment& a, const CleaningSegment& b) {
            return a.beforePosition < b.beforePosition;
        });
        for (CleaningSegment& entry : gone)
            Keep(entry, report);
        for (const CleaningSegment& entry : report.segments) {
            if (entry.before)
                report.before.Add(*entry.before);
        }
        return report;
    }

private:
    TrackStatistics Figures(int tid) const
    {
        const TrackPtr track = Segment(tid);
        return track ? TrackStatistics::OfRange(*track, 0, -1, m_params) : TrackStatistics();
    }

    // A segment whose figures and points stayed as they were is only
    // counted; its figures still belong to the file's.
    static void Keep(CleaningSegment& entry, CleaningReport& report)
    {
        const bool same = entry.before && entry.after && entry.removed.empty() && SameFigures(*entry.before, *entry.after)
            && entry.beforePosition == entry.afterPosition;
        if (same) {
            ++report.unchangedSegments;
            report.before.Add(*entry.before);
        } else {
            report.segments.push_back(std::move(entry));
        }
    }

    OpenTracksModel& m_model;
    int m_file;
    StatisticsParams m_params;
    std::map<int, CleaningSegment> m_byTid;
};

QString Text(int id)
{
    return Translator::GetInstance().LoadStr(id);
}

// The rule texts as the filter command reads them from its options.
ValueFilterRows::Texts RuleTexts(const RecipeStep& step)
{
    ValueFilterRows::Texts texts;
    const std::vector<RecipeParam>& params = step.GetKind().params;
    for (size_t row = 0; row < params.size(); ++row) {
        const QString name = QLatin1String(params[row].name);
        if (step.Has(name))
            texts[row] = QString::number(step.GetNumber(name, 0));
    }
    return texts;
}

} // namespace

RecipeRunner::RecipeRunner(const Recipe& recipe, const StatisticsParams& params)
    : m_recipe(recipe)
    , m_params(params)
{
    for (const RecipeStep& step : m_recipe.steps) {
        std::shared_ptr<const ParameterFilterImpl> rules;
        if (step.GetName() == QLatin1String(FilterByValue))
            rules = ValueFilterRows::BuildFilter(RuleTexts(step), MeasuringSystem::Metric, FilterReasons::GetInstance());
        m_valueRules.push_back(std::move(rules));
    }
}

RecipeRunner::~RecipeRunner() = default;

CleaningReport RecipeRunner::Run(OpenTracksModel& model, int fileTid) const
{
    FileCleaning cleaning(model, fileTid, m_params);
    for (size_t s = 0; s < m_recipe.steps.size(); ++s) {
        const RecipeStep& step = m_recipe.steps[s];
        const QString name = step.GetName();
        const TrackPtr file = model.GetTrack(fileTid);
        if (name == QLatin1String(FilterByValue)) {
            const std::shared_ptr<const ParameterFilterImpl> rules = m_valueRules[s];
            const Filter::Function byValue = [rules](const TrackI& track) { return rules->Apply(track); };
            for (int tid : cleaning.Segments())
                FilterManager::ApplyFilter(byValue, cleaning.Segment(tid));
        } else if (name == QLatin1String(Spikes)) {
            for (int tid : cleaning.Segments())
                SpikeFilter().Apply(*cleaning.Segment(tid));
        } else if (name == QLatin1String(LocalInconsistency)) {
            const LocalInconsistencyFilter filter(static_cast<int>(step.GetNumber(QStringLiteral("level"), 0)),
                                                  step.GetFlag(QStringLiteral("extended")));
            for (int tid : cleaning.Segments())
                filter.Apply(*cleaning.Segment(tid));
        } else if (name == QLatin1String(Stops)) {
            // The derived point sets it adds as files of their own are not
            // part of the cleaned file and are not saved.
            for (int tid : cleaning.Segments())
                RunStopFilter(model, tid);
        } else if (name == QLatin1String(DeleteFiltered)) {
            const bool keepUntimed = step.GetFlag(QStringLiteral("keep_untimed"));
            for (int tid : cleaning.Segments()) {
                if (keepUntimed)
                    ValidateUntimed(*cleaning.Segment(tid));
                cleaning.CountBeforeDelete(tid);
                cleaning.Segment(tid)->DeleteFiltered();
            }
        } else if (name == QLatin1String(Restructure)) {
            RestructureParams params;
            params.folderMinutes = static_cast<int>(step.GetNumber(QStringLiteral("folder_gap_min"), params.folderMinutes));
            params.segmentMinutes =
                static_cast<int>(step.GetNumber(QStringLiteral("segment_gap_min"), params.segmentMinutes));
            params.keepBreaks = step.GetFlag(QStringLiteral("keep_breaks"));
            if (!TrackRestructure(model).RestructureFile(fileTid, params))
                return cleaning.Finish(Text(IDS_SPLIT_ERROR));
        } else if (name == QLatin1String(Shift)) {
            const Time start = step.GetTime(QStringLiteral("start"));
            if (start.IsNull())
                TrackTimeEdits::ShiftBy(*file, TimeSpan::FromSeconds(step.GetNumber(QStringLiteral("seconds"), 0)));
            else if (!TrackTimeEdits::ShiftToStart(*file, start))
                return cleaning.Finish(Text(IDS_COMMAND_NOT_APPLICABLE));
        } else if (name == QLatin1String(Retime)) {
            if (!TrackTimeEdits::Retime(*file, step.GetNumber(QStringLiteral("speed_kmh"), 0),
                                        step.GetTime(QStringLiteral("start"))))
                return cleaning.Finish(Text(IDS_COMMAND_NOT_APPLICABLE));
        } else if (name == QLatin1String(Densify)) {
            // As the dialog reads its steps: one that is not above zero is
            // not used.
            const double seconds = step.GetNumber(QStringLiteral("time_s"), 1.0);
            const double meters = step.GetNumber(QStringLiteral("dist_m"), 10.0);
            const TimeSpan timeStep = seconds > 0 ? TimeSpan::FromSeconds(seconds) : TimeSpan();
            if (!IncreaseFrequency::ApplyToSegments(model, cleaning.Segments(), timeStep, meters > 0 ? meters : 0.0)) {
                return cleaning.Finish(
                    Translator::GetInstance().Format(IDS_INCREASE_FREQ_TOO_MANY, QLocale().toString(IncreaseFrequency::MaxPoints)));
            }
        }
    }
    return cleaning.Finish(QString());
}
