#pragma once

#include "UpdateManifest.h"
#include "UpdaterParams.h"

#include <QByteArray>

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

class HttpDownloader;

// Checks the update service for a newer signed release, downloads and
// verifies its files, and starts the updater program that installs them.
// Checks and downloads run on a worker thread; the callbacks are called
// there, never on the caller's thread, and must not start new work
// themselves (hand the event over to another thread first).
class Updater
{
public:
    enum UpdaterEvent {
        CheckFinished = 0,
        CheckFailed = 1,
        DownloadFinished = 2,
        // Failed or cancelled: the download callback has already said why.
        DownloadStopped = 3,
        ShowDownloadWindow = 4,
    };
    using EventCallback = std::function<void(int event)>;
    // Returns 1 to go on, 0 while paused (it is asked again), -1 to stop.
    using DownloadCallback = std::function<int(const DownloadTaskInfo& info)>;

    explicit Updater(UpdaterParams params);
    ~Updater();
    Updater(const Updater&) = delete;
    Updater& operator=(const Updater&) = delete;

    void SetEventCallback(EventCallback callback) { m_onEvent = std::move(callback); }
    void SetDownloadCallback(DownloadCallback callback) { m_onDownload = std::move(callback); }

    const UpdaterParams& GetParams() const { return m_params; }

    // Stops a running check or download and waits for it; no event follows,
    // and nothing more is started.
    void Stop();
    // Ends a running download soon, without waiting for it, even while the
    // server keeps it waiting; it ends with DownloadStopped.
    void Cancel() { m_abort = true; }

    // A complete download whose manifest still verifies, newer than this
    // program, marked ready by CopyUpdateInfo.
    bool IsReadyToInstallUpdates() const;
    // Starts the updater program, which waits for this process to end;
    // true when it started.
    bool InstallUpdates();
    // Removes downloads and marks left by earlier runs.
    void CleanUp();
    // Whether the program folder takes new files (a copy installed by the
    // system's package manager does not).
    bool CanInstall() const;

    // Ignored while a check or download runs: its event answers instead.
    void AsyncCheckUpdates();
    bool IsUpdateAvailable() const;
    bool GetUpdateDesc(UpdateDesc& desc) const;
    int GetUpdateFilesCount() const;

    void AsyncDownloadUpdates();
    // Marks the finished download ready to install; false when the mark
    // cannot be written.
    bool CopyUpdateInfo();

private:
    // work returns the event that ends it.
    void StartWorker(int (Updater::*work)());
    int Check();
    int Download();
    bool DownloadFile(HttpDownloader& downloader, const UpdateManifest::File& file);
    bool SaveSignedManifest();
    // Calls the download callback, waiting while it answers "paused".
    bool Report(const DownloadTaskInfo& info);
    // Tells the download callback why the download ends.
    void Fail(int status, const QString& fileName, const QString& error);
    void Raise(int event) const;
    QString GetFileUrl(const UpdateManifest::File& file) const;

    const UpdaterParams m_params;
    EventCallback m_onEvent;
    DownloadCallback m_onDownload;

    mutable std::mutex m_mutex;
    std::optional<UpdateManifest> m_available;
    QByteArray m_manifestBytes;
    QByteArray m_signature;

    std::atomic<bool> m_busy{false};
    // Ends the transfer of the work under way; Stop also sets m_stopped.
    std::atomic<bool> m_abort{false};
    std::atomic<bool> m_stopped{false};
    std::thread m_worker;
};
