#include "GpxLoader.h"

#include "GpxReader.h"

bool GpxLoader::ReadContent(QIODevice& device, LoadContext& context)
{
    return GetEngine().Read<GpxReader>(device, context);
}
