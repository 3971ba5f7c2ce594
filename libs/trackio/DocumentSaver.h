#pragma once

#include "TrackSaverI.h"

#include <functional>

class QIODevice;
class XmlBufferWriter;

// The file side of the document savers (GPX, KML, TCX, GeoJSON): the layout
// writes the document of one node into a buffer (XmlBufferWriter, whose
// number and time texts serve JSON as well), and the saver puts it in a
// temporary file that takes the target's place only when everything was
// written.
class DocumentSaver : public TrackSaverI
{
public:
    using Layout =
        std::function<void(XmlBufferWriter& out, const TrackTreeReaderI& tree, int tid, const TrackDataSetI& data)>;

    explicit DocumentSaver(Layout layout);

    SaveStatus SaveTrack(const QString& fileName, const TrackTreeReaderPtr& tree, int tid,
                         const std::shared_ptr<const TrackDataSetI>& data) override;
    QString GetErrorDesc() const override { return m_errorDesc; }

    // The same into any device (tests, tools).
    SaveStatus Write(QIODevice& device, const TrackTreeReaderI& tree, int tid, const TrackDataSetI& data);

private:
    Layout m_layout;
    QString m_errorDesc;
};
