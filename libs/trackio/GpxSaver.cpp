#include "GpxSaver.h"

#include "GpxDocumentWriter.h"

GpxSaver::GpxSaver()
    : DocumentSaver([](XmlBufferWriter& out, const TrackTreeReaderI& tree, int tid, const TrackDataSetI& data) {
        GpxDocumentWriter(out, tree, data).Write(tid);
    })
{
}
