#pragma once

#include "XmlTrackLoader.h"

#include <QByteArray>
#include <QString>

// KMZ files: a zip whose first .kml at the root of the archive is the
// document (other .kml files, images and models beside it are not read),
// unpacked through libzip and read by KmlReader. The unpacked KML is capped
// at maxKmlBytes, so a small archive that unpacks to gigabytes (a zip bomb)
// is refused before it fills the memory; what the archive says of the size
// is not trusted, the bytes unpacked are counted.
class KmzLoader : public XmlTrackLoader
{
public:
    explicit KmzLoader(qint64 maxKmlBytes);

    TrackFileType GetFileType() const override { return TrackFileKmz; }

protected:
    bool ReadContent(QIODevice& device, LoadContext& context) override;

private:
    // The KML's bytes, or an empty array after context.Fail.
    QByteArray Unpack(const QByteArray& archive, LoadContext& context) const;

    qint64 m_maxKmlBytes;
};
