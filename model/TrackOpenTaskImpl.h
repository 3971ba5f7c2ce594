#pragma once

#include "OperationProgress.h"
#include "TrackLoaderI.h"
#include "TrackOpenTask.h"
#include "TrackTree.h"

#include <atomic>
#include <thread>

// One file being loaded on a worker thread. The worker touches only this
// task's tree, data set and progress; the user-interface thread reads the
// progress and takes the tree only once the status is final.
class TrackOpenTaskImpl : public TrackOpenTask
{
public:
    TrackOpenTaskImpl(const QString& fileName, TrackLoaderI* loader);
    // Cancels a load still running and waits for the worker.
    ~TrackOpenTaskImpl() override;
    TrackOpenTaskImpl(const TrackOpenTaskImpl&) = delete;
    TrackOpenTaskImpl& operator=(const TrackOpenTaskImpl&) = delete;

    void Start();
    // Whether the worker has finished: the loader's status turns final
    // before the worker has prepared the segments.
    bool IsWorkerDone() const { return m_workerDone; }
    // Waits for the worker once its status is final (it is about to return).
    void Join();

    const QString& GetFileName() const override { return m_fileName; }
    TrackTreeReaderPtr GetTree() const override { return m_tree.GetReader(); }
    std::shared_ptr<TrackDataSetImpl> GetData() const override { return m_data; }
    const Time& GetModificationTime() const override { return m_modificationTime; }
    std::shared_ptr<PreparedSegments> GetPrepared() const override { return m_prepared; }

    OperationProgress& GetProgress() { return *m_progress; }
    TrackLoaderI* GetLoader() const { return m_loader; }

private:
    QString m_fileName;
    TrackLoaderI* m_loader;
    TrackTree m_tree;
    std::shared_ptr<TrackDataSetImpl> m_data;
    std::shared_ptr<OperationProgress> m_progress;
    std::shared_ptr<PreparedSegments> m_prepared;
    std::atomic<bool> m_workerDone = false;
    Time m_modificationTime;
    std::thread m_worker;
};
