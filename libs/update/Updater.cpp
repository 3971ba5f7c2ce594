#include "Updater.h"

#include "Ed25519.h"
#include "HttpDownloader.h"
#include "UpdateFolder.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryFile>
#include <QUrl>

#include <chrono>

namespace {

constexpr auto PausePoll = std::chrono::milliseconds(50);

// A download of at most limit bytes into memory; false for anything longer.
bool FetchSmall(HttpDownloader& downloader, const QString& url, qint64 limit, int timeoutMs, QByteArray& bytes)
{
    bytes.clear();
    return downloader.DownloadTo(
        url,
        [&bytes, limit](const char* data, size_t size) {
            if (bytes.size() + qint64(size) > limit)
                return false;
            bytes.append(data, qsizetype(size));
            return true;
        },
        timeoutMs);
}

QByteArray ReadyMark(const QByteArray& manifestBytes)
{
    return QCryptographicHash::hash(manifestBytes, QCryptographicHash::Sha256).toHex();
}

} // namespace

Updater::Updater(UpdaterParams params)
    : m_params(std::move(params))
{
}

Updater::~Updater()
{
    Stop();
}

void Updater::Stop()
{
    m_stopped = true;
    m_abort = true;
    if (m_worker.joinable())
        m_worker.join();
}

bool Updater::IsReadyToInstallUpdates() const
{
    QFile mark(m_params.cachePath);
    if (!mark.open(QIODevice::ReadOnly))
        return false;
    const UpdateFolder folder(m_params.downloadDir);
    QFile manifestFile(folder.GetManifestPath());
    if (!manifestFile.open(QIODevice::ReadOnly) || mark.read(128).trimmed() != ReadyMark(manifestFile.readAll()))
        return false;
    const std::optional<UpdateManifest> manifest = folder.ReadSignedManifest(m_params.publicKey);
    return manifest && manifest->version > m_params.currentVersion && folder.HasAllFiles(*manifest);
}

bool Updater::InstallUpdates()
{
    if (!IsReadyToInstallUpdates())
        return false;
    // The updater runs from the download folder, so that an update may
    // replace the updater too.
    const QString source = QDir(m_params.appDir).filePath(m_params.updaterExeName);
    const QString copy = QDir(m_params.downloadDir).filePath(m_params.updaterExeName);
    QFile::remove(copy);
    if (!QFile::copy(source, copy) ||
        !QFile::setPermissions(copy, QFile::permissions(copy) | QFile::ExeOwner | QFile::ReadOwner))
        return false;
    const QStringList arguments{
        QStringLiteral("--wait-pid"),    QString::number(QCoreApplication::applicationPid()),
        QStringLiteral("--program-dir"), m_params.appDir,
        QStringLiteral("--update-dir"),  m_params.downloadDir,
        QStringLiteral("--ready-mark"),  m_params.cachePath,
        QStringLiteral("--restart"),     QDir(m_params.appDir).filePath(m_params.exeName),
    };
    return QProcess::startDetached(copy, arguments, m_params.appDir);
}

void Updater::CleanUp()
{
    QDir(m_params.downloadDir).removeRecursively();
    QFile::remove(m_params.cachePath);
}

bool Updater::CanInstall() const
{
    // Asking for permissions is not enough (root, read-only mounts): try.
    QTemporaryFile probe(QDir(m_params.appDir).filePath(QStringLiteral(".quorvel-probe-XXXXXX")));
    return probe.open();
}

void Updater::AsyncCheckUpdates()
{
    StartWorker(&Updater::Check);
}

bool Updater::IsUpdateAvailable() const
{
    const std::lock_guard lock(m_mutex);
    return m_available.has_value();
}

bool Updater::GetUpdateDesc(UpdateDesc& desc) const
{
    const std::lock_guard lock(m_mutex);
    if (!m_available)
        return false;
    desc.name = m_available->name;
    desc.infoUrl = m_available->infoUrl;
    desc.version = m_available->version;
    return true;
}

int Updater::GetUpdateFilesCount() const
{
    const std::lock_guard lock(m_mutex);
    return m_available ? int(m_available->files.size()) : 0;
}

void Updater::AsyncDownloadUpdates()
{
    if (IsUpdateAvailable())
        StartWorker(&Updater::Download);
}

bool Updater::CopyUpdateInfo()
{
    const std::lock_guard lock(m_mutex);
    if (!m_available)
        return false;
    QSaveFile mark(m_params.cachePath);
    return mark.open(QIODevice::WriteOnly) && mark.write(ReadyMark(m_manifestBytes)) > 0 && mark.commit();
}

void Updater::StartWorker(int (Updater::*work)())
{
    if (m_stopped || m_busy.exchange(true))
        return;
    if (m_worker.joinable())
        m_worker.join();
    m_abort = false;
    m_worker = std::thread([this, work] {
        const int event = (this->*work)();
        // Free before the last event, so that whoever hears it may start
        // the next piece of work.
        m_busy = false;
        Raise(event);
    });
}

int Updater::Check()
{
    HttpDownloader downloader;
    downloader.SetAbortFlag(&m_abort);
    QByteArray manifestBytes;
    QByteArray signature;
    const bool fetched =
        FetchSmall(downloader, m_params.baseUrl + QStringLiteral("manifest.json"), UpdateManifest::MaxManifestSize,
                   m_params.checkTimeoutMs, manifestBytes) &&
        FetchSmall(downloader, m_params.baseUrl + QStringLiteral("manifest.sig"), Ed25519::SignatureSize,
                   m_params.checkTimeoutMs, signature);
    // Nothing of an unsigned manifest is believed, not even "no update".
    std::optional<UpdateManifest> manifest;
    if (fetched && Ed25519::Verify(manifestBytes, signature, m_params.publicKey))
        manifest = UpdateManifest::Parse(manifestBytes);
    if (!manifest)
        return CheckFailed;
    {
        const std::lock_guard lock(m_mutex);
        m_available.reset();
        if (manifest->version > m_params.currentVersion) {
            m_available = std::move(manifest);
            m_manifestBytes = manifestBytes;
            m_signature = signature;
        }
    }
    return CheckFinished;
}

int Updater::Download()
{
    QDir(m_params.downloadDir).removeRecursively();
    if (!SaveSignedManifest()) {
        Fail(DownloadTaskInfo::SaveFailed, {}, {});
        return DownloadStopped;
    }
    Raise(ShowDownloadWindow);
    std::vector<UpdateManifest::File> files;
    {
        const std::lock_guard lock(m_mutex);
        files = m_available->files;
    }
    HttpDownloader downloader;
    downloader.SetAbortFlag(&m_abort);
    for (const UpdateManifest::File& file : files)
        if (!DownloadFile(downloader, file))
            return DownloadStopped;
    return DownloadFinished;
}

bool Updater::SaveSignedManifest()
{
    const UpdateFolder folder(m_params.downloadDir);
    const std::lock_guard lock(m_mutex);
    QFile manifest(folder.GetManifestPath());
    QFile signature(folder.GetSignaturePath());
    return QDir().mkpath(folder.GetDir()) && manifest.open(QIODevice::WriteOnly) &&
           manifest.write(m_manifestBytes) == m_manifestBytes.size() && signature.open(QIODevice::WriteOnly) &&
           signature.write(m_signature) == m_signature.size();
}

bool Updater::DownloadFile(HttpDownloader& downloader, const UpdateManifest::File& file)
{
    DownloadTaskInfo info;
    info.fileName = file.path;
    info.bytesTotal = file.size;
    info.status = DownloadTaskInfo::FileStarted;
    if (!Report(info))
        return false;

    const QString target = UpdateFolder(m_params.downloadDir).GetFilePath(file);
    QFile part(target + QStringLiteral(".part"));
    if (!QDir().mkpath(QFileInfo(target).path()) || !part.open(QIODevice::WriteOnly)) {
        Fail(DownloadTaskInfo::SaveFailed, file.path, part.errorString());
        return false;
    }
    QCryptographicHash digest(QCryptographicHash::Sha256);
    bool tooLong = false;
    bool stopped = false;
    bool writeFailed = false;
    info.status = DownloadTaskInfo::FileProgress;
    const bool fetched = downloader.DownloadTo(
        GetFileUrl(file),
        [&](const char* data, size_t size) {
            // The manifest says how long the file is; a server that sends
            // more is not believed for a byte longer.
            if (info.bytesDone + qint64(size) > file.size)
                return !(tooLong = true);
            if (part.write(data, qint64(size)) != qint64(size))
                return !(writeFailed = true);
            digest.addData(QByteArrayView(data, qsizetype(size)));
            info.bytesDone += qint64(size);
            return !(stopped = !Report(info));
        },
        0);
    part.close();
    if (stopped)
        return false;
    if (writeFailed) {
        Fail(DownloadTaskInfo::SaveFailed, file.path, part.errorString());
        return false;
    }
    if (!fetched || tooLong || info.bytesDone != file.size || digest.result() != file.sha256) {
        const QString why = !fetched && !tooLong ? downloader.GetError()
                                                 : QStringLiteral("%1 is not the file the update lists.").arg(file.path);
        Fail(DownloadTaskInfo::DownloadFailed, file.path, why);
        return false;
    }
    QFile::remove(target);
    if (!part.rename(target)) {
        Fail(DownloadTaskInfo::SaveFailed, file.path, part.errorString());
        return false;
    }
    info.status = DownloadTaskInfo::FileDone;
    if (!Report(info))
        return false;
    return true;
}

bool Updater::Report(const DownloadTaskInfo& info)
{
    if (!m_onDownload)
        return !m_abort;
    int answer = m_onDownload(info);
    while (answer == 0 && !m_abort) {
        std::this_thread::sleep_for(PausePoll);
        answer = m_onDownload(info);
    }
    return answer > 0 && !m_abort;
}

void Updater::Fail(int status, const QString& fileName, const QString& error)
{
    DownloadTaskInfo info;
    info.status = status;
    info.fileName = fileName;
    info.error = error;
    if (m_onDownload)
        m_onDownload(info);
}

void Updater::Raise(int event) const
{
    if (m_onEvent && !m_stopped)
        m_onEvent(event);
}

QString Updater::GetFileUrl(const UpdateManifest::File& file) const
{
    // Only the worker reads the manifest while a download runs.
    QString url = m_params.baseUrl + m_available->GetVersionText();
    for (const QString& part : file.path.split(QLatin1Char('/')))
        url += QLatin1Char('/') + QString::fromLatin1(QUrl::toPercentEncoding(part));
    return url;
}
