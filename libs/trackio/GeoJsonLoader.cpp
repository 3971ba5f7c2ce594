#include "GeoJsonLoader.h"

#include "GeoJsonReader.h"
#include "WholeDeviceRead.h"

bool GeoJsonLoader::ReadContent(QIODevice& device, LoadContext& context)
{
    QByteArray json;
    if (!ReadWholeDevice(device, context, json))
        return false;
    return GeoJsonReader(context).Read(json);
}
