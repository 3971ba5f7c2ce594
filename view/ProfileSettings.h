#pragma once

#include "OblOptions.h"
#include "ProfileSeries.h"

#include <vector>

// The choices of the Profile pane ("Settings\Profile"): the x axis and the
// charted values, kept as a set of bits by value id.
class ProfileSettings : public OblOptionsBase
{
public:
    ProfileSettings();

    ProfileAxis GetAxis() const;
    void SetAxis(ProfileAxis axis);
    // In the order of the value ids.
    std::vector<ProfileQuantity::Id> GetQuantities() const;
    void SetQuantities(const std::vector<ProfileQuantity::Id>& quantities);

    OblOptionInt axis{static_cast<int>(ProfileAxis::Distance)};
    OblOptionInt quantities{1 << ProfileQuantity::Elevation};
};
