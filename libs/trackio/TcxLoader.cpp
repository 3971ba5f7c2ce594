#include "TcxLoader.h"

#include "TcxReader.h"

bool TcxLoader::ReadContent(QIODevice& device, LoadContext& context)
{
    return GetEngine().Read<TcxReader>(device, context,
                                       [this](const TcxReader& reader) { m_skipped = reader.GetSkippedPointCount(); });
}
