#include "TrackLoaderBase.h"

#include "CappedDevice.h"
#include "FileName.h"

#include <QFile>
#include <QFileInfo>

#include <exception>
#include <new>

TrackLoaderI::LoadStatus TrackLoaderBase::OpenTrack(const QString& fileName, const TrackTreeCreatorPtr& creator,
                                                    const TrackDataSetPtr& data, const OperationProgressPtr& progress)
{
    m_errorDesc.clear();
    OnLoadStarting();
    progress->SetStatus(Running);
    QFile file(fileName);
    if (!QFileInfo::exists(fileName))
        return Finish(FileMissing, *progress);
    if (!file.open(QIODevice::ReadOnly)) {
        m_errorDesc = file.errorString();
        return Finish(FileLocked, *progress);
    }
    return Read(file, fileName, *creator, *data, *progress);
}

TrackLoaderI::LoadStatus TrackLoaderBase::Read(QIODevice& device, const QString& fileName, TrackTreeCreatorI& creator,
                                               TrackDataSetI& data, OperationProgressI& progress)
{
    m_errorDesc.clear();
    OnLoadStarting();
    progress.SetStatus(Running);
    progress.SetPercent(0.0);
    if (!device.isSequential())
        return device.size() > m_maxBytes ? Finish(TooLarge, progress)
                                          : ReadWithin(device, fileName, creator, data, progress);
    CappedDevice capped(device, m_maxBytes);
    const LoadStatus status = ReadWithin(capped, fileName, creator, data, progress);
    if (!capped.Exceeded() || status == Cancelled)
        return status;
    m_errorDesc.clear();
    return Finish(TooLarge, progress);
}

TrackLoaderI::LoadStatus TrackLoaderBase::ReadWithin(QIODevice& device, const QString& fileName,
                                                     TrackTreeCreatorI& creator, TrackDataSetI& data,
                                                     OperationProgressI& progress)
{
    QString folder, baseName, extension;
    FileName(fileName).GetNameParts(folder, baseName, extension);
    try {
        const int fileTid = creator.AddFile(baseName, fileName, GetFileType());
        LoadContext context(creator, data, progress, fileTid, device.isSequential() ? 0 : device.size());
        const bool ok = ReadContent(device, context);
        if (progress.IsCancelled())
            return Finish(Cancelled, progress);
        if (!ok || context.HasFailed()) {
            m_errorDesc = context.GetError();
            return Finish(ReadError, progress);
        }
        if (context.IsDamaged()) {
            // Damage before the first point leaves nothing worth keeping.
            m_errorDesc = context.GetDamage();
            if (context.CountPoints() == 0)
                return Finish(ReadError, progress);
            progress.SetPercent(100.0);
            return Finish(Damaged, progress);
        }
        if (context.CountPoints() == 0)
            return Finish(NoTrack, progress);
    } catch (const std::bad_alloc&) {
        m_errorDesc = QStringLiteral("not enough memory to read the file");
        return Finish(ReadError, progress);
    } catch (const std::exception& e) {
        m_errorDesc = QString::fromUtf8(e.what());
        return Finish(ReadError, progress);
    }
    progress.SetPercent(100.0);
    return Finish(Success, progress);
}

TrackLoaderI::LoadStatus TrackLoaderBase::Finish(LoadStatus status, OperationProgressI& progress)
{
    progress.SetStatus(status);
    return status;
}
