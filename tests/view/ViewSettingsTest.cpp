#include "ViewSettings.h"

#include "EventKindLog.h"
#include "GEventKind.h"
#include "GEventManagerImpl.h"
#include "OptUnits.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ViewSettings, AUnitsChangeIsAnnouncedAsAUnitsChangeOnly)
{
    ViewSettings::GetInstance();
    OblOptionTI<int>& system = OptUnits::GetInstance().GetMeasuringSystemI();
    const int before = system.Get();
    const int other = before == 0 ? 1 : 0;
    {
        EventKindLog log;
        system.Set(other);
        EXPECT_EQ(log.kinds, std::vector<int>{GEventKind::UnitsChanged});
    }
    {
        // Setting the value it already has is no change.
        EventKindLog log;
        system.Set(other);
        EXPECT_TRUE(log.kinds.empty());
    }
    system.Set(before);
}

TEST(ViewSettings, AChangeOfItsOwnSettingsIsAnnouncedAsAViewSettingsChange)
{
    ViewSettings& settings = ViewSettings::GetInstance();
    const bool before = settings.showArrows.Get();
    {
        EventKindLog log;
        settings.showArrows.Set(!before);
        EXPECT_EQ(log.kinds, std::vector<int>{GEventKind::ViewSettingsChanged});
    }
    settings.showArrows.Set(before);
}
