#include "MapCacheSettings.h"

#include "TileDiskCache.h"

#include <QStandardPaths>

#include <algorithm>

MapCacheSettings::MapCacheSettings()
    : OblOptionsBase(QStringLiteral("Settings\\MapCache"))
{
    diskLimitMiB.Init(GetOblOptionSectI(), QStringLiteral("DiskLimitMiB"));
}

std::shared_ptr<TileDiskCache> MapCacheSettings::OpenDiskCache() const
{
    const QString root = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/tiles");
    const int64_t limit = int64_t(std::max(diskLimitMiB.Get(), 0)) * 1024 * 1024;
    return std::make_shared<TileDiskCache>(root, limit);
}
