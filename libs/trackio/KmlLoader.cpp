#include "KmlLoader.h"

#include "KmlReader.h"

bool KmlLoader::ReadContent(QIODevice& device, LoadContext& context)
{
    return GetEngine().Read<KmlReader>(device, context);
}
