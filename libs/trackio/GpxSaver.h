#pragma once

#include "DocumentSaver.h"

// Saves as GPX 1.1 (GpxDocumentWriter).
class GpxSaver : public DocumentSaver
{
public:
    GpxSaver();
};
