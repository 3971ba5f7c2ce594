#include "TileFetch.h"

#include "HttpDownloader.h"
#include "TileFreshness.h"

namespace {

void Store(TileDiskCache& disk, const QString& diskName, const HttpDownloader& downloader, const ByteArray& bytes,
           const std::optional<StoredTile>& stored)
{
    const TileFreshness freshness = TileFreshness::FromHeaders(downloader.GetResponseHeader("cache-control"),
                                                               downloader.GetResponseHeader("expires"), disk.Now());
    if (!freshness.storable)
        return;
    StoredTile tile = stored ? *stored : StoredTile();
    if (!bytes.IsEmpty()) {
        tile.bytes = bytes;
        tile.etag = downloader.GetResponseHeader("etag");
        tile.lastModified = downloader.GetResponseHeader("last-modified");
    }
    tile.expires = freshness.expires;
    // A disk that is full only costs the next run a download.
    disk.Write(diskName, tile);
}

} // namespace

TileFetch TileFetch::Run(const QString& url, TileDiskCache* disk, const QString& diskName,
                         const std::optional<StoredTile>& stored, const std::atomic<bool>* abort)
{
    HttpDownloader downloader;
    downloader.SetAbortFlag(abort);
    if (stored && !stored->etag.isEmpty())
        downloader.SetRequestHeaders({"If-None-Match: " + stored->etag});
    else if (stored && !stored->lastModified.isEmpty())
        downloader.SetRequestHeaders({"If-Modified-Since: " + stored->lastModified});
    TileFetch result;
    result.done = downloader.Download(url, result.bytes, DefaultTimeout);
    result.status = downloader.GetStatus();
    result.unchanged = result.done && stored && result.status == NotModified;
    result.fetched = result.done && !result.bytes.IsEmpty();
    if ((result.unchanged || result.fetched) && disk && !diskName.isEmpty())
        Store(*disk, diskName, downloader, result.bytes, stored);
    return result;
}
