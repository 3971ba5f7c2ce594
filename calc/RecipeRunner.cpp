#include "RecipeRunner.h"

#include "CleaningReportBuilder.h"
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
#include "Translator.h"
#include "ValueFilterRows.h"

#include <QLocale>


namespace {

using namespace RecipeSteps;

// The reason of points that have no time, which the time check gives them
// when the file is read.
constexpr int kNoTimeReason = 16;

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

CleaningReport RecipeRunner::Run(OpenTracksModel& model, int fileTid, bool withPoints) const
{
    CleaningReportBuilder cleaning(model, fileTid, m_params, withPoints);
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
