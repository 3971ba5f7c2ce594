#pragma once

#include "TrackLoaderBase.h"
#include "XmlReadEngine.h"

// GPX 1.0 and 1.1 files (GpxReader).
class GpxLoader : public TrackLoaderBase
{
public:
    TrackFileType GetFileType() const override { return TrackFileGpx; }
    XmlReadEngine& GetEngine() { return m_engine; }

protected:
    bool ReadContent(QIODevice& device, LoadContext& context) override;

private:
    XmlReadEngine m_engine;
};
