#pragma once

#include "TrackLoaderBase.h"
#include "XmlReadEngine.h"

// A loader of an XML format, read through its XmlReadEngine.
class XmlTrackLoader : public TrackLoaderBase
{
public:
    XmlReadEngine& GetEngine() { return m_engine; }

private:
    XmlReadEngine m_engine;
};
