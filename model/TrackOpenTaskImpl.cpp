#include "TrackOpenTaskImpl.h"

#include "FileName.h"
#include "PreparedSegments.h"

TrackOpenTaskImpl::TrackOpenTaskImpl(const QString& fileName, TrackLoaderI* loader)
    : m_fileName(fileName)
    , m_loader(loader)
    , m_data(std::make_shared<TrackDataSetImpl>())
    , m_progress(std::make_shared<OperationProgress>())
    , m_prepared(std::make_shared<PreparedSegments>())
    , m_modificationTime(FileName(fileName).GetModificationTime())
{
}

TrackOpenTaskImpl::~TrackOpenTaskImpl()
{
    m_progress->SetCancel();
    Join();
}

void TrackOpenTaskImpl::Start()
{
    m_progress->Reset();
    m_progress->SetStatus(TrackLoaderI::Running);
    m_workerDone = false;
    m_worker = std::thread([this] {
        m_loader->OpenTrack(m_fileName, m_tree.GetCreator(), m_data, m_progress);
        if (TrackLoaderI::ConvertStatus(m_progress->GetStatus()) == TrackLoaderI::Success)
            m_prepared->Prepare(*m_tree.GetReader(), *m_data, [this] { return m_progress->IsCancelled(); });
        m_workerDone = true;
    });
}

void TrackOpenTaskImpl::Join()
{
    if (m_worker.joinable())
        m_worker.join();
}
