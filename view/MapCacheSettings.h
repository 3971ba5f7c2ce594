#pragma once

#include "OblOptions.h"

#include <memory>

class TileDiskCache;

// The disk cache of map tiles ("Settings\MapCache"): its size limit in MiB.
class MapCacheSettings : public OblOptionsBase
{
public:
    static constexpr int DefaultLimitMiB = 1024;

    MapCacheSettings();

    // Under the user's cache folder, "tiles" and a folder per layer; bounded
    // by the limit as it is now.
    std::shared_ptr<TileDiskCache> OpenDiskCache() const;

    OblOptionInt diskLimitMiB{DefaultLimitMiB};
};
