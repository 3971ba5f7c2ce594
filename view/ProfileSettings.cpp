#include "ProfileSettings.h"

ProfileSettings::ProfileSettings()
    : OblOptionsBase(QStringLiteral("Settings\\Profile"))
{
    axis.Init(GetOblOptionSectI(), QStringLiteral("Axis"));
    quantities.Init(GetOblOptionSectI(), QStringLiteral("Values"));
}

ProfileAxis ProfileSettings::GetAxis() const
{
    const int stored = axis.Get();
    return stored >= 0 && stored <= static_cast<int>(ProfileAxis::TimeOfDay) ? static_cast<ProfileAxis>(stored)
                                                                             : ProfileAxis::Distance;
}

void ProfileSettings::SetAxis(ProfileAxis value)
{
    axis.Set(static_cast<int>(value));
}

std::vector<ProfileQuantity::Id> ProfileSettings::GetQuantities() const
{
    std::vector<ProfileQuantity::Id> ids;
    for (int q = 0; q < ProfileQuantity::Count; ++q)
        if (quantities.Get() & (1 << q))
            ids.push_back(static_cast<ProfileQuantity::Id>(q));
    return ids;
}

void ProfileSettings::SetQuantities(const std::vector<ProfileQuantity::Id>& ids)
{
    int bits = 0;
    for (ProfileQuantity::Id id : ids)
        bits |= 1 << id;
    quantities.Set(bits);
}
