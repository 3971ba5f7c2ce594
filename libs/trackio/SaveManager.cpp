#include "SaveManager.h"

#include "GeoJsonDocumentWriter.h"
#include "GpxSaver.h"
#include "KmlDocumentWriter.h"
#include "TcxDocumentWriter.h"

#include <QFileInfo>

namespace {

template <class Writer> std::unique_ptr<DocumentSaver> MakeSaver()
{
    return std::make_unique<DocumentSaver>([](XmlBufferWriter& out, const TrackTreeReaderI& tree, int tid,
                                              const TrackDataSetI& data) { Writer(out, tree, data).Write(tid); });
}

} // namespace

SaveManager::SaveManager()
{
    m_savers[TrackFileGpx] = std::make_unique<GpxSaver>();
    m_savers[TrackFileKml] = MakeSaver<KmlDocumentWriter>();
    m_savers[TrackFileTcx] = MakeSaver<TcxDocumentWriter>();
    m_savers[TrackFileGeoJson] = MakeSaver<GeoJsonDocumentWriter>();
}

SaveManager::~SaveManager() = default;

TrackSaverI* SaveManager::GetTrackSaver(TrackFileType type) const
{
    const auto it = m_savers.find(type);
    return it == m_savers.end() ? nullptr : it->second.get();
}

TrackFileType SaveManager::TypeForPath(const QString& path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("kml"))
        return TrackFileKml;
    if (extension == QLatin1String("tcx"))
        return TrackFileTcx;
    if (extension == QLatin1String("geojson") || extension == QLatin1String("json"))
        return TrackFileGeoJson;
    return TrackFileGpx;
}
