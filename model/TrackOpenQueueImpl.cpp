#include "TrackOpenQueueImpl.h"

#include "AppTick.h"
#include "FileName.h"
#include "ProcessSingleton.h"

#include <QStringList>
#include <QTextStream>

TrackOpenQueueImpl::TrackOpenQueueImpl()
    : m_tick(AppTick::GetInstance().Subscribe([this] { Poll(); }))
{
}

TrackOpenQueueImpl::~TrackOpenQueueImpl()
{
    m_pending.clear();
    m_task.reset(); // cancels and waits for the worker
}

TrackOpenQueueImpl& TrackOpenQueueImpl::GetInstance()
{
    return ProcessSingleton<TrackOpenQueueImpl>::Instance();
}

void TrackOpenQueueImpl::Add(const QString& fileName)
{
    Append(fileName, TrackFileAll);
    RecomputeBatch();
}

void TrackOpenQueueImpl::AddFiles(const QStringList& fileNames, TrackFileType type)
{
    for (const QString& name : fileNames)
        Append(name, type);
    RecomputeBatch();
}

void TrackOpenQueueImpl::Append(const QString& fileName, TrackFileType type)
{
    const qint64 size = FileName(fileName).GetFileSize();
    m_pending.push_back({fileName, type, WeightOfSize(std::max<qint64>(size, 0))});
}

void TrackOpenQueueImpl::RecomputeBatch()
{
    m_skipAll = false;
    m_doneWeight = 0;
    m_runningPercent = 0;
    m_totalWeight = m_running && !m_runningCancelled ? m_running->weight : 0.0;
    for (const Entry& entry : m_pending)
        m_totalWeight += entry.weight;
}

void TrackOpenQueueImpl::Cancel()
{
    m_pending.clear();
    if (m_task) {
        m_task->GetProgress().SetCancel();
        m_runningCancelled = true;
    }
}

double TrackOpenQueueImpl::GetOverallPercent() const
{
    if (m_totalWeight <= 0)
        return 0.0;
    const double running = m_running && !m_runningCancelled ? m_running->weight * m_runningPercent / 100.0 : 0.0;
    return (m_doneWeight + running) / m_totalWeight * 100.0;
}

QString TrackOpenQueueImpl::GetCurrentFileName() const
{
    if (m_running && !m_runningCancelled)
        return m_running->fileName;
    return m_pending.empty() ? QString() : m_pending.front().fileName;
}

void TrackOpenQueueImpl::Poll()
{
    if (m_delivering)
        return;
    auto status = m_task ? TrackLoaderI::ConvertStatus(m_task->GetProgress().GetStatus()) : TrackLoaderI::Idle;
    if (m_task && !m_task->IsWorkerDone())
        status = TrackLoaderI::Running;
    switch (status) {
    case TrackLoaderI::Idle:
        if (!m_pending.empty() && !m_busy) {
            m_busy = true;
            m_running = m_pending.front();
            m_pending.pop_front();
            m_runningCancelled = false;
            StartRunning();
        }
        return;
    case TrackLoaderI::Running:
        m_busy = true;
        m_runningPercent = m_task->GetProgress().GetPercent();
        return;
    default:
        Finish(status);
        return;
    }
}

void TrackOpenQueueImpl::StartRunning()
{
    for (;;) {
        TrackFileType type = TrackFileAll;
        const auto status = m_loadManager.Verify(m_running->fileName, type);
        if (status == TrackLoaderI::Success) {
            m_taskType = type;
            m_task = std::make_unique<TrackOpenTaskImpl>(m_running->fileName, m_loadManager.GetTrackLoader(type));
            m_runningPercent = 0;
            m_task->Start();
            return;
        }
        const OpenFailureChoice choice = Report(status, m_running->fileName, QString());
        if (choice != OpenFailureChoice::Retry) {
            HandleChoice(choice);
            return;
        }
    }
}

void TrackOpenQueueImpl::Finish(TrackLoaderI::LoadStatus status)
{
    if (m_runningCancelled) {
        // The user cancelled this file: whatever the worker made is dropped.
        m_task.reset();
        m_running.reset();
        m_runningCancelled = false;
        m_busy = false;
        return;
    }
    if (TrackLoaderI::HasTracks(status)) {
        m_task->Join();
        std::unique_ptr<TrackOpenTaskImpl> task = std::move(m_task);
        EndRunning(false);
        m_delivering = true;
        try {
            m_opened(*task, m_taskType);
            // Still delivering while the user reads about the damage: the
            // next file waits for the dialog to close.
            if (status == TrackLoaderI::Damaged &&
                Report(status, task->GetFileName(), task->GetLoader()->GetErrorDesc(), true) ==
                    OpenFailureChoice::Cancel)
                m_pending.clear();
        } catch (...) {
            m_delivering = false;
            throw;
        }
        m_delivering = false;
        return;
    }
    if (m_hooks.isMinimised && m_hooks.isMinimised()) {
        if (!m_blinked && m_hooks.blinkTitle)
            m_hooks.blinkTitle();
        m_blinked = true;
        return;
    }
    m_blinked = false;
    m_task->Join();
    const QString errorDesc = m_task->GetLoader()->GetErrorDesc();
    m_task.reset();
    const OpenFailureChoice choice = Report(status, m_running->fileName, errorDesc);
    if (choice == OpenFailureChoice::Retry)
        StartRunning();
    else
        HandleChoice(choice);
}

void TrackOpenQueueImpl::HandleChoice(OpenFailureChoice choice)
{
    switch (choice) {
    case OpenFailureChoice::SkipAll:
        m_skipAll = true;
        EndRunning(true);
        break;
    case OpenFailureChoice::Skip:
        EndRunning(true);
        break;
    case OpenFailureChoice::Cancel:
        m_pending.clear();
        m_running.reset();
        m_busy = false;
        break;
    case OpenFailureChoice::Retry:
        break;
    }
}

void TrackOpenQueueImpl::EndRunning(bool skipped)
{
    const Entry entry = *m_running;
    m_running.reset();
    m_doneWeight += entry.weight;
    m_runningPercent = 0;
    m_busy = false;
    if (skipped)
        m_skipped(entry.fileName);
}

OpenFailureChoice TrackOpenQueueImpl::Report(TrackLoaderI::LoadStatus status, const QString& fileName,
                                             const QString& errorDesc, bool opened)
{
    if (m_skipAll)
        return OpenFailureChoice::Skip;
    OpenFailureReport report;
    report.fileName = fileName;
    report.status = status;
    report.errorDesc = errorDesc;
    report.opened = opened;
    // The running file counts as pending, as it did before it started.
    report.offerSkipAll = !opened && m_pending.size() + 1 >= 2;
    if (!m_hooks.showFailure) {
        const OpenFailureDialogText text = OpenFailureDialogText::For(report);
        QTextStream(stderr) << text.instruction << ": " << text.content << '\n';
        return OpenFailureChoice::Skip;
    }
    const OpenFailureChoice choice = m_hooks.showFailure(report);
    return choice == OpenFailureChoice::SkipAll && !report.offerSkipAll ? OpenFailureChoice::Skip : choice;
}
