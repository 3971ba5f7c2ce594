#include "GpxLoader.h"

#include "GpxReader.h"

bool GpxLoader::ReadContent(QIODevice& device, LoadContext& context)
{
    GpxReader reader(context);
    return reader.Parse(device);
}
