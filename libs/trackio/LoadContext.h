#pragma once

#include "OperationProgress.h"
#include "TrackDataSet.h"
#include "TrackTreeInterfaces.h"

#include <QString>

// What a reader fills while it reads one file: the file node made for it,
// folders and segments below it, their point arrays, the progress and the
// first fatal error.
class LoadContext
{
public:
    LoadContext(TrackTreeCreatorI& creator, TrackDataSetI& data, OperationProgressI& progress,
                int fileTid, qint64 totalBytes);

    int GetFileTid() const { return m_fileTid; }
    TrackTreeCreatorI& GetCreator() { return m_creator; }

    int AddFolder(int parentTid, const QString& name);
    // A new segment with an empty point array; the array stays valid while
    // the data set holds it.
    TrackData& AddSegment(int parentTid, const QString& name, int& tid);
    TrackData& AddSegment(int parentTid, const QString& name)
    {
        int tid = -1;
        return AddSegment(parentTid, name, tid);
    }
    // Removes a segment or folder that ended up holding no point.
    void RemoveNodeIfEmpty(int tid);
    // Whether DiscardContent can work on this tree.
    bool CanDiscardContent() const;
    // Removes all that was read below the file node, to read it again.
    void DiscardContent();

    // Reports bytes read so far; false when the user cancelled.
    bool ReportBytes(qint64 bytesRead);
    bool IsCancelled() const { return m_progress.IsCancelled(); }
    qint64 GetTotalBytes() const { return m_totalBytes; }

    // Records the first fatal error; later ones are ignored (they follow
    // from the first).
    void Fail(const QString& message);
    void FailAtLine(qint64 line, const QString& message);
    bool HasFailed() const { return !m_error.isEmpty(); }
    const QString& GetError() const { return m_error; }

    // Records the first damage after which a binary file cannot be read on
    // (a bad checksum, a cut-off end): unlike Fail, the points read before
    // it are kept. Later damage is ignored.
    void Damage(const QString& message);
    bool IsDamaged() const { return !m_damage.isEmpty(); }
    const QString& GetDamage() const { return m_damage; }

    long long CountPoints() const;

private:
    TrackTreeCreatorI& m_creator;
    TrackDataSetI& m_data;
    OperationProgressI& m_progress;
    int m_fileTid;
    qint64 m_totalBytes;
    QString m_error;
    QString m_damage;
};
