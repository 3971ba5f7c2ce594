#include "StatisticsOptions.h"

#include "ProcessSingleton.h"

StatisticsOptions::StatisticsOptions()
    : OblOptionsBase(QStringLiteral("Settings\\Statistics"))
{
    movingSpeed.Init(GetOblOptionSectI(), QStringLiteral("MovingSpeed"));
    climbHysteresis.Init(GetOblOptionSectI(), QStringLiteral("ClimbHysteresis"));
}

StatisticsOptions& StatisticsOptions::GetInstance()
{
    return ProcessSingleton<StatisticsOptions>::Instance();
}

StatisticsParams StatisticsOptions::GetParams() const
{
    return {movingSpeed.Get(), climbHysteresis.Get()};
}
