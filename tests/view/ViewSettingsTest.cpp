#include "ViewSettings.h"

#include "GEventKind.h"
#include "GEventManagerImpl.h"
#include "OptUnits.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records the kind of every announcement while it lives.
class KindLog
{
public:
    KindLog()
        : m_connection(GEventManagerImpl::GetInstance().Subscribe(
              GEventFilter::All(),
              [this] { kinds.push_back(GEventManagerImpl::GetInstance().GetCurrentEvent().kind); },
              GEventGroup::Views))
    {
    }

    std::vector<int> kinds;

private:
    boost::signals2::scoped_connection m_connection;
};

} // namespace

TEST(ViewSettings, AUnitsChangeIsAnnouncedAsAUnitsChangeOnly)
{
    ViewSettings::GetInstance();
    OblOptionTI<int>& system = OptUnits::GetInstance().GetMeasuringSystemI();
    const int before = system.Get();
    const int other = before == 0 ? 1 : 0;
    {
        KindLog log;
        system.Set(other);
        EXPECT_EQ(log.kinds, std::vector<int>{GEventKind::UnitsChanged});
    }
    {
        // Setting the value it already has is no change.
        KindLog log;
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
        KindLog log;
        settings.showArrows.Set(!before);
        EXPECT_EQ(log.kinds, std::vector<int>{GEventKind::ViewSettingsChanged});
    }
    settings.showArrows.Set(before);
}
