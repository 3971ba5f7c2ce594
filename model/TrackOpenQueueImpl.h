#pragma once

#include "LoadManager.h"

#include <QStringList>
#include "OpenFailureReport.h"
#include "TrackFileType.h"
#include "TrackOpenTaskImpl.h"

#include <boost/signals2/connection.hpp>
#include <boost/signals2/signal.hpp>

#include <deque>
#include <memory>
#include <optional>

// Opens files one after another on a worker thread, driven by the
// application tick, and hands each loaded file to its listeners on the
// user-interface thread. Failures are reported one by one.
class TrackOpenQueueImpl
{
public:
    using OpenedSignal = boost::signals2::signal<void(const TrackOpenTask&, TrackFileType)>;
    using SkippedSignal = boost::signals2::signal<void(const QString&)>;

    // The window's side of failure reporting; without it, failures are
    // skipped after their text went to stderr.
    struct WindowHooks
    {
        OpenFailureDialog showFailure;
        std::function<bool()> isMinimised;
        std::function<void()> blinkTitle;
    };

    TrackOpenQueueImpl();
    // Cancels a load under way and waits for its worker: nothing half
    // loaded is ever handed over.
    ~TrackOpenQueueImpl();

    static TrackOpenQueueImpl& GetInstance();

    void SetWindowHooks(WindowHooks hooks) { m_hooks = std::move(hooks); }

    void Add(const QString& fileName);
    void AddFiles(const QStringList& fileNames, TrackFileType type);
    void Cancel();

    bool IsBusy() const { return m_busy; }
    bool IsIdle() const { return m_pending.empty() && !m_busy; }
    int GetPendingCount() const { return static_cast<int>(m_pending.size()); }
    double GetOverallPercent() const;
    QString GetCurrentFileName() const;
    // Weight of a file in the overall progress.
    static double WeightOfSize(qint64 bytes) { return static_cast<double>(bytes) / 1000.0 + 500.0; }

    OpenedSignal& GetOpenedSignal() { return m_opened; }
    SkippedSignal& GetSkippedSignal() { return m_skipped; }

    // One poll; the tick calls it.
    void Poll();

private:
    struct Entry
    {
        QString fileName;
        TrackFileType type = TrackFileAll;
        double weight = 0;
    };

    void Append(const QString& fileName, TrackFileType type);
    void RecomputeBatch();
    // Verifies the running entry and starts its worker, reporting failures.
    void StartRunning();
    void Finish(TrackLoaderI::LoadStatus status);
    void HandleChoice(OpenFailureChoice choice);
    OpenFailureChoice Report(TrackLoaderI::LoadStatus status, const QString& fileName, const QString& errorDesc,
                             bool opened = false);
    // Ends the running entry: skipped (the second signal hears of it) or done.
    void EndRunning(bool skipped);

    // Declared first so that it outlives a task whose worker still uses
    // one of its loaders.
    LoadManager m_loadManager;
    OpenedSignal m_opened;
    SkippedSignal m_skipped;
    std::deque<Entry> m_pending;
    // The entry being loaded, taken off the pending list while it runs.
    std::optional<Entry> m_running;
    bool m_runningCancelled = false;
    std::unique_ptr<TrackOpenTaskImpl> m_task;
    TrackFileType m_taskType = TrackFileAll;
    double m_totalWeight = 0;
    double m_doneWeight = 0;
    double m_runningPercent = 0;
    bool m_busy = false;
    bool m_skipAll = false;
    bool m_blinked = false;
    bool m_delivering = false;
    WindowHooks m_hooks;
    boost::signals2::scoped_connection m_tick;
};
