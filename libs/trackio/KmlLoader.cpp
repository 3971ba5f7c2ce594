#include "KmlLoader.h"

#include "KmlReader.h"

bool KmlLoader::ReadContent(QIODevice& device, LoadContext& context)
{
    KmlReader reader(context);
    return reader.Parse(device);
}
