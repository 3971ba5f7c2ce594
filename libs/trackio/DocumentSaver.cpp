#include "DocumentSaver.h"

#include "SaveTarget.h"
#include "XmlBufferWriter.h"

#include <QSaveFile>

DocumentSaver::DocumentSaver(Layout layout)
    : m_layout(std::move(layout))
{
}

TrackSaverI::SaveStatus DocumentSaver::SaveTrack(const QString& fileName, const TrackTreeReaderPtr& tree, int tid,
                                                 const std::shared_ptr<const TrackDataSetI>& data)
{
    m_errorDesc.clear();
    if (!tree || !data) {
        m_errorDesc = QStringLiteral("there is nothing to save");
        return NoSuchNode;
    }
    m_errorDesc = SaveTarget::Problem(fileName);
    if (!m_errorDesc.isEmpty())
        return CannotWrite;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        m_errorDesc = QStringLiteral("%1: %2").arg(fileName, file.errorString());
        return CannotWrite;
    }
    const SaveStatus status = Write(file, *tree, tid, *data);
    if (status != Success) {
        file.cancelWriting();
        if (status == CannotWrite)
            m_errorDesc = QStringLiteral("%1: %2").arg(fileName, m_errorDesc);
        return status;
    }
    if (!file.commit()) {
        m_errorDesc = QStringLiteral("%1: %2").arg(fileName, file.errorString());
        return CannotWrite;
    }
    return Success;
}

TrackSaverI::SaveStatus DocumentSaver::Write(QIODevice& device, const TrackTreeReaderI& tree, int tid,
                                             const TrackDataSetI& data)
{
    m_errorDesc.clear();
    if (!tree.GetNode(tid)) {
        m_errorDesc = QStringLiteral("there is no node %1 to save").arg(tid);
        return NoSuchNode;
    }
    XmlBufferWriter out(device);
    m_layout(out, tree, tid, data);
    if (!out.Flush()) {
        m_errorDesc = device.errorString();
        return CannotWrite;
    }
    return Success;
}
