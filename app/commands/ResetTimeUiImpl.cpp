#include "ResetTimeUiImpl.h"

#include "FSetTimeDlg.h"
#include "MessageBoxStyle.h"
#include "IsoTime.h"
#include "OptUnits.h"
#include "RecipeStepKind.h"
#include "String.h"
#include "TimeConv.h"
#include "TrackChangeNotice.h"
#include "TrackData.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMinSpeed = 0.1;
constexpr double kMaxSpeed = 1000.0;
constexpr int kStartDaysBack = 20;

// A pace typical of the unit's users (km/h, m/s, mph, knots), for the first
// time the dialog is shown.
int DefaultSpeed(SpeedUnits units)
{
    switch (units) {
    case SpeedUnits::Ms:
        return 15;
    case SpeedUnits::Mph:
        return 40;
    case SpeedUnits::Knots:
        return 30;
    case SpeedUnits::Kmh:
        break;
    }
    return 60;
}

// Twenty days before now, local, cut to the minute.
Time DefaultStart()
{
    const Time local = TimeConv::UtcToLocal(Time::GetCurTime()) - TimeSpan(TimeSpan::Days, kStartDaysBack);
    constexpr int64_t minute = 60 * TimeSpan::MicrosecondsPerSecond;
    const int64_t us = local.GetMicroseconds();
    return Time::FromMicroseconds(us - ((us % minute) + minute) % minute);
}

} // namespace

ResetTimeUiImpl::Options::Options()
    : OblOptionsBase(QStringLiteral("Settings\\FilterTimeSet"))
{
    speed.Init(GetOblOptionSectI(), QStringLiteral("Speed"));
}

ResetTimeUiImpl::ResetTimeUiImpl(TrackPtr track, QWidget* parent)
    : m_track(std::move(track))
    , m_parent(parent)
{
}

bool ResetTimeUiImpl::Run(bool force)
{
    ResetTimeCore core(m_track->GetTrackData());
    if (!core.Run(force, [this](ResetTimeCore::TimeCase mode, ResetTimeCore::Choice& choice) {
            return Ask(mode, choice);
        }))
        return false;
    if (core.GetRegeneratedCount() > 0) {
        m_track->Refresh(false);
        NoteTrackChanged(m_track->GetTid());
    }
    return true;
}

bool ResetTimeUiImpl::Ask(ResetTimeCore::TimeCase mode, ResetTimeCore::Choice& choice)
{
    Options options;
    FSetTimeDlg::Data data;
    data.mode = mode;
    data.speedUnit = UnitsConv::GetSpeedUnits(OptUnits::GetInstance().GetMeasuringSystem());
    const double stored = options.speed.Get();
    const int shown = stored == 0.0 ? DefaultSpeed(data.speedUnit)
                                    : static_cast<int>(UnitsConv::KmhToUnits(stored, data.speedUnit) + 0.5);
    data.speedText = QString::number(shown);
    const double startDays = DefaultStart().GetAbsDays();
    data.startDate = std::floor(startDays);
    data.startTime = startDays - data.startDate;

    FSetTimeDlg dialog(data, m_parent);
    if (dialog.DoModal() != IDOK)
        return false;
    const FSetTimeDlg::Data& entered = dialog.GetData();
    choice.start = TimeConv::LocalToUtc(Time::TimeDays(entered.startDate + entered.startTime));
    const double value = std::clamp(String::Atof(entered.speedText), kMinSpeed, kMaxSpeed);
    choice.speedKmh = UnitsConv::UnitsToKmh(value, entered.speedUnit);
    if (mode == ResetTimeCore::NoTimes || mode == ResetTimeCore::SomeTimes)
        options.speed.Set(choice.speedKmh);
    m_askedMode = mode;
    m_answer = choice;
    return true;
}

RecipeStep ResetTimeUiImpl::GetRecipeStep() const
{
    // A track timed throughout is spread between its first and last times
    // without asking: no speed is used then, but the step needs one.
    const double speed = m_askedMode ? m_answer.speedKmh : DefaultSpeed(SpeedUnits::Kmh);
    std::map<QString, QJsonValue> values{{QStringLiteral("speed_kmh"), speed}};
    if (m_askedMode == ResetTimeCore::NoTimes)
        values[QStringLiteral("start")] = QString::fromStdString(IsoTime::Format(m_answer.start));
    return RecipeStep::Of(RecipeSteps::Retime, std::move(values));
}
