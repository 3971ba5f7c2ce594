#include "LoadContext.h"

#include "TrackTreeAlg.h"

#include <algorithm>

LoadContext::LoadContext(TrackTreeCreatorI& creator, TrackDataSetI& data, OperationProgressI& progress,
                         int fileTid, qint64 totalBytes)
    : m_creator(creator)
    , m_data(data)
    , m_progress(progress)
    , m_fileTid(fileTid)
    , m_totalBytes(totalBytes)
{
}

int LoadContext::AddFolder(int parentTid, const QString& name)
{
    return m_creator.AddFolder(parentTid, name);
}

TrackData& LoadContext::AddSegment(int parentTid, const QString& name, int& tid)
{
    tid = m_creator.AddSegment(parentTid, name);
    auto points = std::make_shared<TrackData>();
    m_data.Add(tid, points);
    return *points;
}

void LoadContext::RemoveNodeIfEmpty(int tid)
{
    auto* editor = dynamic_cast<TrackTreeEditorI*>(&m_creator);
    const auto* reader = dynamic_cast<const TrackTreeReaderI*>(&m_creator);
    if (!editor || !reader || !reader->GetNode(tid))
        return;
    if (reader->GetNode(tid)->GetKind() == TrackInfo::KindSegment) {
        const TrackDataPtr points = m_data.Get(tid);
        if (points && points->GetPointCount() > 0)
            return;
        m_data.Remove(tid);
    } else if (!reader->GetChildren(tid).empty()) {
        return;
    }
    editor->Remove(tid);
}

bool LoadContext::CanDiscardContent() const
{
    return dynamic_cast<TrackTreeEditorI*>(&m_creator) && dynamic_cast<const TrackTreeReaderI*>(&m_creator);
}

void LoadContext::DiscardContent()
{
    auto* editor = dynamic_cast<TrackTreeEditorI*>(&m_creator);
    const auto* reader = dynamic_cast<const TrackTreeReaderI*>(&m_creator);
    if (!editor || !reader)
        return;
    std::vector<int> below;
    TrackTreeAlg(reader).GetDescendantsIds(m_fileTid, below);
    for (const int tid : below)
        m_data.Remove(tid);
    const std::vector<int> children = reader->GetChildren(m_fileTid);
    for (const int child : children)
        editor->Remove(child);
    m_creator.SetNodeExtras(m_fileTid, nullptr);
}

bool LoadContext::ReportBytes(qint64 bytesRead)
{
    if (m_totalBytes > 0)
        m_progress.SetPercent(std::min(100.0, 100.0 * static_cast<double>(bytesRead) / static_cast<double>(m_totalBytes)));
    return !m_progress.IsCancelled();
}

void LoadContext::Fail(const QString& message)
{
    if (m_error.isEmpty())
        m_error = message.isEmpty() ? QStringLiteral("unknown failure") : message;
}

void LoadContext::Damage(const QString& message)
{
    if (m_damage.isEmpty())
        m_damage = message.isEmpty() ? QStringLiteral("unknown damage") : message;
}

void LoadContext::FailAtLine(qint64 line, const QString& message)
{
    Fail(QStringLiteral("line %1: %2").arg(line).arg(message));
}

long long LoadContext::CountPoints() const
{
    long long total = 0;
    for (const auto& entry : m_data.GetAll())
        total += entry.second ? entry.second->GetPointCount() : 0;
    return total;
}
