#include "ZipArchive.h"

#include <zip.h>

#include <cstdio>

namespace {

// The bytes a closed archive left in its buffer source.
QByteArray ReadSource(zip_source_t* source)
{
    if (zip_source_open(source) != 0)
        return {};
    QByteArray bytes;
    if (zip_source_seek(source, 0, SEEK_END) == 0) {
        const zip_int64_t size = zip_source_tell(source);
        if (size > 0 && zip_source_seek(source, 0, SEEK_SET) == 0) {
            bytes.resize(size);
            if (zip_source_read(source, bytes.data(), static_cast<zip_uint64_t>(size)) != size)
                bytes.clear();
        }
    }
    zip_source_close(source);
    return bytes;
}

} // namespace

QByteArray MakeZipArchive(const std::vector<std::pair<QString, QByteArray>>& files)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = buffer ? zip_open_from_source(buffer, ZIP_TRUNCATE, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive) {
        if (buffer)
            zip_source_free(buffer);
        return {};
    }
    // Kept past zip_close, which writes the archive into it.
    zip_source_keep(buffer);
    bool added = true;
    for (const auto& [name, bytes] : files) {
        zip_source_t* source =
            zip_source_buffer(archive, bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0);
        if (!source || zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            added = false;
            break;
        }
    }
    QByteArray out;
    if (added && zip_close(archive) == 0)
        out = ReadSource(buffer);
    else
        zip_discard(archive);
    zip_source_free(buffer);
    return out;
}
