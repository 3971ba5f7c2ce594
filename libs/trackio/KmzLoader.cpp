#include "KmzLoader.h"

#include "KmlReader.h"
#include "LoadContext.h"
#include "WholeDeviceRead.h"

#include <QBuffer>

#include <zip.h>

#include <memory>

namespace {

struct ArchiveCloser
{
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser
{
    void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};

// The first entry at the root of the archive whose name ends in .kml.
zip_int64_t FindRootKml(zip_t* archive)
{
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
        if (!name)
            continue;
        const QString entry = QString::fromUtf8(name);
        if (!entry.contains(QLatin1Char('/')) && !entry.contains(QLatin1Char('\\')) &&
            entry.endsWith(QLatin1String(".kml"), Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

} // namespace

KmzLoader::KmzLoader(qint64 maxKmlBytes)
    : m_maxKmlBytes(maxKmlBytes)
{
}

bool KmzLoader::ReadContent(QIODevice& device, LoadContext& context)
{
    QByteArray archive;
    if (!ReadWholeDevice(device, context, archive))
        return false;
    QByteArray kml = Unpack(archive, context);
    archive.clear();
    if (context.HasFailed())
        return false;
    QBuffer buffer(&kml);
    buffer.open(QIODevice::ReadOnly);
    return GetEngine().Read<KmlReader>(buffer, context);
}

QByteArray KmzLoader::Unpack(const QByteArray& archive, LoadContext& context) const
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source =
        zip_source_buffer_create(archive.constData(), static_cast<zip_uint64_t>(archive.size()), 0, &error);
    std::unique_ptr<zip_t, ArchiveCloser> zip(source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr);
    if (!zip) {
        if (source)
            zip_source_free(source);
        context.Fail(
            QStringLiteral("not a readable zip archive: %1").arg(QString::fromUtf8(zip_error_strerror(&error))));
        zip_error_fini(&error);
        return {};
    }
    zip_error_fini(&error);
    const zip_int64_t index = FindRootKml(zip.get());
    if (index < 0) {
        context.Fail(QStringLiteral("the archive holds no .kml file at its root"));
        return {};
    }
    std::unique_ptr<zip_file_t, EntryCloser> entry(zip_fopen_index(zip.get(), static_cast<zip_uint64_t>(index), 0));
    if (!entry) {
        context.Fail(QStringLiteral("cannot unpack %1: %2")
                         .arg(QString::fromUtf8(zip_get_name(zip.get(), static_cast<zip_uint64_t>(index), 0)),
                              QString::fromUtf8(zip_strerror(zip.get()))));
        return {};
    }
    QByteArray kml;
    constexpr qint64 ChunkBytes = 1 << 20;
    for (;;) {
        const qint64 start = kml.size();
        // One byte past the cap tells a KML of exactly the cap from a larger one.
        const qint64 room = std::min(ChunkBytes, m_maxKmlBytes + 1 - start);
        kml.resize(start + room);
        const zip_int64_t read = zip_fread(entry.get(), kml.data() + start, static_cast<zip_uint64_t>(room));
        if (read < 0) {
            context.Fail(
                QStringLiteral("cannot unpack the KML: %1").arg(QString::fromUtf8(zip_file_strerror(entry.get()))));
            return {};
        }
        kml.resize(start + read);
        if (kml.size() > m_maxKmlBytes) {
            context.Fail(QStringLiteral("the KML in the archive unpacks to more than %1 bytes, the most that is read")
                             .arg(m_maxKmlBytes));
            return {};
        }
        if (read == 0 || context.IsCancelled())
            return kml;
    }
}
