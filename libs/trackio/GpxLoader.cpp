#include "GpxLoader.h"

#include "GpxReader.h"

bool GpxLoader::ReadContent(QIODevice& device, LoadContext& context)
{
    return m_engine.Read<GpxReader>(device, context);
}
