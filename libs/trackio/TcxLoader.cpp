#include "TcxLoader.h"

#include "TcxReader.h"

bool TcxLoader::ReadContent(QIODevice& device, LoadContext& context)
{
    TcxReader reader(context);
    const bool ok = reader.Parse(device);
    m_skipped = reader.GetSkippedPointCount();
    return ok;
}
